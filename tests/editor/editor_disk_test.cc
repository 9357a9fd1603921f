// quindo-editor and the files on disk: changes made by other programs are
// read again or asked about, never overwritten unasked; a save writes back
// what nobody touched (the chart's rows) and refuses texts the code page
// cannot hold; the calendar and the special day types reach the chart and
// the answers; and undo goes back to the record it changes.

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QScrollBar>
#include <QTreeWidget>
#include <QUndoStack>

#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "qt/calendar_view.h"
#include "qt/time_schedule_view.h"
#include "tests/editor/editor_rig.h"
#include "tools/editor/elided_label.h"
#include "tools/editor/profile_list.h"

using namespace quindo;

class EditorDiskTest : public QObject {
  Q_OBJECT

 private:
  EditorRig rig_;
  EditorWindow& Window() { return *rig_.window; }

  // Another program changes profile 1's file.
  static void ChangeOutside(const std::function<void(cProfile&)>& change) {
    cProfile other;
    QVERIFY(other.LoadFromDisk(1));
    change(other);
    QVERIFY(other.SaveToDisk());
  }
  void ToggleEnabled() {
    QTreeWidgetItem* item = Window().List().ItemOf(1);
    item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }

 private slots:
  void init() { QVERIFY(rig_.Start()); }
  void cleanup() { rig_.Stop(); }

  void changesOnDiskAreReadAgainOrAskedAboutBeforeASave() {
    ChangeOutside([](cProfile& p) { p.SetName("Renamed outside"); });
    QTRY_COMPARE(Window().SelectedProfile()->GetName(), std::string("Renamed outside"));
    QCOMPARE(rig_.Field("Name")->text(), QStringLiteral("Renamed outside"));
    QVERIFY(rig_.LogText().contains(QLatin1String("Profile_0001.dat changed on disk: read again")));

    // Being edited, the record is kept; Save asks, and Cancel writes nothing.
    ToggleEnabled();
    ChangeOutside([](cProfile& p) { p.m_SequentialReceivers = "K4"; });
    QTRY_VERIFY(rig_.LogText().contains(QLatin1String("your changes are kept")));
    const QByteArray theirs = rig_.Bytes(rig_.ProfileFile(1));
    rig_.answers = {2};
    QVERIFY(!Window().SaveSelected());
    QCOMPARE(rig_.questions.last().answers, (QStringList{"Reload", "Overwrite", "Cancel"}));
    QCOMPARE(rig_.Bytes(rig_.ProfileFile(1)), theirs);
    rig_.answers = {1};  // Overwrite
    QVERIFY(Window().SaveSelected());
    QCOMPARE(EditorRig::Saved(1).m_Enabled, int16_t{0});
    QCOMPARE(EditorRig::Saved(1).m_SequentialReceivers, std::string());

    ToggleEnabled();
    ChangeOutside([](cProfile& p) { p.m_SequentialReceivers = "K5"; });
    rig_.answers = {0};  // Reload
    QVERIFY(Window().SaveSelected());
    QCOMPARE(Window().SelectedProfile()->m_SequentialReceivers, std::string("K5"));
    QVERIFY(!Window().SelectedHasChanges());

    // A file another program deletes leaves the list; the calendar is followed too.
    QVERIFY(QFile::remove(rig_.ProfileFile(5)));
    QTRY_VERIFY(Window().List().ItemOf(5) == nullptr);
    const QString file = rig_.dir->path() + QStringLiteral("/holidays.cal");
    QVERIFY(Window().OpenCalendar(file));
    cCalendar other;
    other.SetDayType(DayNumberFromCivil(2024, 12, 25), 8);
    other.SaveToDisk(file.toStdString());
    QTRY_COMPARE(Window().Calendar()->Calendar()->GetDayType(DayNumberFromCivil(2024, 12, 25)), int16_t{8});
    QVERIFY(!Window().CalendarHasChanges());
  }

  void saveWritesBackWhatNobodyTouchedAndRefusesUnstorableTexts() {
    const cProfile loaded = EditorRig::Saved(1);
    rig_.TypeName(QStringLiteral("Rows kept"));
    QVERIFY(Window().SaveSelected());
    const cProfile saved = EditorRig::Saved(1);
    for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
      QCOMPARE(saved.m_TimeSchedule->GetAxisOfDayType(d), loaded.m_TimeSchedule->GetAxisOfDayType(d));
    }
    QVERIFY(!Window().SelectedHasChanges());

