// quindo-editor under the keyboard and the mouse as operators use them: the
// Save key takes the edit in progress, the wheel scrolls the form instead of
// spinning the box it passes, the tree keeps to the record in the form,
// typed times say what became of them, every input has a name, Tab passes
// the systems in one step and reaches both views, the chart takes its
// pane's width, and Grouped Monday-Friday says what it replaces. The
// "Receivers" tab too: a typed name undone, a setting of the wrong range
// refused whole, a setting saved with its kind, the Save/Discard/Cancel
// question, import and export, and an unreadable file listed as such.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSpontaneKeyEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUndoStack>
#include <QWheelEvent>

#include "common/settings.h"
#include "model/receiver/receiver.h"
#include "model/schedule/schedule_geometry.h"
#include "qt/active_profiles_widget.h"
#include "qt/calendar_view.h"
#include "qt/time_schedule_view.h"
#include "tests/editor/editor_rig.h"
#include "tools/editor/elided_label.h"
#include "tools/editor/profile_list.h"
#include "tools/editor/receiver_pane.h"

using namespace quindo;

namespace {

// A press on a row's bar at a minute selects the period there.
void PressOnBar(TimeScheduleView* view, int row, int minute, Qt::MouseButton button = Qt::LeftButton) {
  const QPointF at(MinuteToX(minute, view->Schedule()->ScaleFactor()), BarLineY(row, 6));
  QTest::mouseClick(view->Picture(), button, {}, view->PicturePoint(at).toPoint());
}

void Retype(QWidget* box, const QString& text) {
  box->setFocus();
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(box, text);
}

void SaveKey() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier); }

}  // namespace

class EditorInputTest : public QObject {
  Q_OBJECT

 private:
  EditorRig rig_;
  EditorWindow& Window() { return *rig_.window; }
  // The receivers tab, brought to the front.
  ReceiverPane& Pane() {
    Window().Tabs()->setCurrentWidget(Window().Receivers());
    return *Window().Receivers();
  }
  QString ReceiverFile(int identity) const {
    return rig_.dir->path() + QStringLiteral("/Receivers/Receiver_%1.dat").arg(identity, 4, 10, QLatin1Char('0'));
  }

 private slots:
  // Two receivers of two types and an unreadable file.
  void init() {
    ReceiverTypes()[0] = ReceiverType{5, "Pager", "ESPA", ""};
    ReceiverTypes()[1] = ReceiverType{7, "Mail", "SMTP", ""};
    NumberOfReceiverTypes() = 2;
    QVERIFY(rig_.Start([this](EditorRig& rig) {
      QVERIFY(QDir().mkpath(rig.dir->path() + QStringLiteral("/Receivers")));
      for (int16_t identity : {int16_t{1}, int16_t{2}}) {
        cReceiver receiver;
        receiver.m_DiskIdentity = identity;
        receiver.m_ReceiverName = identity == 1 ? "Desk pager" : "Night mail";
        receiver.SetReceiverTypeId(identity == 1 ? 5 : 7);
        receiver.SaveSetting(0, TypedValue::Text("COM1"));
        QVERIFY(receiver.SaveToDisk());
      }
      QFile corrupt(ReceiverFile(3));
      QVERIFY(corrupt.open(QIODevice::WriteOnly) && corrupt.write("\x01\x00xx", 4) == 4);
    }));
    QVERIFY(rig_.Activate());
  }
  void cleanup() {
    rig_.Stop();
    NumberOfReceiverTypes() = 0;
  }

