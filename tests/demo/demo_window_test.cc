// The demo's window as an operator meets it, with real mouse and key events,
// against loopback peers that play the alarm server: Apply switches servers
// at once, the request buttons wait for a selection, the week chart says when
// its profile went, the text output shows a waiting request, and the window
// opens with Command1 clear of the label and the focus on the control.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "qt/active_profiles_widget.h"
#include "test_peer.h"
#include "tools/demo/demo_window.h"
#include "tools/demo/schedule_pane.h"

using quindo::DemoWindow;
using namespace quindo::testing;

class DemoWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DemoWindow> window_;

  template <typename Widget>
  Widget* Child(const char* name) const {
    return window_->findChild<Widget*>(QString::fromLatin1(name));
  }
  // Types the server into the fields and presses Apply.
  void Apply(const QString& address, const QString& port) {
    Child<QLineEdit>("serverAddress")->clear();
    QTest::keyClicks(Child<QLineEdit>("serverAddress"), address);
    Child<QLineEdit>("serverPort")->clear();
    QTest::keyClicks(Child<QLineEdit>("serverPort"), port);
    QTest::mouseClick(Child<QPushButton>("apply"), Qt::LeftButton);
  }
  // Applies the peer's server and feeds it the greeting and the profiles.
  void ConnectTo(TestPeer& peer, const QByteArray& profiles) {
    const int before = peer.Connections();
    Apply(QStringLiteral("127.0.0.1"), QString::number(peer.Port()));
    QTRY_COMPARE(peer.Connections(), before + 1);
    QTRY_COMPARE(window_->Profiles().IsConnectedToServer(), 1);
    peer.Send(Greeting(8) + profiles);
    QTRY_VERIFY(peer.Received().startsWith(QByteArray::fromHex("C800000000")));
    peer.ClearReceived();
  }
  QTreeView* Tree() const { return window_->Profiles().TreeView_Profiles(); }

 private Q_SLOTS:
  void init() {
    window_ = std::make_unique<DemoWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void opensWithTheFocusOnTheControlAndCommand1ClearOfTheLabel() {
    TestPeer peer;
    window_ = std::make_unique<DemoWindow>(peer.CommandLine());
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(window_->focusWidget(), &window_->Profiles());
    const quindo::ActiveProfilesWidget& profiles = window_->Profiles();
    QTRY_VERIFY(!profiles.Label_Reason()->isHidden());
    const QRect button = profiles.Command1()->geometry();
    QVERIFY(!button.intersects(profiles.Label_Connection()->geometry()));
    QVERIFY(!button.intersects(profiles.Label_Reason()->geometry()));

    QTRY_COMPARE(window_->Profiles().IsConnectedToServer(), 1);
    peer.Send(Greeting(8) + ProfileFrame(1, "Night shift", true));
    QTRY_COMPARE(window_->focusWidget(), Tree());
    // Backwards from the port: the address, Command1, the tree.
    Child<QLineEdit>("serverPort")->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 3; ++i) QTest::keyClick(window_->focusWidget(), Qt::Key_Backtab);
    QCOMPARE(window_->focusWidget(), Tree());
    QTest::keyClick(Tree(), Qt::Key_Backtab);  // on out of the control, not back into the tree
    QVERIFY(!window_->Profiles().isAncestorOf(window_->focusWidget()) && window_->focusWidget() != &window_->Profiles());
  }

  // Apply drops the link and connects to the fields' server at once, so a
  // following request goes to the new server; a bad port is refused with a
  // message and leaves the link alone.
  void applySwitchesServersAtOnceAndRefusesABadPort() {
    TestPeer first;
    TestPeer second;
    ConnectTo(first, ProfileFrame(1, "Night shift", true));
    ConnectTo(second, ProfileFrame(1, "Night shift", true));
    QTRY_VERIFY(!first.LastIsOpen());
    QTRY_COMPARE(Tree()->model()->rowCount(), 1);
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      Tree()->visualRect(Tree()->model()->index(0, 0)).center());
    QTRY_COMPARE(second.Received(), QByteArray::fromHex("DD0000000400000001"));
    QCOMPARE(first.Received(), QByteArray());

    Apply(QStringLiteral("127.0.0.1"), QStringLiteral("0"));
    QCOMPARE(Child<QLabel>("serverMessage")->text(), QStringLiteral("The port must be a number from 1 to 65535."));
    QTest::qWait(600);
    QVERIFY(second.LastIsOpen());
    QCOMPARE(window_->Profiles().ServerPort(), second.Port());
  }

  // The buttons wait for a selection, with the hint beside them; the week
  // chart says when its profile left the server; the text output shows a
  // request that waits for its report.
  void buttonsWaitForASelectionAndTheChartSaysWhenItsProfileWent() {
    TestPeer peer;
    ConnectTo(peer, ProfileFrame(1, "Night shift", true) + ProfileFrame(2, "Weekend", false));
    QTRY_COMPARE(Tree()->model()->rowCount(), 2);
    window_->UpdateStatus();
    auto* disable = Child<QPushButton>("disable");
    auto* hint = Child<QLabel>("requestMessage");
    QVERIFY(!disable->isEnabled());
    QCOMPARE(hint->text(), QStringLiteral("Select a profile first"));
    QVERIFY(hint->x() - disable->geometry().right() < 30);

    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualRect(Tree()->model()->index(0, 0)).center());
    window_->UpdateStatus();
    QVERIFY(disable->isEnabled() && hint->text().isEmpty());
    QTest::mouseClick(disable, Qt::LeftButton);
    QTRY_COMPARE(peer.Received(), QByteArray::fromHex("DD0000000400000001"));
    const QString state = window_->StateAsText();
    QVERIFY2(state.contains(QStringLiteral("K1    [x] Night shift  (waiting for the server)\n")), qPrintable(state));
    QVERIFY(state.contains(QStringLiteral("Status line: Waiting for the server: Night shift\n")));

    peer.Send(Frame(quindo::kProfileRemoved, QByteArray::fromHex("00000001")));
    QTRY_COMPARE(Tree()->model()->rowCount(), 1);
    window_->UpdateStatus();
    QCOMPARE(Child<QLabel>("chartTitle")->text(), QStringLiteral("Week chart of Night shift (removed)"));
    QVERIFY(!disable->isEnabled());
  }
};

QTEST_MAIN(DemoWindowTest)
#include "demo_window_test.moc"
