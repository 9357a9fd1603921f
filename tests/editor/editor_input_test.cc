// quindo-editor under the keyboard and the mouse as operators use them: the
// Save key takes the edit in progress, the wheel scrolls the form instead of
// spinning the box it passes, the tree keeps to the record in the form,
// typed times say what became of them, every input has a name, Tab passes
// the systems in one step and reaches both views, the chart takes its
// pane's width, and Grouped Monday-Friday says what it replaces.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
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
#include <QWheelEvent>

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

 private slots:
  void init() {
    QVERIFY(rig_.Start([](EditorRig& rig) {
      QVERIFY(QDir().mkpath(rig.dir->path() + QStringLiteral("/Receivers")));
      cReceiver pager;
      pager.m_DiskIdentity = 1;
      pager.m_ReceiverName = "Desk pager";
      pager.SaveSetting(0, TypedValue::Text("COM1"));
      QVERIFY(pager.SaveToDisk());
    }));
    QVERIFY(rig_.Activate());
  }
  void cleanup() { rig_.Stop(); }

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
    Window().Tabs()->setCurrentWidget(Window().Receivers());
    QVERIFY(Window().Receivers()->Select(1));
    Retype(Window().Receivers()->ValueField(0), QStringLiteral("COM7"));
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
    QCOMPARE(QAccessible::queryAccessibleInterface(Window().Schedule()->StartField())->text(QAccessible::Name),
             QStringLiteral("Period start"));

    // The two painted views are named by what lies under their cursors.
    QCOMPARE(QAccessible::queryAccessibleInterface(Window().Schedule()->Picture())->text(QAccessible::Name),
             QStringLiteral("Week chart, Monday 00:00: 00:00-06:00, 22:00-24:00"));
    QVERIFY(QAccessible::queryAccessibleInterface(Window().Calendar()->PaintArea())
                ->text(QAccessible::Name)
                .startsWith(QStringLiteral("Calendar, ")));

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
};

QTEST_MAIN(EditorInputTest)
#include "editor_input_test.moc"
