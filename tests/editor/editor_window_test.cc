// quindo-editor driven through its widgets: a sample directory opened, a
// field typed and the week chart dragged with the mouse, undo and redo,
// saving (the file's bytes change), discarding, the Save/Discard/Cancel
// question answered by the test, a directory that cannot be written, a
// corrupt file, and new, duplicate and delete.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

#include "common/language.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "qt/active_profiles_widget.h"
#include "qt/calendar_view.h"
#include "model/schedule/schedule_geometry.h"
#include "qt/time_schedule_view.h"
#include <nlohmann/json.hpp>

#include "tests/editor/editor_rig.h"
#include "tools/editor/answer_panes.h"
#include "tools/editor/editor_window.h"
#include "tools/editor/profile_fields.h"
#include "tools/editor/profile_form.h"
#include "tools/editor/profile_list.h"

using namespace quindo;

class EditorWindowTest : public QObject {
  Q_OBJECT

 private:
  static constexpr int kSamples = EditorRig::kSamples;
  EditorRig rig_;
  std::unique_ptr<EditorWindow>& window_ = rig_.window;
  QList<SaveChoice>& answers_ = rig_.save_answers;

  QString ProfileFile(int identity) const { return rig_.ProfileFile(identity); }
  QByteArray FileBytes(const QString& path) const { return rig_.Bytes(path); }
  void Open() { QVERIFY(rig_.Open()); }
  void TypeName(const QString& text) { rig_.TypeName(text); }
  QString LogText() const { return rig_.LogText(); }

 private slots:
  void init() { QVERIFY(rig_.Start()); }
  void cleanup() { rig_.Stop(); }

  // The agenda and the check answer for the profiles as edited, undo
  // included, and a row's profile is one activation away.
  void agendaAndCheckFollowEditsAndUndoAndSelectTheirProfile() {
    window_->SetAnswersClock([] { return QDateTime(QDate(2024, 1, 8), QTime(0, 0)); });
    window_->RefreshAnswers();
    QTreeWidget* agenda = window_->Agenda();
    QVERIFY(agenda->topLevelItemCount() > 0);
    QCOMPARE(agenda->topLevelItem(0)->text(0), QStringLiteral("2024-01-08 00:00"));
    // The last row's profile: select it, rename it, undo.
    const auto rows_named = [agenda](const QString& name) {
      int rows = 0;
      for (int i = 0; i < agenda->topLevelItemCount(); ++i) rows += agenda->topLevelItem(i)->text(2) == name;
      return rows;
    };
    QTreeWidgetItem* last = agenda->topLevelItem(agenda->topLevelItemCount() - 1);
    const auto key = static_cast<int16_t>(last->data(0, Qt::UserRole).toInt());
    const QString name = last->text(2);
    const int rows = rows_named(name);
    emit agenda->itemActivated(last, 0);
    QCOMPARE(window_->SelectedIdentity(), key);
    QCOMPARE(window_->Tabs()->currentIndex(), 0);
    TypeName(QStringLiteral("Renamed on duty"));
    QTRY_COMPARE(rows_named(QStringLiteral("Renamed on duty")), rows);
    window_->UndoStack()->undo();
    QTRY_COMPARE(rows_named(name), rows);

    // A finding about a profile selects it.
    QTreeWidget* check = window_->Check();
    QTreeWidgetItem* finding = nullptr;
    for (int i = 0; i < check->topLevelItemCount() && !finding; ++i) {
      const QVariant of = check->topLevelItem(i)->data(0, Qt::UserRole);
      if (of.isValid() && of.toInt() != key) finding = check->topLevelItem(i);
    }
    QVERIFY(finding != nullptr);
    emit check->itemActivated(finding, 0);
    QCOMPARE(window_->SelectedIdentity(), static_cast<int16_t>(finding->data(0, Qt::UserRole).toInt()));
  }

