#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "common/command_line.h"
#include "common/language.h"
#include "control_rig.h"

namespace quindo {
namespace {

using testing::Bytes;
using testing::ConnectedRig;
using testing::ControlRig;

TEST(CommandLine, FindsTheOptionAndReadsItsValue) {
  const char* const address = "ServerAddress";
  EXPECT_EQ(GetCommandLineParameter("serverport", "/serveraddress:AlarmHost /SERVERPORT:5000"), "5000");
  EXPECT_EQ(GetCommandLineParameter(address, "/serveraddress:AlarmHost /SERVERPORT:5000"), "AlarmHost");
  EXPECT_EQ(GetCommandLineParameter(address, "/ServerAddress:\"my host/1\""), "my host/1");
  EXPECT_EQ(GetCommandLineParameter(address, "/ServerAddress: host "), "host");
  EXPECT_EQ(GetCommandLineParameter(address, "/ServerAddress:\" a\""), " a");  // quoted at the end
  EXPECT_EQ(GetCommandLineParameter(address, "/ServerAddress:\" a\" /ServerPort:1"), "a");
  EXPECT_EQ(GetCommandLineParameter(address, "/ServerAddress:x\"y\""), "y");
  EXPECT_EQ(GetCommandLineParameter(address, "/ServerAddressX:1"), "");
  EXPECT_EQ(GetCommandLineParameter(address, "ServerAddress:1"), "");
  // No position limit: an option far into a long command line still counts.
  EXPECT_EQ(GetCommandLineParameter(address, std::string(40000, ' ') + "/ServerAddress:far"), "far");
}

TEST(Startup, PortIsTheRoundedLeadingNumber) {
  // Rounding and its range are the number reader's own tests.
  const std::pair<std::string, int32_t> ports[] = {{"13.5", 14}, {"80abc", 80}};
  for (const auto& [text, port] : ports) EXPECT_EQ(ControlRig("/ServerPort:" + text).control.ServerPort(), port);
  EXPECT_EQ(ControlRig("/ServerAddress:x").control.ServerPort(), 0);
  // Out of range: reported, the port counts as 0, and the control exists.
  std::string reports;
  SetReportErrorHandler([&](const std::string& message) { reports += message + "\n"; });
  EXPECT_EQ(ControlRig("/ServerPort:99999999999").control.ServerPort(), 0);
  SetReportErrorHandler(nullptr);
  EXPECT_EQ(reports, "/ServerPort: '99999999999' Err:Overflow\n");
}

// Until the first tick: label shown, timer running, no attempt; the layout
// fills the control with the tree and centres the label at its own size.
TEST(Startup, ShowsTheLabelStartsTheTimerAndLaysOutWithoutConnecting) {
  ControlRig rig;
  EXPECT_TRUE(!rig.tree().IsVisible() && rig.children.label.IsVisible());
  EXPECT_EQ(rig.tree().PathSeparator(), "@");
  EXPECT_EQ(rig.tree().Icons().ids, (std::vector<int32_t>{1, 2, 3, 4}));  // the enabled and disabled marks
  EXPECT_TRUE(rig.children.timer.IsEnabled() && rig.children.timer.Interval() == 500);
  EXPECT_TRUE(rig.socket().Attempts().empty());
  rig.control.Command1_Click();
  EXPECT_EQ(rig.control.ServerAddress() + ":" + std::to_string(rig.control.ServerPort()), "127.0.0.1:58658");
  EXPECT_EQ(ErrorOf([] { ActiveProfiles orphan(ChildControls{}, ""); }), kObjectRequired);
  const auto& tree = rig.tree();
  const auto& label = rig.children.label;
  rig.control.UserControl_Resize(400, 301);
  EXPECT_EQ(std::vector<float>({tree.Left(), tree.Top(), tree.Width(), tree.Height()}),
            std::vector<float>({0, 0, 400, 301}));
  EXPECT_EQ(std::vector<float>({label.Left(), label.Top(), label.Width(), label.Height()}),
            std::vector<float>({70, (301 - 39.2f) / 2, 260, 39.2f}));
}

// Each attempt closes the socket first, so one still pending after the
// delay is abandoned rather than left beside the new one.
TEST(ServerLink, AttemptsOnlyForAnAddressAndAUsablePortEachClosingThePendingOneFirst) {
  const std::pair<std::string, int32_t> targets[] = {{"127.0.0.1", 0},     {"127.0.0.1", -1}, {"127.0.0.1", 65536},
                                                     {"127.0.0.1", 65535}, {"127.0.0.1", 1},  {"", 5000}};
  for (const auto& [address, port] : targets) {
    ControlRig rig("");
    rig.control.SetServerAddress(address);
    rig.control.SetServerPort(port);
    rig.children.timer.Advance(1);
    const bool usable = !address.empty() && (port == 65535 || port == 1);
    ASSERT_EQ(rig.socket().Attempts().size(), usable ? 1u : 0u) << address << ':' << port;
    for (const auto& attempt : rig.socket().Attempts()) EXPECT_EQ(attempt.port, port);
    rig.children.timer.Advance(100);  // never accepted
    EXPECT_EQ(rig.socket().Attempts().size(), usable ? 6u : 0u) << address << ':' << port;  // ticks 1, 21, ..., 101
    EXPECT_EQ(rig.socket().CloseCount(), static_cast<int32_t>(rig.socket().Attempts().size()));
    EXPECT_EQ(rig.socket().State(), usable ? MemorySocket::kStateConnecting : MemorySocket::kStateClosed);
  }
  ControlRig odd;  // the delay saturates whatever interval the timer reports
  odd.children.timer.SetInterval(INT32_MIN);
  odd.children.timer.Advance(3);
  EXPECT_EQ(odd.socket().Attempts().size(), 1u);
}

// One keep-alive per 10 000 ms of connected time, counted afresh on every
// link, rather than one on every tick once the first has gone out. After a
// drop the next attempt comes 20 ticks later, however slow the last connect.
TEST(ServerLink, KeepsAliveOncePerTenSecondsAndReconnectsTwentyTicksAfterADrop) {
  ConnectedRig rig;
  EXPECT_TRUE(rig.tree().IsVisible() && !rig.children.label.IsVisible());
  rig.children.timer.Advance(19);
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  rig.children.timer.Advance(1);
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0, 0, 0, 0, 0}));
  rig.children.timer.Advance(39);
  EXPECT_EQ(rig.socket().SentFrames().size(), 2u);
  rig.Report(3, false, "Weekend");
  rig.Receive(Bytes({5, 0}));  // a frame begun and never finished
  rig.socket().ClearSent();
  rig.socket().FailNextSend();
  rig.control.ProfileEnableOrDisable("Weekend", 1);
  EXPECT_EQ(rig.control.IsConnectedToServer(), 0);
  rig.children.timer.Advance(19);
  EXPECT_EQ(rig.socket().Attempts().size(), 1u);
  rig.children.timer.Advance(5);  // the attempt, then a slow connect
  EXPECT_EQ(rig.socket().Attempts().size(), 2u);
  rig.socket().Accept();  // a new link starts from an empty tree and buffer
  EXPECT_TRUE(rig.tree().Count() == 0 && rig.control.BufferedByteCount() == 0);
  rig.children.timer.Advance(19);
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  rig.children.timer.Advance(1);
  EXPECT_EQ(rig.socket().SentFrames().size(), 1u);
}

