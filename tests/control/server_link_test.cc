#include <gtest/gtest.h>

#include "control_rig.h"

namespace quindo {
namespace {

using testing::Bytes;
using testing::ControlRig;

TEST(ServerLink, FirstAttemptOnFirstTickOnlyForAUsablePort) {
  for (const int32_t port : {0, -1, 65536, 65535, 1}) {
    ControlRig rig("");
    rig.control.SetServerAddress("127.0.0.1");
    rig.control.SetServerPort(port);
    rig.children.timer.Advance(1);
    const bool usable = port == 65535 || port == 1;
    ASSERT_EQ(rig.socket().Attempts().size(), usable ? 1u : 0u) << port;
    if (usable) {
      EXPECT_EQ(rig.socket().Attempts()[0].port, port);
    }
    rig.children.timer.Advance(100);
    EXPECT_EQ(rig.socket().Attempts().size(), usable ? 6u : 0u) << port;  // ticks 1, 21, ..., 101
  }
  ControlRig no_address("/ServerPort:5000");
  no_address.children.timer.Advance(100);
  EXPECT_TRUE(no_address.socket().Attempts().empty());
}

TEST(ServerLink, PeerCloseShowsTheLabelAndReconnectsTwentyTicksLater) {
  ControlRig rig;
  rig.Connect();
  EXPECT_EQ(rig.control.IsConnectedToServer(), 1);
  EXPECT_TRUE(rig.tree().IsVisible());
  EXPECT_FALSE(rig.children.label.IsVisible());
  rig.Report(1, true, "Day");
  rig.socket().PeerClose();
  EXPECT_EQ(rig.control.IsConnectedToServer(), 0);
  EXPECT_FALSE(rig.tree().IsVisible());
  EXPECT_TRUE(rig.children.label.IsVisible());
  EXPECT_EQ(rig.tree().Count(), 0);
  rig.children.timer.Advance(19);
  EXPECT_EQ(rig.socket().Attempts().size(), 1u);
  rig.children.timer.Advance(1);
  EXPECT_EQ(rig.socket().Attempts().size(), 2u);
}

TEST(ServerLink, OneKeepAlivePerTenSecondsOfConnectedTime) {
  ControlRig rig;
  rig.Connect();
  rig.children.timer.Advance(19);
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  rig.children.timer.Advance(1);
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0, 0, 0, 0, 0}));
  rig.children.timer.Advance(39);  // not on every tick after the first
  EXPECT_EQ(rig.socket().SentFrames().size(), 2u);
  // A new link counts from zero again.
  rig.children.timer.Advance(10);
  rig.socket().PeerClose();
  rig.children.timer.Advance(20);
  rig.socket().Accept();
  rig.socket().ClearSent();
  rig.children.timer.Advance(19);
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  rig.children.timer.Advance(1);
  EXPECT_EQ(rig.socket().SentFrames().size(), 1u);
}

TEST(ServerLink, FailedSendClosesTheLinkButKeepsTheView) {
  ControlRig rig;
  rig.Connect();
  rig.Report(3, false, "Weekend");
  rig.socket().FailNextSend();
  rig.control.ProfileEnableOrDisable("Weekend", 1);
  EXPECT_EQ(rig.control.IsConnectedToServer(), 0);
  EXPECT_TRUE(rig.tree().IsVisible());
  EXPECT_EQ(rig.control.IsProfileEnabled("weekend"), 0);
  EXPECT_EQ(rig.tree().Count(), 1);
  // With the link down nothing is sent and nothing is raised.
  rig.control.ProfileEnableOrDisable("Weekend", 1);
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  // Twenty ticks later the supervisor tries again; the connect empties the tree.
  rig.children.timer.Advance(20);
  rig.socket().Accept();
  EXPECT_EQ(rig.tree().Count(), 0);
}

}  // namespace
}  // namespace quindo