  // How names nest is the profile list's own test.
  void openingListsEveryProfileNestedByAtWithItsEnabledState() {
    QCOMPARE(window_->List().ProfileCount(), kSamples);
    for (int16_t identity = 1; identity <= kSamples; ++identity) {
      const QTreeWidgetItem* item = window_->List().ItemOf(identity);
      QVERIFY(item != nullptr);
      const cProfile* profile = window_->Directory().Find(identity);
      QCOMPARE(item->checkState(0) == Qt::Checked, profile->m_Enabled != 0);
      QCOMPARE(item->parent() != nullptr, profile->GetName().find('@') != std::string::npos);
    }
    // The first profile is shown, unchanged by being shown.
    QCOMPARE(window_->SelectedIdentity(), int16_t{1});
    QVERIFY(!window_->isWindowModified());
    QVERIFY(!window_->List().ItemOf(1)->text(0).startsWith('*'));
  }

  void mouseStrokeOnTheWeekChartIsOneUndoStep() {
    TimeScheduleView* view = window_->Schedule();
    const auto schedule = window_->SelectedProfile()->m_TimeSchedule;
    const std::string before = schedule->ComposePeriodArray();
    const float scale = schedule->ScaleFactor();
    auto at = [&](int minute) {
      return view->PicturePoint(QPointF(MinuteToX(minute, scale), BarLineY(0, 6))).toPoint();
    };
    QTest::mousePress(view->Picture(), Qt::LeftButton, {}, at(600));
    QTest::mouseMove(view->Picture(), at(660));
    QTest::mouseMove(view->Picture(), at(720));
    QTest::mouseRelease(view->Picture(), Qt::LeftButton, {}, at(720));
    const std::string after = schedule->ComposePeriodArray();
    QVERIFY(after != before);
    QCOMPARE(window_->UndoStack()->count(), 1);
    QVERIFY(window_->isWindowModified());

    window_->UndoStack()->undo();
    QVERIFY(schedule->ComposePeriodArray() == before);
    QVERIFY(!window_->isWindowModified());
    window_->UndoStack()->redo();
    QVERIFY(schedule->ComposePeriodArray() == after);
  }

  void leavingAChangedProfileAsksSaveDiscardOrCancel() {
    const QByteArray original = FileBytes(ProfileFile(1));
    TypeName(QStringLiteral("Changed"));  // Cancel is the input test's (the tree keeps the record)
    answers_ = {SaveChoice::kDiscard};
    QVERIFY(window_->SelectProfile(2));
    QCOMPARE(FileBytes(ProfileFile(1)), original);
    QCOMPARE(window_->Directory().Find(1)->GetName(), std::string("Night shift"));
    QVERIFY(!window_->List().ItemOf(1)->text(0).startsWith('*'));

    TypeName(QStringLiteral("Kept"));
    answers_ = {SaveChoice::kSave};
    QVERIFY(window_->SelectProfile(3));
    QCOMPARE(rig_.save_questions.size(), 2);
    QCOMPARE(EditorRig::Saved(2).GetName(), std::string("Kept"));

    // Closing asks too, and Cancel keeps the window.
    TypeName(QStringLiteral("Unsaved"));
    answers_ = {SaveChoice::kCancel};
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
  }

  void calendarStrokeIsOneUndoStepAndSaveWritesTheCalendarFile() {
    const QString file = rig_.dir->path() + QStringLiteral("/holidays.cal");
    QVERIFY(window_->OpenCalendar(file));  // missing: starts empty
    CalendarView* view = window_->Calendar();
    QVERIFY(view->ShowMonth(2024, 3));
    view->DayTypeList()->setCurrentIndex(8);  // calendar day type 8
    // Box centres of March 2024 (the 1st is a Friday).
    auto box = [](int day) {
      const int position = day - 1 + 4;
      return QPoint(30 + 40 * (position % 7) + 20, 20 + 25 * (position / 7) + 12);
    };
    QTest::mousePress(view->PaintArea(), Qt::LeftButton, {}, box(1));
    for (int day = 2; day <= 4; ++day) QTest::mouseMove(view->PaintArea(), box(day));
    QTest::mouseRelease(view->PaintArea(), Qt::LeftButton, {}, box(4));
    const int32_t march1 = DayNumberFromCivil(2024, 3, 1);
    QCOMPARE(view->Calendar()->GetDayType(march1 + 3), int16_t{8});
    QCOMPARE(window_->UndoStack()->count(), 1);
    QVERIFY(window_->CalendarHasChanges() && window_->isWindowModified());

    window_->UndoStack()->undo();
    for (int day = 0; day < 4; ++day) QCOMPARE(view->Calendar()->GetDayType(march1 + day), int16_t{0});
    QVERIFY(!window_->CalendarHasChanges());
    window_->UndoStack()->redo();
    QVERIFY(!QFile::exists(file));
    QVERIFY(window_->SaveSelected());
    cCalendar reread;
    QVERIFY(reread.ReadFromDisk(file.toStdString()));
    QCOMPARE(reread.GetDayType(march1 + 2), int16_t{8});
    QVERIFY(!window_->isWindowModified());
  }