TEST(ServerLink, AddressAndPortChangedWhileConnectedServeOnlyTheNextConnect) {
  ConnectedRig rig;
  rig.control.SetServerAddress("backup");
  rig.control.SetServerPort(6000);
  rig.children.timer.Advance(100);
  EXPECT_EQ(rig.control.IsConnectedToServer(), 1);
  EXPECT_EQ(rig.socket().Attempts().size(), 1u);
  rig.socket().PeerClose();
  rig.children.timer.Advance(20);
  ASSERT_EQ(rig.socket().Attempts().size(), 2u);
  EXPECT_EQ(rig.socket().Attempts()[1].host, "backup");
  EXPECT_EQ(rig.socket().Attempts()[1].port, 6000);

  // An operator's switch drops the link and its tree at once, and the next
  // tick tries the new server.
  rig.socket().Accept();
  rig.Report(1, true, "Night");
  rig.control.SetServerAddress("standby");
  rig.control.ReconnectNow();
  EXPECT_EQ(rig.control.IsConnectedToServer(), 0);
  EXPECT_TRUE(!rig.tree().IsVisible() && rig.children.label.IsVisible() && rig.tree().Count() == 0);
  rig.children.timer.Tick();
  ASSERT_EQ(rig.socket().Attempts().size(), 3u);
  EXPECT_EQ(rig.socket().Attempts()[2].host, "standby");
}