  void saveKeyTakesTheEditInProgress() {
    auto* state = qobject_cast<QSpinBox*>(rig_.Editor("State0"));
    Retype(state, QStringLiteral("42"));
    SaveKey();
    cProfile reread;
    QVERIFY(reread.LoadFromDisk(1));
    QCOMPARE(reread.GetState(0), int16_t{42});
    QVERIFY(!Window().isWindowModified());

    // A typed start time of Monday's 00:00-06:00.
    TimeScheduleView* chart = Window().Schedule();
    PressOnBar(chart, 0, 180);
    QCOMPARE(chart->StartField()->text(), QStringLiteral("00:00"));
    Retype(chart->StartField(), QStringLiteral("01:30"));
    SaveKey();
    QVERIFY(reread.LoadFromDisk(1));
    QCOMPARE(reread.m_TimeSchedule->Periods(0).front()->m_StartMinute, int16_t{90});

    // A receiver's setting.
    QVERIFY(Pane().Select(1));
    Retype(Pane().ValueField(0), QStringLiteral("COM7"));
    SaveKey();
    cReceiver pager;
    QVERIFY(pager.LoadFromDisk(1));
    QCOMPARE(pager.GetSetting(0).ToText(), std::string("COM7"));
    QVERIFY(!Window().isWindowModified());
  }

