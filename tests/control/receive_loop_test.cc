#include <gtest/gtest.h>

#include "control_rig.h"
#include "protocol/field_codec.h"

namespace quindo {
namespace {

using testing::Bytes;
using testing::ControlRig;
using testing::ProfileBody;

TEST(ReceiveLoop, GreetingSplitOverTwoArrivalsIsAnsweredOnce) {
  ControlRig rig;
  rig.Connect();
  rig.Receive(Bytes({1, 0, 0, 0, 2}));
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  EXPECT_EQ(rig.control.BufferedByteCount(), 5);
  rig.Receive(Bytes({0, 8}));
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0xC8, 0, 0, 0, 0}));
  EXPECT_EQ(rig.control.BufferedByteCount(), 0);
}

TEST(ReceiveLoop, OtherLevelClosesButLaterFramesAreStillHandled) {
  ControlRig rig;
  rig.Connect();
  rig.Receive(Bytes({1, 0, 0, 0, 2, 0, 7}) + ComposeFrame(kProfileReport, ProfileBody(4, true, "Late")) +
              Bytes({1, 0, 0, 0, 2, 0, 8}));
  EXPECT_EQ(rig.control.IsConnectedToServer(), 0);
  EXPECT_EQ(rig.Keys(), std::vector<std::string>{"K4"});
  EXPECT_TRUE(rig.socket().SentFrames().empty());  // the reply failed on the closed link
  EXPECT_TRUE(rig.tree().IsVisible());             // our own close keeps the view
}

TEST(ReceiveLoop, HandlesCompleteFramesInOrderAndKeepsTheRest) {
  ControlRig rig;
  rig.Connect();
  const std::string third = ComposeFrame(kProfileUpdate, ProfileBody(3, true, "C"));
  rig.Receive(ComposeFrame(kProfileUpdate, ProfileBody(1, true, "A")) + Bytes({5, 0, 0, 0, 0}) +
              Bytes({9, 0, 0, 0, 3, 1, 2, 3}) + ComposeFrame(kProfileReport, ProfileBody(2, true, "B")) +
              third.substr(0, 100));
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K1", "K2"}));
  EXPECT_EQ(rig.control.BufferedByteCount(), 100);
  // Any chunking joins up: the rest a byte at a time.
  for (char byte : third.substr(100)) rig.Receive(std::string(1, byte));
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K1", "K2", "K3"}));
  EXPECT_EQ(rig.control.IsConnectedToServer(), 1);
}

TEST(ReceiveLoop, BadFramesCloseTheLinkWhereTheyStand) {
  struct Case {
    const char* what;
    std::string bytes;
    int64_t left_buffered;
  };
  const std::string fixed_only = std::string(kProfileRecordFixedSize, '\0');
  const std::vector<Case> cases = {
      {"length with the top bit", Bytes({5, 0x80, 0, 0, 0, 1}), 6},
      {"body above the maximum", Bytes({5, 0, 0, 0x03, 0xE9}), 5},
      {"greeting without its integer", Bytes({1, 0, 0, 0, 1, 8, 5, 0, 0, 0, 0}), 5},
      {"removal without its number", Bytes({211, 0, 0, 0, 3, 0, 0, 1}), 0},
      {"profile without a period text", ComposeFrame(kProfileReport, fixed_only), 0},
      {"profile cut inside its period text", ComposeFrame(kProfileReport, ProfileBody(7, true, "X").substr(0, 300)), 0},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    rig.Connect();
    rig.Report(1, true, "Kept");
    rig.control.SetMaximumFrameBody(1000);
    rig.Receive(c.bytes);
    EXPECT_EQ(rig.control.IsConnectedToServer(), 0) << c.what;
    EXPECT_EQ(rig.control.BufferedByteCount(), c.left_buffered) << c.what;
    EXPECT_EQ(rig.Keys(), std::vector<std::string>{"K1"}) << c.what;
    EXPECT_TRUE(rig.tree().IsVisible()) << c.what;
  }
  ControlRig rig;  // the default maximum is 16 MiB
  rig.Connect();
  rig.Receive(Bytes({5, 1, 0, 0, 1}));
  EXPECT_EQ(rig.control.IsConnectedToServer(), 0);
}

}  // namespace
}  // namespace quindo