  void treeCheckBoxIsAnUndoableEnabledEdit() {
    QTreeWidgetItem* item = window_->List().ItemOf(1);
    const int16_t enabled = window_->SelectedProfile()->m_Enabled;
    item->setCheckState(0, enabled != 0 ? Qt::Unchecked : Qt::Checked);
    QCOMPARE(window_->SelectedProfile()->m_Enabled != 0, enabled == 0);
    QVERIFY(qobject_cast<QCheckBox*>(window_->Form()->Editor(FindProfileField(QStringLiteral("Enabled"))))
                ->isChecked() == (enabled == 0));
    window_->UndoStack()->undo();
    QCOMPARE(window_->SelectedProfile()->m_Enabled, enabled);
    QCOMPARE(window_->List().ItemOf(1)->checkState(0) == Qt::Checked, enabled != 0);
  }

  void saveIntoAnUnwritableDirectoryFailsVisiblyAndLosesNothing() {
    // Tests run as root, so a read-only mode would not stop the write: the
    // Profiles folder is moved away and a plain file takes its name.
    const QString profiles = rig_.dir->path() + QStringLiteral("/Profiles");
    const QString moved = rig_.dir->path() + QStringLiteral("/Profiles.away");
    const QByteArray original = FileBytes(ProfileFile(1));
    TypeName(QStringLiteral("Unwritable"));
    QVERIFY(QDir().rename(profiles, moved));
    QFile blocker(profiles);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QVERIFY(!window_->SaveSelected());
    QVERIFY2(LogText().contains(QLatin1String("Profile_0001.dat")), qPrintable(LogText()));
    QVERIFY(LogText().contains(QLatin1String("Not saved")));
    QVERIFY(window_->isWindowModified());
    QCOMPARE(window_->SelectedProfile()->GetName(), std::string("Unwritable"));
    QCOMPARE(window_->UndoStack()->count(), 1);  // still undoable

    QVERIFY(QFile::remove(profiles));
    QVERIFY(QDir().rename(moved, profiles));
    QCOMPARE(FileBytes(ProfileFile(1)), original);
    QVERIFY(window_->SaveSelected());
    QVERIFY(!window_->isWindowModified());
  }

  // The loader's thread reports with the program's texts, as the window's does.
  void corruptFileIsListedUnreadableWithTheProgramsMessageAndTheOthersWork() {
    rig_.Stop();
    const QByteArray corrupt("\xb5\xa3garbage that is no profile", 28);  // version -23627
    QVERIFY(rig_.Start([&](EditorRig& rig) {
      QFile file(rig.ProfileFile(3));
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(corrupt);
    }));
    QTreeWidgetItem* item = window_->List().ItemOf(3);
    QVERIFY(ProfileList::IsUnreadable(item));
    QVERIFY(item->text(0).contains(QLatin1String("Profile_0003.dat (unreadable)")));
    QVERIFY(!item->toolTip(0).isEmpty());
    const QString expected = QStringLiteral("Unknown file version in '%1' (-23627) File not read.").arg(ProfileFile(3));
    QVERIFY2(LogText().contains(expected), qPrintable(LogText()));
    QVERIFY(!LogText().contains(QLatin1String("Invalid Text")));
    QVERIFY(LogText().contains(QLatin1String("(1 unreadable)")));
    QVERIFY(window_->SelectProfile(3));
    QVERIFY(!window_->Form()->isEnabled());
    QVERIFY(window_->SaveSelected());  // nothing to save: the file is left as it is
    QCOMPARE(FileBytes(ProfileFile(3)), corrupt);
    QVERIFY(window_->SelectProfile(4));
    TypeName(QStringLiteral("Still works"));
    QVERIFY(window_->SaveSelected());
  }

