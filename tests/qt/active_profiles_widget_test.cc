// The widget against a loopback server: the bytes it sends, how it shows the
// link, its tree, and what it draws (offscreen). The reconnect timer ticks every kTick real ms while
// the control still counts 500 ms per tick, so ten seconds of the control's
// time pass in 20 ticks.

#include <QAccessible>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTreeView>

#include "common/error.h"
#include "common/language.h"
#include "control/active_profiles.h"
#include "qt/active_profiles_widget.h"
#include "qt/profile_tree_model.h"
#include "qt/qt_timer.h"
#include "qt/qt_tree_view.h"
#include "test_peer.h"

using quindo::ActiveProfilesWidget;
using namespace quindo::testing;

namespace {

constexpr int kTick = 20;           // real ms per tick
constexpr int kTenSecondsOfTicks = 20;

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
bool IsTickGreen(QRgb c) { return qGreen(c) > 110 && qRed(c) < 110 && qBlue(c) < 110; }
bool IsFrameBlue(QRgb c) { return qBlue(c) > 100 && qRed(c) < 70 && qGreen(c) < 120; }

// Pixels of the area that match.
int Count(const QImage& image, const QRect& area, bool (*match)(QRgb)) {
  int count = 0;
  const QRect clipped = area.intersected(image.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) count += match(image.pixel(x, y)) ? 1 : 0;
  }
  return count;
}

}  // namespace

class ActiveProfilesWidgetTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestPeer> peer_;
  std::unique_ptr<ActiveProfilesWidget> widget_;
  QStringList reports_;

  // A shown widget whose first tick connects to the peer.
  void StartWidget() {
    widget_ = std::make_unique<ActiveProfilesWidget>(peer_->CommandLine());
    widget_->Timer_Reconnect().SetTickPeriod(kTick);
    widget_->resize(320, 240);
    widget_->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget_.get()));
  }
  // Connected, greeted, and the given profiles reported.
  void StartConnected(const QList<QByteArray>& frames) {
    StartWidget();
    QTRY_COMPARE(peer_->Connections(), 1);
    QTRY_COMPARE(widget_->IsConnectedToServer(), 1);
    QByteArray all = Greeting(8);
    for (const QByteArray& frame : frames) all += frame;
    peer_->Send(all);
    QTRY_COMPARE(RowCount(), frames.size());
    QTRY_VERIFY(peer_->Received().startsWith(Hex("C800000000")));
    peer_->ClearReceived();
  }
  int RowCount() const { return widget_->TreeView_Profiles()->model()->rowCount(); }
  QModelIndex Row(int row) const { return widget_->TreeView_Profiles()->model()->index(row, 0); }
  QString TextOf(int row) const { return Row(row).data().toString(); }
  bool IsSelected(int row) const { return widget_->TreeView_Profiles()->selectionModel()->isSelected(Row(row)); }
  void ClickItem(int row, Qt::KeyboardModifiers modifiers) {
    QTreeView* tree = widget_->TreeView_Profiles();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, tree->visualRect(Row(row)).center());
  }
  // Where the row's icon is drawn, in widget coordinates.
  QRect IconArea(int row) const {
    QTreeView* tree = widget_->TreeView_Profiles();
    const QRect item = tree->visualRect(Row(row));
    return QRect(tree->viewport()->mapTo(widget_.get(), item.topLeft()), QSize(30, item.height()));
  }

 private Q_SLOTS:
  void init() {
    reports_.clear();
    quindo::SetReportErrorHandler([this](const std::string& m) { reports_ << QString::fromStdString(m); });
    peer_ = std::make_unique<TestPeer>();
  }
  void cleanup() {
    widget_.reset();
    peer_.reset();
    quindo::SetReportErrorHandler({});
  }

  void startsDisconnectedWithItsChildrenInPlace() {
    widget_ = std::make_unique<ActiveProfilesWidget>(std::string("/ServerAddress:alarmhost /ServerPort:5000"));
    QCOMPARE(widget_->ServerAddress(), QStringLiteral("alarmhost"));
    QCOMPARE(widget_->ServerPort(), 5000);
    QVERIFY(widget_->TreeView_Profiles()->isHidden());
    QVERIFY(!widget_->Label_Connection()->isHidden());
    QCOMPARE(widget_->Label_Connection()->text(), QStringLiteral("Not connected"));
    QCOMPARE(widget_->Label_Connection()->size(), QSize(260, 39));

    // Resize: the tree fills the widget, the label keeps its size, centred,
    // with the reason line under it.
    widget_->resize(200, 100);
    widget_->show();  // Qt holds resize events back until the first show
    QCOMPARE(widget_->TreeView_Profiles()->geometry(), QRect(0, 0, 200, 100));
    QCOMPARE(widget_->Label_Connection()->geometry(), QRect(-30, 31, 260, 39));
    QVERIFY(widget_->Label_Reason()->geometry().top() > 70);
    QVERIFY(widget_->Label_Reason()->text().startsWith(QStringLiteral("Next attempt in")));
    const QImage image = widget_->grab().toImage();
    QVERIFY(Count(image, QRect(0, 31, 200, 39), IsRed) > 30);  // the red text, centred
    QCOMPARE(Count(image, QRect(0, 0, 200, 30), IsRed), 0);

    // Command1 points the control at the local default server.
    widget_->Command1()->click();
    QCOMPARE(widget_->ServerAddress(), QStringLiteral("127.0.0.1"));
    QCOMPARE(widget_->ServerPort(), 58658);
    // Hosts hide it, and set every property under Qt's names as uic does.
    QVERIFY(widget_->setProperty("Command1Visible", false));
    QVERIFY(widget_->Command1()->isHidden());
    widget_->setServerAddress(QStringLiteral("alarmhost"));
    widget_->setServerPort(5000);
    widget_->setReportOrder(true);
    QCOMPARE(widget_->serverAddress() + QString::number(widget_->serverPort()), QStringLiteral("alarmhost5000"));
    QVERIFY(widget_->property("ReportOrder").toBool() && !widget_->command1Visible());
  }

  void reportedProfilesShowTheirIconsAndStateAndRequestsGoByName() {
    StartConnected({ProfileFrame(12, "Night", true), ProfileFrame(300, "Weekend", false)});
    const quindo::QtTreeView& nodes = widget_->TreeNodes();
    // Drawn: a ticked box for the enabled profile, an empty one for the other.
    const QImage image = widget_->grab().toImage();
    QCOMPARE(Count(image, image.rect(), IsRed), 0);
    QVERIFY(Count(image, IconArea(0), IsTickGreen) > 5);
    QCOMPARE(Count(image, IconArea(1), IsTickGreen), 0);
    QVERIFY(Count(image, IconArea(1), IsFrameBlue) > 20);
    widget_->ProfileEnableOrDisable(QStringLiteral("night"), -1);
    QTRY_COMPARE(peer_->Received(), Hex("DC000000040000000C"));

    // Reported again, the profile keeps its row and its selection and shows
    // its new icon.
    widget_->TreeView_Profiles()->setCurrentIndex(Row(0));
    peer_->Send(ProfileFrame(12, "Night", false));
    QTRY_COMPARE(nodes.Node("K12").image, 2);
    QCOMPARE(TextOf(0), QStringLiteral("Night"));
    QVERIFY(IsSelected(0));

    peer_->Send(Frame(quindo::kProfileRemoved, Hex("0000012C")));
    QTRY_COMPARE(RowCount(), 1);
  }

  void unencodableNodeRaisesToTheHostButNeverIntoQt() {
    StartConnected({ProfileFrame(-5, "Broken", true), ProfileFrame(7, "Fine", true)});
    QVERIFY_THROWS_EXCEPTION(quindo::Error, widget_->ProfileEnableOrDisable(QStringLiteral("Broken"), 1));
    // The same failure inside a Ctrl-click is reported, not thrown.
    ClickItem(0, Qt::ControlModifier);
    QCOMPARE(reports_.size(), 1);
    QVERIFY(reports_.first().startsWith(QStringLiteral("TreeView_Profiles_Click")));
    QTest::qWait(50);
    QCOMPARE(peer_->Received(), QByteArray());
  }

  void peerCloseEmptiesTheTreeAndTheNextAttemptComesTenSecondsLater() {
    StartConnected({ProfileFrame(1, "Night", true)});
    QElapsedTimer clock;
    clock.start();
    peer_->Last()->disconnectFromHost();
    QTRY_VERIFY(!widget_->Label_Connection()->isHidden());
    QVERIFY(widget_->TreeView_Profiles()->isHidden());
    QCOMPARE(RowCount(), 0);
    QCOMPARE(widget_->IsConnectedToServer(), 0);
    QCOMPARE(reports_, QStringList());

    QTRY_COMPARE(peer_->Connections(), 2);
    QVERIFY2(clock.elapsed() >= (kTenSecondsOfTicks - 5) * kTick, qPrintable(QString::number(clock.elapsed())));
    QTRY_VERIFY(!widget_->TreeView_Profiles()->isHidden());
  }

  // Only Ctrl alone asks. A report never moves a row under the pointer:
  // Ctrl-clicking one spot twice, with the server reporting the change in
  // between, asks twice for the same profile.
  void ctrlClickingOneSpotTwiceAcrossAReportAsksForTheSameProfile() {
    StartConnected({ProfileFrame(1, "Server room", true), ProfileFrame(2, "Fire alarms", true),
                    ProfileFrame(3, "Night shift", true), ProfileFrame(4, "Weekend", false)});
    QCOMPARE(TextOf(2), QStringLiteral("Server room"));
    QTreeView* tree = widget_->TreeView_Profiles();
    const QPoint spot = tree->visualRect(Row(2)).center();
    const Qt::KeyboardModifiers others[] = {Qt::NoModifier, Qt::ShiftModifier | Qt::ControlModifier,
                                            Qt::AltModifier | Qt::ControlModifier};
    for (const Qt::KeyboardModifiers modifiers : others) QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, spot);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, spot);
    QTRY_COMPARE(peer_->Received(), Hex("DD0000000400000001"));
    peer_->Send(ProfileFrame(1, "Server room", false));
    QTRY_COMPARE(widget_->TreeNodes().Node("K1").image, 2);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, spot);
    QTRY_COMPARE(peer_->Received(), Hex("DD0000000400000001" "DC0000000400000001"));
  }

  // Until the server reports the profile, its row is drawn pending (grey
  // icon, italics) and the status line names it; after 10 s of the
  // control's time it says the server has not answered.
  void aRequestShowsPendingUntilItsReport() {
    StartConnected({ProfileFrame(1, "Night shift", true), ProfileFrame(2, "Weekend", false)});
    ClickItem(0, Qt::ControlModifier);
    QTRY_COMPARE(peer_->Received(), Hex("DD0000000400000001"));
    QVERIFY(Row(0).data(quindo::ProfileTreeModel::kPendingRole).toBool());
    QVERIFY(Row(0).data(Qt::FontRole).value<QFont>().italic());
    QCOMPARE(Row(0).data(Qt::AccessibleDescriptionRole).toString(), QStringLiteral("enabled, waiting for the server"));
    QCOMPARE(Row(0).data(Qt::ToolTipRole).toString(), QStringLiteral("Night shift (K1), enabled, waiting for the server"));
    QCOMPARE(widget_->Label_Status()->text(), QStringLiteral("Waiting for the server: Night shift"));
    // The line takes the tree's last line, under the rows, which stay put.
    QCOMPARE(widget_->TreeView_Profiles()->height(), widget_->Label_Status()->y());
    QCOMPARE(TextOf(0), QStringLiteral("Night shift"));
    QCOMPARE(Count(widget_->grab().toImage(), IconArea(0), IsTickGreen), 0);  // the grey tick
    QTRY_COMPARE(widget_->Label_Status()->text(), QStringLiteral("The server has not answered for 10 s: Night shift"));
    peer_->Send(ProfileFrame(1, "Night shift", false));
    QTRY_VERIFY(!Row(0).data(quindo::ProfileTreeModel::kPendingRole).toBool());
    QCOMPARE(widget_->Label_Status()->text(), QString());
    QCOMPARE(widget_->TreeView_Profiles()->height(), widget_->height());
    QCOMPARE(Row(0).data(Qt::AccessibleDescriptionRole).toString(), QStringLiteral("disabled"));
  }

  // Beside the unchanged "Not connected", the real socket's reason of the
  // last failure and the time to the next attempt.
  void theReasonLineSaysWhyTheLinkIsDownAndWhenTheNextAttemptComes() {
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const QString refused = QString::number(closed.serverPort());
    closed.close();
    const std::pair<QString, QString> cases[] = {
        {"/ServerAddress:127.0.0.1 /ServerPort:" + refused,
         "Connection refused (127.0.0.1:" + refused + "); next attempt in 10 s"},
        {"/ServerAddress:nowhere.invalid /ServerPort:5000", "(nowhere.invalid:5000); next attempt in 10 s"},
    };
    for (const auto& [command_line, reason] : cases) {
      ActiveProfilesWidget widget(command_line.toStdString());
      widget.Timer_Reconnect().SetTickPeriod(1000);  // one attempt within the test
      widget.resize(400, 300);
      widget.show();
      QTRY_VERIFY2(widget.Label_Reason()->text().endsWith(reason), qPrintable(widget.Label_Reason()->text()));
      QVERIFY(!widget.Label_Reason()->isHidden() && widget.TreeView_Profiles()->isHidden());
      QCOMPARE(widget.Label_Connection()->text(), QStringLiteral("Not connected"));
    }
  }

  // The keyboard: focus waits on the control while the tree is hidden,
  // moves to the tree when it appears, with its frame on a row; Ctrl+Space
  // on that row asks as a Ctrl-click does, Space alone does nothing.
  void keyboardFocusFindsTheTreeAndCtrlSpaceTogglesTheCurrentRow() {
    StartWidget();
    widget_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(widget_.get()));
    widget_->setFocus();
    QVERIFY(widget_->hasFocus() && !widget_->Command1()->hasFocus());
    QTRY_COMPARE(widget_->IsConnectedToServer(), 1);
    peer_->Send(Greeting(8) + ProfileFrame(5, "Night shift", true) + ProfileFrame(6, "Weekend", false));
    QTreeView* tree = widget_->TreeView_Profiles();
    QTRY_COMPARE(RowCount(), 2);
    QVERIFY(tree->hasFocus());
    QCOMPARE(tree->currentIndex(), Row(0));
    peer_->ClearReceived();
    // The focus shows on its row without an arrow key having been pressed.
    const QImage framed = tree->viewport()->grab().toImage();
    tree->selectionModel()->clearCurrentIndex();
    QVERIFY(tree->viewport()->grab().toImage() != framed);
    tree->setCurrentIndex(Row(1));
    tree->selectionModel()->clearSelection();
    peer_->Send(ProfileFrame(6, "Weekend", false));  // a report keeps the keyboard on its row
    QTest::qWait(100);
    QCOMPARE(tree->currentIndex(), Row(1));
    QTest::keyClick(tree, Qt::Key_Space);
    QTest::keyClick(tree, Qt::Key_Space, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::qWait(50);
    QVERIFY(!peer_->Received().contains(Hex("DC")));
    QTest::keyClick(tree, Qt::Key_Space, Qt::ControlModifier);
    QTRY_COMPARE(peer_->Received().right(9), Hex("DC0000000400000006"));
    QVERIFY(IsSelected(1));
  }

  // Screen readers: a named tree and column, and each row's enabled state
  // as a read-only checked state.
  void screenReadersHearTheNamesAndTheEnabledState() {
    StartConnected({ProfileFrame(1, "Night shift", true), ProfileFrame(2, "", false)});
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(widget_->TreeView_Profiles());
    QVERIFY(tree != nullptr && tree->tableInterface() != nullptr);
    QCOMPARE(tree->text(QAccessible::Name), QStringLiteral("Profiles"));
    QCOMPARE(tree->tableInterface()->columnDescription(0), QStringLiteral("Profile"));
    QAccessibleInterface* enabled = tree->tableInterface()->cellAt(1, 0);
    QAccessibleInterface* disabled = tree->tableInterface()->cellAt(0, 0);
    QCOMPARE(disabled->text(QAccessible::Name), QStringLiteral("(no name) K2"));
    QVERIFY(enabled->state().checkable && enabled->state().checked);
    QVERIFY(disabled->state().checkable && !disabled->state().checked);
    QCOMPARE(Row(0).data(Qt::ToolTipRole).toString(), QStringLiteral("(no name) K2 (K2), disabled"));
    // Toggling it from the reader changes nothing: only a report does.
    if (QAccessibleActionInterface* actions = enabled->actionInterface()) {
      actions->doAction(QAccessibleActionInterface::toggleAction());
    }
    QVERIFY(enabled->state().checked);
    QTest::qWait(50);
    QCOMPARE(peer_->Received(), QByteArray());
  }
};

QTEST_MAIN(ActiveProfilesWidgetTest)
#include "active_profiles_widget_test.moc"