    // "Ω" is no character of the files' code page: nothing is written.
    const QByteArray before = rig_.Bytes(rig_.ProfileFile(1));
    rig_.TypeName(QStringLiteral("mega"));
    rig_.Field("Name")->home(false);
    QTest::sendKeyEvent(QTest::Click, rig_.Field("Name"), Qt::Key_unknown, QStringLiteral("Ω"), Qt::NoModifier);
    QCOMPARE(Window().SelectedProfile()->GetName(), std::string("Ωmega"));
    QVERIFY(!Window().SaveSelected());
    QVERIFY2(rig_.notices.last().contains(QStringLiteral("the field 'Name' holds 'Ω'")), qPrintable(rig_.notices.last()));
    QCOMPARE(rig_.Bytes(rig_.ProfileFile(1)), before);
    QVERIFY(Window().SelectedHasChanges());
  }

  void useCalendarAndASpecialDayTypeReachTheChartAndTheAnswers() {
    const QString file = rig_.dir->path() + QStringLiteral("/holidays.cal");
    QVERIFY(Window().OpenCalendar(file));
    const int32_t easter = DayNumberFromCivil(2024, 4, 1);  // a Monday
    Window().Calendar()->Calendar()->SetDayType(easter, 8);
    auto* use_calendar = qobject_cast<QCheckBox*>(rig_.Editor("UseCalendar"));
    QTest::mouseClick(use_calendar, Qt::LeftButton, {}, QPoint(8, use_calendar->height() / 2));
    QListWidget* day_types = Window().Form()->DayTypeList();
    QCOMPARE(day_types->item(7)->text(), QStringLiteral("Special day type 1"));
    day_types->item(7)->setCheckState(Qt::Checked);
    const auto schedule = Window().SelectedProfile()->m_TimeSchedule;
    QCOMPARE(schedule->m_UseCalendar, int16_t{-1});
    QCOMPARE(schedule->GetActive(7), int16_t{-1});
    // The chart has the special day's row, reached by its scroll bar.
    QCOMPARE(schedule->m_NumberOfAxisToPaint, int16_t{8});
    QCOMPARE(Window().Schedule()->ScrollBar()->maximum(), 4);
    QCOMPARE(schedule->GetAxisOfDayType(7), int16_t{7});
    // Night shift (00:00-06:00 and 22:00-24:00) is active Monday 05:59, not at
    // 06:59, and not on the special day without periods; each answer is logged.
    const QString night = Window().ActiveNow(QDateTime(QDate(2024, 4, 8), QTime(5, 59)));
    QVERIFY2(night.contains(QLatin1String("Monday 2024-04-08 05:59: active")), qPrintable(night));
    QVERIFY(night.contains(QLatin1String("period 00:00-06:00); next change 2024-04-08 06:00")));
    const QString morning = Window().ActiveNow(QDateTime(QDate(2024, 4, 8), QTime(6, 59)));
    QVERIFY2(morning.contains(QLatin1String("not active")) && morning.contains(QLatin1String("next change 2024-04-08 22:00")),
             qPrintable(morning));
    QVERIFY(rig_.LogText().contains(morning));
    // Outside the calendar's years: an answer, not a crash.
    QVERIFY(Window().ActiveNow(QDateTime(QDate(2041, 1, 1), QTime(0, 0))).contains(QLatin1String("no answer")));
    const QString special = Window().ActiveNow(QDateTime(QDate(2024, 4, 1), QTime(3, 0)));
    QVERIFY2(special.contains(QLatin1String("not active (day type 7 Special day type 1, decided by the calendar")),
             qPrintable(special));
    QCOMPARE(rig_.notices.last(), special);

    QVERIFY(Window().SaveSelected());
    const cProfile saved = EditorRig::Saved(1);
    QCOMPARE(saved.m_TimeSchedule->m_UseCalendar, int16_t{-1});
    QCOMPARE(saved.m_TimeSchedule->GetActive(7), int16_t{-1});
    // Undo goes on after the save; the chart follows.
    Window().UndoAction()->trigger();
    QCOMPARE(schedule->GetActive(7), int16_t{0});
    QCOMPARE(Window().Schedule()->ScrollBar()->maximum(), 0);
    QVERIFY(Window().SelectedHasChanges());
  }

  void undoGoesBackToTheRecordItChanges() {
    rig_.TypeName(QStringLiteral("First"));
    QVERIFY(Window().SaveSelected());
    QVERIFY(Window().SelectProfile(2));
    QVERIFY(Window().windowTitle().contains(rig_.dir->path()));
    Window().UndoAction()->trigger();
    QCOMPARE(Window().SelectedIdentity(), int16_t{1});
    QCOMPARE(Window().SelectedProfile()->GetName(), std::string("Night shift"));
    QVERIFY(Window().isWindowModified());
    // Leaving it asks as for any change; Redo takes the user back again.
    rig_.save_answers = {SaveChoice::kDiscard};
    QVERIFY(Window().SelectProfile(3));
    Window().RedoAction()->trigger();
    QCOMPARE(Window().SelectedIdentity(), int16_t{1});
    QCOMPARE(Window().SelectedProfile()->GetName(), std::string("First"));

    // A painted day marks the calendar, whose path the label keeps whole.
    QVERIFY(Window().OpenCalendar(rig_.dir->path() + QStringLiteral("/holidays.cal")));
    Window().Calendar()->Calendar()->SetDayType(0, 8);
    emit Window().Calendar()->calendarChanged();
    QCOMPARE(Window().CalendarLabel()->FullText(),
             QStringLiteral("Calendar: * %1/holidays.cal").arg(rig_.dir->path()));
    QCOMPARE(Window().CalendarLabel()->toolTip(), Window().CalendarLabel()->FullText());
  }
};

QTEST_MAIN(EditorDiskTest)
#include "editor_disk_test.moc"