  void wheelOverABoxWithoutTheFocusScrollsTheForm() {
    auto* axis = qobject_cast<QSpinBox*>(rig_.Editor("Calendar_ViewTimeAxis"));
    QScrollBar* form_scroll = Window().FormScroll()->verticalScrollBar();
    QVERIFY(form_scroll->maximum() > 0);
    const auto wheel = [&] {
      const QPointF at = QRectF(axis->rect()).center();
      QWheelEvent event(at, axis->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      // As the window system delivers it (sendEvent would make it synthetic).
      QSpontaneKeyEvent::setSpontaneous(&event);
      qApp->notify(axis, &event);
    };
    wheel();
    QCOMPARE(axis->value(), 0);
    QVERIFY(!Window().SelectedHasChanges());
    QVERIFY(form_scroll->value() > 0);
    // With the focus, the box takes it.
    axis->setFocus();
    wheel();
    QCOMPARE(axis->value(), -1);
    QCOMPARE(Window().SelectedProfile()->m_Calendar_ViewTimeAxis, int16_t{-1});
  }

  void treeHighlightsTheRecordInTheForm() {
    QTreeWidget* tree = Window().Tree();
    ProfileList& list = Window().List();
    const int rows = tree->topLevelItemCount();
    const auto highlighted = [&](int16_t key) {
      return tree->currentItem() == list.ItemOf(key) && tree->selectedItems() == QList{list.ItemOf(key)};
    };
    // Cancel in the question keeps the edited record highlighted.
    rig_.TypeName(QStringLiteral("Changed"));
    rig_.save_answers = {SaveChoice::kCancel};
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(list.ItemOf(2)).center());
    QCOMPARE(rig_.save_questions.size(), 1);
    QTRY_VERIFY(highlighted(1));
    QCOMPARE(Window().SelectedIdentity(), int16_t{1});

    // A rename into a collapsed parent: the tree opens it and follows.
    list.ItemOf(4)->setExpanded(false);
    rig_.TypeName(QStringLiteral("Boiler room@Moved"));
    QCOMPARE(list.ItemOf(1)->parent(), list.ItemOf(4));
    QVERIFY(list.ItemOf(4)->isExpanded());
    QVERIFY(highlighted(1));

    // "@@" and then Discard leave no blank or empty rows.
    rig_.TypeName(QStringLiteral("@@"));
    QVERIFY(highlighted(1));
    rig_.save_answers = {SaveChoice::kDiscard};
    QVERIFY(Window().SelectProfile(2));
    QVERIFY(highlighted(2));
    QCOMPARE(tree->topLevelItemCount(), rows);
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
      QVERIFY(!(*it)->text(0).isEmpty() && !(*it)->text(0).contains(QLatin1String("(no name)")));
    }
  }

  void typedTimesSayWhatTheyBecameAndClearOnANewSelection() {
    TimeScheduleView* chart = Window().Schedule();
    QLabel* note = Window().TypedTimeNoteLabel();
    PressOnBar(chart, 0, 180);  // Monday 00:00-06:00
    Retype(chart->StopField(), QStringLiteral("25:00"));
    QTest::keyClick(chart->StopField(), Qt::Key_Return);
    QVERIFY2(note->text().contains(QLatin1String("Stop '25:00' is past 24:00: set to 24:00")), qPrintable(note->text()));
    PressOnBar(chart, 1, 180);  // Tuesday 00:00-06:00
    QVERIFY(note->text().isEmpty());
    Retype(chart->StartField(), QStringLiteral("7"));
    QTest::keyClick(chart->StartField(), Qt::Key_Return);
    QVERIFY2(note->text().contains(QLatin1String("start 07:00 was after stop 06:00: swapped to 06:00-07:00")),
             qPrintable(note->text()));
    QCOMPARE(chart->StartField()->text(), QStringLiteral("06:00"));

    rig_.save_answers = {SaveChoice::kDiscard};
    QVERIFY(Window().SelectProfile(3));
    QVERIFY(chart->StartField()->text().isEmpty() && chart->StopField()->text().isEmpty());
    QVERIFY(note->text().isEmpty());
    // Typing into the empty boxes changes nothing: no period is chosen.
    const std::string schedule = Window().SelectedProfile()->m_TimeSchedule->ComposePeriodArray();
    Retype(chart->StartField(), QStringLiteral("08:00"));
    QTest::keyClick(chart->StartField(), Qt::Key_Return);
    QVERIFY(Window().SelectedProfile()->m_TimeSchedule->ComposePeriodArray() == schedule);
  }

  void everyInputIsNamedAndTabPassesTheSystemsInOneStep() {
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Window().Tree()));
    QWidget* server = Window().findChild<QTabWidget*>()->widget(2);
    for (QWidget* root : {static_cast<QWidget*>(Window().Form()), static_cast<QWidget*>(Window().Receivers()),
                          static_cast<QWidget*>(Window().Schedule()), static_cast<QWidget*>(Window().Calendar()),
                          server}) {
      for (QWidget* input : root->findChildren<QWidget*>()) {
        const bool is_input = qobject_cast<QLineEdit*>(input) || qobject_cast<QAbstractSpinBox*>(input) ||
                              qobject_cast<QComboBox*>(input) || qobject_cast<QAbstractButton*>(input) ||
                              qobject_cast<QAbstractItemView*>(input);
        // The parts of a box or a table are named by it.
        QWidget* parent = input->parentWidget();
        const bool part = qobject_cast<QAbstractSpinBox*>(parent) || qobject_cast<QComboBox*>(parent) ||
                          qobject_cast<QHeaderView*>(input) || qobject_cast<QAbstractItemView*>(parent) ||
                          (parent != nullptr && qobject_cast<QComboBox*>(parent->parentWidget()));
        if (!is_input || part) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(input);
        QVERIFY2(accessible != nullptr && !accessible->text(QAccessible::Name).isEmpty(),
                 qPrintable(QStringLiteral("%1 %2").arg(input->metaObject()->className(), input->objectName())));
      }
    }

    // From the tree by Tab to the chart, its Start box and on to the month:
    // the systems are one stop.
    int presses = 0;
    int systems = 0;
    int to_start = 0;
    bool chart = false;
    while (QApplication::focusWidget() != Window().Calendar()->PaintArea() && presses < 200) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      ++presses;
      systems += QApplication::focusWidget() == Window().Form()->SystemTable() ? 1 : 0;
      chart = chart || QApplication::focusWidget() == Window().Schedule()->Picture();
      if (QApplication::focusWidget() == Window().Schedule()->StartField()) to_start = chart ? presses : -1;
    }
    QCOMPARE(systems, 1);
    QVERIFY2(to_start > 0 && to_start < 40, qPrintable(QString::number(to_start)));
    QVERIFY2(presses < 60, qPrintable(QString::number(presses)));
  }

  void weekChartAndTheLinesBelowItTakeThePanesWidth() {
    TimeScheduleView* chart = Window().Schedule();
    const QMargins margins = chart->parentWidget()->layout()->contentsMargins();
    QCOMPARE(chart->width(), chart->parentWidget()->width() - margins.left() - margins.right());
    QVERIFY2(chart->AxisStretch() > 1.2, qPrintable(QString::number(chart->AxisStretch())));
    QCOMPARE(Window().TypedTimeNoteLabel()->width(), chart->width());
    QCOMPARE(Window().CalendarLabel()->width(), chart->width());
  }

  void groupingMondayToFridayNamesWhatItReplacesFirst() {
    TimeScheduleView* chart = Window().Schedule();
    const auto schedule = chart->Schedule();
    schedule->Periods(1).clear();  // Tuesday differs from Monday
    chart->Refresh();
    const auto choose = [&](int answer) {
      rig_.answers = {answer};
      PressOnBar(chart, 0, 180, Qt::RightButton);
      QMenu* menu = chart->PopupMenu();
      QTRY_VERIFY(menu->isVisible());
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chart->GroupedMonFriAction()).center());
    };
    choose(1);
    QTRY_COMPARE(rig_.questions.size(), 1);
    QVERIFY2(rig_.questions[0].text.contains(QLatin1String("Tuesday (no periods)")), qPrintable(rig_.questions[0].text));
    QVERIFY(schedule->Periods(1).empty());
    choose(0);
    QTRY_COMPARE(schedule->Periods(1).size(), schedule->Periods(0).size());
    QVERIFY(schedule->GetGrouped(1) != 0);
  }

  void receiversAreListedWithTheUnreadableOne() {
    QCOMPARE(Pane().List()->count(), 3);
    QVERIFY(Pane().List()->item(0)->text().contains(QLatin1String("Desk pager (Pager)")));
    QVERIFY(Pane().List()->item(2)->text().contains(QLatin1String("(unreadable)")));
    QVERIFY(Pane().Select(1));
    QCOMPARE(Pane().TypeField()->currentData().toInt(), 5);
    QCOMPARE(Pane().ValueField(0)->text(), QStringLiteral("COM1"));
    QCOMPARE(Pane().KindField(0)->currentText(), QStringLiteral("Text"));
    QVERIFY(Pane().TypeHint()->isHidden());
    // Its box in the list is its Enabled field, and the form's box follows.
    QCheckBox* box = Pane().findChild<QCheckBox*>();
    const bool enabled = Pane().SelectedReceiver()->m_Enabled != 0;
    QCOMPARE(box->isChecked(), enabled);
    Pane().List()->item(0)->setCheckState(enabled ? Qt::Unchecked : Qt::Checked);
    QCOMPARE(Pane().SelectedReceiver()->m_Enabled != 0, !enabled);
    QCOMPARE(box->isChecked(), !enabled);
  }

  void typedNameIsUndoableAndSettingsKeepTheirKind() {
    QVERIFY(Pane().Select(1));
    QTest::keyClicks(Pane().NameField(), QStringLiteral("!"));
    QCOMPARE(Pane().SelectedReceiver()->m_ReceiverName, std::string("Desk pager!"));
    QVERIFY(Pane().SelectedHasChanges());
    rig_.window->UndoStack()->undo();
    QCOMPARE(Pane().SelectedReceiver()->m_ReceiverName, std::string("Desk pager"));
    QVERIFY(!Pane().SelectedHasChanges());

    // "7e" is no whole number: refused whole, and said so.
    Pane().ValueField(1)->setText(QStringLiteral("7e"));
    Pane().KindField(1)->setCurrentIndex(Pane().KindField(1)->findText(QStringLiteral("Whole number")));
    QCOMPARE(Pane().SelectedReceiver()->GetSetting(1).GetKind(), TypedValue::Kind::kEmpty);
    QVERIFY(rig_.LogText().contains(QLatin1String("Receiver not changed")));
    QCOMPARE(Pane().KindField(1)->currentText(), QStringLiteral("Empty"));  // the form shows what was kept
    // A whole number is kept, and saved with its kind.
    Pane().ValueField(1)->setText(QStringLiteral("70000"));
    Pane().KindField(1)->setCurrentIndex(Pane().KindField(1)->findText(QStringLiteral("Whole number")));
    QCOMPARE(Pane().SelectedReceiver()->GetSetting(1).GetKind(), TypedValue::Kind::kLong);
    // Yes/No settings read the words as well as numbers.
    for (int setting : {2, 3}) {
      Pane().ValueField(setting)->setText(setting == 2 ? QStringLiteral("Yes") : QStringLiteral("true"));
      Pane().KindField(setting)->setCurrentIndex(Pane().KindField(setting)->findText(QStringLiteral("Yes/No")));
      QCOMPARE(Pane().SelectedReceiver()->GetSetting(setting).ToInt16(), int16_t{-1});
    }
    QVERIFY(Pane().SaveSelected());
    cReceiver reread;
    QVERIFY(reread.LoadFromDisk(1));
    QCOMPARE(reread.GetSetting(1).GetKind(), TypedValue::Kind::kLong);
    QCOMPARE(reread.GetSetting(1).ToDouble(), 70000.0);
    QCOMPARE(reread.GetSetting(0).ToText(), std::string("COM1"));
  }

  void leavingAChangedReceiverAsks() {
    QVERIFY(Pane().Select(1));
    QTest::keyClicks(Pane().NameField(), QStringLiteral("X"));
    rig_.save_answers = {SaveChoice::kCancel};
    QVERIFY(!Pane().Select(2));
    QCOMPARE(Pane().SelectedIdentity(), int16_t{1});
    rig_.save_answers = {SaveChoice::kSave};
    QVERIFY(Pane().Select(2));
    cReceiver reread;
    QVERIFY(reread.LoadFromDisk(1));
    QCOMPARE(reread.m_ReceiverName, std::string("Desk pagerX"));
  }

  // Import and export go through the JSON of quindo-records; a receiver of
  // the same identity is replaced only when the user says so.
  void importAndExportWorkOnTheReceiversTab() {
    QVERIFY(Pane().Select(2));
    const QString json = Pane().SuggestedExportFile(rig_.dir->path());
    QCOMPARE(json, rig_.dir->path() + QStringLiteral("/Night mail.json"));
    QVERIFY(Pane().ExportSelected(json));
    rig_.answers = {0};  // replace
    QVERIFY(Pane().Select(1));
    QTest::keyClicks(Pane().NameField(), QStringLiteral("!"));
    rig_.save_answers = {SaveChoice::kDiscard};  // leaving the changed receiver 1 asks
    QCOMPARE(Pane().ImportReceiver(json), int16_t{2});
    QCOMPARE(Pane().SelectedIdentity(), int16_t{2});
    QCOMPARE(Pane().SelectedReceiver()->m_ReceiverName, std::string("Night mail"));
    rig_.answers = {1};  // a new receiver, written at once like New receiver
    const int16_t added = Pane().ImportReceiver(json);
    QVERIFY(added > 3 && QFile::exists(ReceiverFile(added)));
    QCOMPARE(Pane().List()->count(), 4);

    // Without a type table the list says how to load one; the unknown type
    // is named once in brackets.
    NumberOfReceiverTypes() = 0;
    Pane().RefreshTypes();
    QVERIFY(!Pane().SelectedHasChanges());  // a new row is no edit
    QVERIFY(Pane().Open());
    QVERIFY(Pane().Select(1));
    QVERIFY(!Pane().TypeHint()->isHidden());
    QVERIFY(Pane().SelectedReceiver()->m_ReceiverTypeName.starts_with("("));
    QVERIFY(!Pane().List()->currentItem()->text().contains(QLatin1String("((")));
    // New receiver makes the folder it needs.
    QVERIFY(QDir(rig_.dir->path() + QStringLiteral("/Receivers")).removeRecursively());
    QVERIFY(Pane().NewReceiver() > 0);
    QCOMPARE(rig_.Files(QStringLiteral("Receivers")).size(), 1);
    QVERIFY(Pane().SelectedReceiver()->m_Enabled != 0 && !Pane().SelectedHasChanges());
  }
};

QTEST_MAIN(EditorInputTest)
#include "editor_input_test.moc"
