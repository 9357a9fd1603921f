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
  EditorRig rig_;
  std::unique_ptr<EditorWindow>& window_ = rig_.window;

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
    rig_.TypeName(QStringLiteral("Renamed on duty"));
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

  // How names nest is the profile list's own test; here the window lists
  // what it loaded, and a row's check box is an undoable edit.
  void openingListsEveryProfileAndTheCheckBoxIsAnUndoableEnabledEdit() {
    QCOMPARE(window_->List().ProfileCount(), EditorRig::kSamples);
    for (int16_t identity = 1; identity <= EditorRig::kSamples; ++identity) {
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

    QTreeWidgetItem* item = window_->List().ItemOf(1);
    const int16_t enabled = window_->SelectedProfile()->m_Enabled;
    item->setCheckState(0, enabled != 0 ? Qt::Unchecked : Qt::Checked);
    QCOMPARE(window_->SelectedProfile()->m_Enabled != 0, enabled == 0);
    QVERIFY(qobject_cast<QCheckBox*>(rig_.Editor("Enabled"))->isChecked() == (enabled == 0));
    window_->UndoStack()->undo();
    QCOMPARE(window_->SelectedProfile()->m_Enabled, enabled);
    QCOMPARE(item->checkState(0) == Qt::Checked, enabled != 0);
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
    const QByteArray original = rig_.Bytes(rig_.ProfileFile(1));
    rig_.TypeName(QStringLiteral("Changed"));  // Cancel is the input test's (the tree keeps the record)
    rig_.save_answers = {SaveChoice::kDiscard};
    QVERIFY(window_->SelectProfile(2));
    QCOMPARE(rig_.Bytes(rig_.ProfileFile(1)), original);
    QCOMPARE(window_->Directory().Find(1)->GetName(), std::string("Night shift"));
    QVERIFY(!window_->List().ItemOf(1)->text(0).startsWith('*'));

    rig_.TypeName(QStringLiteral("Kept"));
    rig_.save_answers = {SaveChoice::kSave};
    QVERIFY(window_->SelectProfile(3));
    QCOMPARE(rig_.save_questions.size(), 2);
    QCOMPARE(EditorRig::Saved(2).GetName(), std::string("Kept"));

    // Closing asks too, and Cancel keeps the window.
    rig_.TypeName(QStringLiteral("Unsaved"));
    rig_.save_answers = {SaveChoice::kCancel};
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

  void saveIntoAnUnwritableDirectoryFailsVisiblyAndLosesNothing() {
    // Tests run as root, so a read-only mode would not stop the write: the
    // Profiles folder is moved away and a plain file takes its name.
    const QString profiles = rig_.dir->path() + QStringLiteral("/Profiles");
    const QString moved = rig_.dir->path() + QStringLiteral("/Profiles.away");
    const QByteArray original = rig_.Bytes(rig_.ProfileFile(1));
    rig_.TypeName(QStringLiteral("Unwritable"));
    QVERIFY(QDir().rename(profiles, moved));
    QFile blocker(profiles);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QVERIFY(!window_->SaveSelected());
    QVERIFY2(rig_.LogText().contains(QLatin1String("Profile_0001.dat")), qPrintable(rig_.LogText()));
    QVERIFY(rig_.LogText().contains(QLatin1String("Not saved")));
    QVERIFY(window_->isWindowModified());
    QCOMPARE(window_->SelectedProfile()->GetName(), std::string("Unwritable"));
    QCOMPARE(window_->UndoStack()->count(), 1);  // still undoable

    QVERIFY(QFile::remove(profiles));
    QVERIFY(QDir().rename(moved, profiles));
    QCOMPARE(rig_.Bytes(rig_.ProfileFile(1)), original);
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
    QVERIFY(!item->toolTip(0).isEmpty());
    const QString expected = QStringLiteral("Unknown file version in '%1' (-23627) File not read.").arg(rig_.ProfileFile(3));
    QVERIFY2(rig_.LogText().contains(expected), qPrintable(rig_.LogText()));
    QVERIFY(!rig_.LogText().contains(QLatin1String("Invalid Text")));
    QVERIFY(rig_.LogText().contains(QLatin1String("(1 unreadable)")));
    QVERIFY(window_->SelectProfile(3));
    QVERIFY(!window_->Form()->isEnabled());
    QVERIFY(window_->SaveSelected());  // nothing to save: the file is left as it is
    QCOMPARE(rig_.Bytes(rig_.ProfileFile(3)), corrupt);
    QVERIFY(window_->SelectProfile(4));
    rig_.TypeName(QStringLiteral("Still works"));
    QVERIFY(window_->SaveSelected());
  }

  // An import writes nothing: it replaces the profile of its identity when
  // the user says so, or becomes a draft; odd periods are named first.
  void importAsksReplaceOrNewAndNamesOddPeriods() {
    const QString json = rig_.dir->path() + QStringLiteral("/night.json");
    QCOMPARE(window_->SuggestedExportFile(), rig_.dir->path() + QStringLiteral("/Night shift.json"));
    QVERIFY(window_->ExportSelected(json));
    QVERIFY(rig_.Bytes(json).contains("\"Night shift\""));
    const QStringList files_before = rig_.Files(QStringLiteral("Profiles"));

    rig_.answers = {1};  // a new profile
    const int16_t draft = window_->ImportProfile(json);
    QVERIFY2(rig_.questions.size() == 1, qPrintable(rig_.questions.last().text));
    QVERIFY(window_->Directory().IsDraft(draft));
    QCOMPARE(window_->SelectedIdentity(), draft);
    QCOMPARE(rig_.Files(QStringLiteral("Profiles")), files_before);
    QVERIFY(window_->Directory().Find(draft)->m_TimeSchedule->ComposePeriodArray() ==
            window_->Directory().Find(1)->m_TimeSchedule->ComposePeriodArray());

    // Over profile 1, as "profile put" would: in memory until Save, undoable.
    {
      const QByteArray bytes = rig_.Bytes(json);
      nlohmann::json profile = nlohmann::json::parse(bytes.begin(), bytes.end());
      profile["Name"] = "Night watch";
      profile["TimeSchedule"]["DayTypes"][0]["Periods"] = {{0, 360}, {900, 100}, {2000, 3000}, {-5, 30}};
      QFile changed(json);
      QVERIFY(changed.open(QIODevice::WriteOnly | QIODevice::Truncate));
      changed.write(QByteArray::fromStdString(profile.dump()));
    }
    const QByteArray file_one = rig_.Bytes(rig_.ProfileFile(1));
    rig_.save_answers = {SaveChoice::kDiscard};  // the draft
    rig_.answers = {0, 0};  // keep the odd periods, replace
    QCOMPARE(window_->ImportProfile(json), int16_t{1});
    const QString odd = rig_.questions[1].text;
    QVERIFY2(odd.contains(QLatin1String("Monday [900, 100]: starts at or after its stop, covers nothing")), qPrintable(odd));
    QVERIFY(odd.contains(QLatin1String("Monday [2000, 3000]: reaches outside 00:00-24:00, covers nothing")));
    QVERIFY(odd.contains(QLatin1String("Monday [-5, 30]: reaches outside 00:00-24:00, covers only 00:00-00:30")));
    QCOMPARE(window_->SelectedProfile()->GetName(), std::string("Night watch"));
    QCOMPARE(window_->SelectedProfile()->m_TimeSchedule->Periods(0).size(), size_t{4});
    QVERIFY(window_->SelectedHasChanges());
    QCOMPARE(rig_.Bytes(rig_.ProfileFile(1)), file_one);
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
    rig_.save_answers = {SaveChoice::kDiscard};
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
    const cProfile reread = EditorRig::Saved(stored);
    QCOMPARE(reread.GetName(), std::string("Night shift (copy)"));
    QVERIFY(reread.m_TimeSchedule->ComposePeriodArray() ==
            window_->Directory().Find(1)->m_TimeSchedule->ComposePeriodArray());

    rig_.answers = {1};
    QVERIFY(!window_->DeleteSelected());
    QCOMPARE(rig_.questions.last().answers[rig_.questions.last().default_answer], QStringLiteral("No"));
    QVERIFY(QFile::exists(rig_.ProfileFile(stored)));
    const QString deleted_log = rig_.dir->path() + QStringLiteral("/Profiles/DeletedProfiles.dat");
    // With a redundancy role the partner learns of the deletion.
    RedundancyRole() = 1;
    rig_.answers = {0};
    QVERIFY(window_->DeleteSelected());
    RedundancyRole() = 0;
    QVERIFY(!QFile::exists(rig_.ProfileFile(stored)));
    QVERIFY(rig_.Bytes(deleted_log).contains("Night shift (copy)"));
    QVERIFY(window_->List().ItemOf(stored) == nullptr);
    QVERIFY(!window_->Directory().Contains(stored));
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