  // An import writes nothing: it replaces the profile of its identity when
  // the user says so, or becomes a draft; odd periods are named first.
  void importAsksReplaceOrNewAndNamesOddPeriods() {
    const QString json = rig_.dir->path() + QStringLiteral("/night.json");
    QCOMPARE(window_->SuggestedExportFile(), rig_.dir->path() + QStringLiteral("/Night shift.json"));
    QVERIFY(window_->ExportSelected(json));
    QVERIFY(FileBytes(json).contains("\"Night shift\""));
    const QStringList files_before = rig_.Files(QStringLiteral("Profiles"));

    rig_.answers = {1};  // a new profile
    const int16_t draft = window_->ImportProfile(json);
    QVERIFY2(rig_.questions.size() == 1, qPrintable(rig_.questions.last().text));
    QCOMPARE(rig_.questions[0].answers.first(), QStringLiteral("Replace"));
    QVERIFY(window_->Directory().IsDraft(draft));
    QCOMPARE(window_->SelectedIdentity(), draft);
    QVERIFY(window_->List().ItemOf(draft)->text(0).startsWith(QLatin1String("* ")));
    QCOMPARE(rig_.Files(QStringLiteral("Profiles")), files_before);
    QVERIFY(window_->SaveSelected());
    const int16_t saved = window_->SelectedIdentity();
    QVERIFY(saved > 0 && saved != 1 && QFile::exists(ProfileFile(saved)));
    QVERIFY(window_->Directory().Find(saved)->m_TimeSchedule->ComposePeriodArray() ==
            window_->Directory().Find(1)->m_TimeSchedule->ComposePeriodArray());

    // Over profile 1, as "profile put" would: in memory until Save, undoable.
    {
      const QByteArray bytes = FileBytes(json);
      nlohmann::json profile = nlohmann::json::parse(bytes.begin(), bytes.end());
      profile["Name"] = "Night watch";
      profile["TimeSchedule"]["DayTypes"][0]["Periods"] = {{0, 360}, {900, 100}, {2000, 3000}, {-5, 30}};
      QFile changed(json);
      QVERIFY(changed.open(QIODevice::WriteOnly | QIODevice::Truncate));
      changed.write(QByteArray::fromStdString(profile.dump()));
    }
    const QByteArray file_one = FileBytes(ProfileFile(1));
    rig_.answers = {0, 0};  // keep the odd periods, replace
    QCOMPARE(window_->ImportProfile(json), int16_t{1});
    const QString odd = rig_.questions[1].text;
    QVERIFY2(odd.contains(QLatin1String("Monday [900, 100]: starts at or after its stop, covers nothing")), qPrintable(odd));
    QVERIFY(odd.contains(QLatin1String("Monday [2000, 3000]: reaches outside 00:00-24:00, covers nothing")));
    QVERIFY(odd.contains(QLatin1String("Monday [-5, 30]: reaches outside 00:00-24:00, covers only 00:00-00:30")));
    QCOMPARE(window_->SelectedProfile()->GetName(), std::string("Night watch"));
    QCOMPARE(window_->SelectedProfile()->m_TimeSchedule->Periods(0).size(), size_t{4});
    QVERIFY(window_->SelectedHasChanges());
    QCOMPARE(FileBytes(ProfileFile(1)), file_one);
    window_->UndoStack()->undo();
    QCOMPARE(window_->SelectedProfile()->GetName(), std::string("Night shift"));
    QVERIFY(!window_->SelectedHasChanges());

    rig_.answers = {1, 1};  // drop them, a new profile
    const int16_t dropped = window_->ImportProfile(json);
    QCOMPARE(window_->Directory().Find(dropped)->m_TimeSchedule->Periods(0).size(), size_t{1});

    // A file that is no profile changes nothing and says why.
    QFile bad(rig_.dir->path() + QStringLiteral("/bad.json"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("{\"Name\": 5}");
    bad.close();
    const size_t count = window_->Directory().Size();
    QCOMPARE(window_->ImportProfile(bad.fileName()), int16_t{-1});
    QCOMPARE(window_->Directory().Size(), count);
    QVERIFY(rig_.notices.last().contains(QLatin1String("Import of")) && rig_.notices.last().contains(QLatin1String("Name")));
  }

  void activeNowAnswersFromTheScheduleWithTheNextChange() {
    // Night shift: 00:00-06:00 and 22:00-24:00 every day.
    const QString night = window_->ActiveNow(QDateTime(QDate(2024, 4, 1), QTime(3, 0)));
    QVERIFY2(night.contains(QLatin1String(": active")), qPrintable(night));
    QVERIFY(night.contains(QLatin1String("next change 2024-04-01 06:00")));
    const QString day = window_->ActiveNow(QDateTime(QDate(2024, 4, 1), QTime(12, 0)));
    QVERIFY2(day.contains(QLatin1String("not active")) && day.contains(QLatin1String("next change 2024-04-01 22:00")),
             qPrintable(day));
    QVERIFY(LogText().contains(day));
    // Outside the calendar's years: an answer, not a crash.
    QVERIFY(window_->ActiveNow(QDateTime(QDate(2041, 1, 1), QTime(0, 0))).contains(QLatin1String("no answer")));
  }

  void serverTabPointsTheLiveControlAtTheTypedServer() {
    window_->findChild<QLineEdit*>(QStringLiteral("serverAddress"))->setText(QStringLiteral("127.0.0.2"));
    window_->findChild<QSpinBox*>(QStringLiteral("serverPort"))->setValue(40123);
    QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("serverConnect")), Qt::LeftButton);
    QCOMPARE(window_->Server()->ServerAddress() + QString::number(window_->Server()->ServerPort()),
             QStringLiteral("127.0.0.240123"));
  }