// Why the link is down, with the target of the attempt, and when the next
// attempt comes; nothing while the link is up.
TEST(ServerLink, StatusTellsWhyTheLinkIsDownAndOnlyThePeersCloseOrAnErrorHidesTheTree) {
  const std::string target = " (alarmhost:5000)";
  const std::pair<std::function<void(ControlRig&)>, std::string> cases[] = {
      {[](ControlRig&) {}, "Next attempt in 1 s"},
      {[](ControlRig& r) { r.children.timer.Tick(); }, "Connecting to alarmhost:5000"},
      {[](ControlRig& r) {
         r.children.timer.Tick();
         r.socket().Fail("Host not found");
         r.children.timer.Advance(6);
       },
       "Host not found" + target + "; next attempt in 7 s"},
      {[](ControlRig& r) { r.children.timer.Advance(21); },
       "No connection within 10 s" + target + "; connecting to alarmhost:5000"},
      {[](ControlRig& r) { r.control.SetServerPort(99999); }, "Port 99999 is outside 1..65535"},
      {[](ControlRig& r) { r.control.SetServerAddress(""); }, "No server address"},
  };
  for (const auto& [act, text] : cases) {
    ControlRig rig;
    act(rig);
    EXPECT_EQ(rig.control.LinkStatusText(), text);
  }
  EXPECT_EQ(ConnectedRig().control.LinkStatusText(), "");

  // A link that went down: why, and the full delay to the next attempt. The
  // peer's close and a socket error show the label on an empty tree; our own
  // close (a greeting of another level, an unreadable message, a failed
  // send) keeps the tree on show.
  struct Drop {
    std::function<void(ControlRig&)> act;
    std::string why;
    bool shows_label;
  };
  const Drop drops[] = {
      {[](ControlRig& r) { r.socket().PeerClose(); }, "The server closed the connection", true},
      {[](ControlRig& r) { r.socket().Fail("Connection reset"); }, "Connection reset", true},
      {[](ControlRig& r) { r.Receive(Bytes({1, 0, 0, 0, 2, 0, 7})); }, "The server speaks protocol level 7, not 8", false},
      {[](ControlRig& r) { r.Receive(Bytes({211, 0, 0, 0, 1, 0})); },
       "Unreadable message from the server: " + DescriptionOf(kInvalidProcedureCall), false},
      {[](ControlRig& r) {
         r.socket().FailNextSend();
         r.Receive(Bytes({1, 0, 0, 0, 2, 0, 8}));
       },
       "Sending failed: Wrong protocol or connection state for the requested transaction or request", false},
  };
  for (const Drop& drop : drops) {
    ConnectedRig rig;
    rig.Report(4, true, "Night");
    drop.act(rig);
    EXPECT_EQ(rig.control.IsConnectedToServer(), 0) << drop.why;
    EXPECT_EQ(rig.control.LinkStatusText(), drop.why + " (alarmhost:5000); next attempt in 10 s");
    EXPECT_EQ(rig.children.label.IsVisible(), drop.shows_label) << drop.why;
    EXPECT_EQ(rig.tree().IsVisible() && rig.tree().Count() == 1, !drop.shows_label) << drop.why;
  }
}

TEST(Lifecycle, DestroyingTheControlClosesItsSocket) {
  MemoryChildren children;
  auto control = std::make_unique<ActiveProfiles>(children.Children(), "/ServerAddress:alarmhost /ServerPort:5000");
  children.Attach(*control);
  children.timer.Tick();
  children.socket.Accept();
  const int32_t closes_while_alive = children.socket.CloseCount();
  children.socket.SetEvents({});  // the events must not reach a control that is gone
  control.reset();
  EXPECT_EQ(children.socket.CloseCount(), closes_while_alive + 1);
  EXPECT_EQ(children.socket.State(), MemorySocket::kStateClosed);
}

}  // namespace
}  // namespace quindo