  // New and Duplicate make disabled drafts that reach the disk on Save.
  void newAndDuplicateAreDraftsAndDeleteAsksWithNoAsDefault() {
    const QStringList files = rig_.Files(QStringLiteral("Profiles"));
    QVERIFY(rig_.Activate());
    QTest::keyClick(window_.get(), Qt::Key_N, Qt::ControlModifier);
    const int16_t created = window_->SelectedIdentity();
    QVERIFY(window_->Directory().IsDraft(created));
    QCOMPARE(window_->SelectedProfile()->m_Enabled, int16_t{0});
    QVERIFY(window_->List().ItemOf(created)->text(0).startsWith(QLatin1String("* New profile")));
    QVERIFY(window_->isWindowModified());
    QCOMPARE(rig_.Files(QStringLiteral("Profiles")), files);
    // Leaving the draft asks; Discard drops it.
    answers_ = {SaveChoice::kDiscard};
    QVERIFY(window_->SelectProfile(1));
    QVERIFY(!window_->Directory().Contains(created));
    QVERIFY(window_->List().ItemOf(created) == nullptr);

    const int16_t copy = window_->DuplicateSelected();
    QVERIFY(window_->Directory().IsDraft(copy));
    QCOMPARE(window_->SelectedProfile()->m_Enabled, int16_t{0});
    QCOMPARE(rig_.Files(QStringLiteral("Profiles")), files);
    QVERIFY(window_->SaveSelected());
    const int16_t stored = window_->SelectedIdentity();
    QVERIFY(stored > 0 && window_->List().ItemOf(stored) != nullptr);
    QVERIFY(rig_.LogText().contains(QLatin1String("Saved profile 'Night shift (copy)' as new file")));
    const cProfile reread = EditorRig::Saved(stored);
    QCOMPARE(reread.GetName(), std::string("Night shift (copy)"));
    QVERIFY(reread.m_TimeSchedule->ComposePeriodArray() ==
            window_->Directory().Find(1)->m_TimeSchedule->ComposePeriodArray());

    rig_.answers = {1};
    QVERIFY(!window_->DeleteSelected());
    QCOMPARE(rig_.questions.last().answers[rig_.questions.last().default_answer], QStringLiteral("No"));
    QVERIFY(QFile::exists(ProfileFile(stored)));
    const QString deleted_log = rig_.dir->path() + QStringLiteral("/Profiles/DeletedProfiles.dat");
    // With a redundancy role the partner learns of the deletion.
    RedundancyRole() = 1;
    rig_.answers = {0};
    QVERIFY(window_->DeleteSelected());
    RedundancyRole() = 0;
    QVERIFY(!QFile::exists(ProfileFile(stored)));
    QVERIFY(FileBytes(deleted_log).contains("Night shift (copy)"));
    QVERIFY(rig_.LogText().contains(QLatin1String("Deleted profile 'Night shift (copy)'")));
    QVERIFY(window_->List().ItemOf(stored) == nullptr);
    QVERIFY(!window_->Directory().Contains(stored));
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
