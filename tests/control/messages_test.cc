#include <gtest/gtest.h>

#include "control_rig.h"
#include "protocol/field_codec.h"

namespace quindo {
namespace {

using testing::Bytes;
using testing::ConnectedRig;
using testing::ProfileBody;

constexpr int16_t kCtrl = 2;

TEST(ReceiveLoop, HandlesCompleteFramesInOrderAndKeepsTheRest) {
  ConnectedRig rig;
  rig.Receive(Bytes({1}));  // a single waiting byte is kept as well
  rig.Receive(Bytes({0, 0, 0, 2}));
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  EXPECT_EQ(rig.control.BufferedByteCount(), 5);
  rig.Receive(Bytes({0, 8}));  // the greeting's end: answered once
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0xC8, 0, 0, 0, 0}));
  EXPECT_EQ(rig.control.BufferedByteCount(), 0);

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

// A frame that closes the link (a greeting of another level, one that fails
// to decode) leaves the frames after it buffered; they are still handled,
// also by a later arrival whose read fails.
TEST(ReceiveLoop, FramesAfterAClosingOneAreStillHandled) {
  ConnectedRig rig;
  const std::string cut_report = ComposeFrame(kProfileUpdate, ProfileBody(1, true, "Cut").substr(0, 10));
  rig.Receive(Bytes({1, 0, 0, 0, 2, 0, 7}) + ComposeFrame(kProfileReport, ProfileBody(4, true, "Late")) +
              Bytes({1, 0, 0, 0, 2, 0, 8}) + cut_report + ComposeFrame(kProfileUpdate, ProfileBody(2, true, "Kept")));
  EXPECT_EQ(rig.control.IsConnectedToServer(), 0);
  EXPECT_EQ(rig.Keys(), std::vector<std::string>{"K4"});
  EXPECT_TRUE(rig.socket().SentFrames().empty());  // the reply failed on the closed link
  EXPECT_TRUE(rig.tree().IsVisible());             // our own close keeps the view
  rig.socket().FailNextGetData();
  rig.Receive("");
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K4", "K2"}));
}

// A length that cannot be right is refused from the header alone, before
// its body could arrive; the body's contents are judged when it is decoded.
TEST(ReceiveLoop, BadFramesCloseTheLinkWhereTheyStand) {
  struct Case {
    const char* what;
    std::string bytes;
    bool closes;
    int64_t left_buffered, maximum;  // a maximum of -1 leaves the default, 16 MiB
  };
  const std::vector<Case> cases = {
      {"length with the top bit", Bytes({5, 0x80, 0, 0, 0, 1}), true, 6, -1},
      {"body above the default maximum", Bytes({5, 1, 0, 0, 1}), true, 5, -1},
      {"zero is a maximum too: only empty bodies pass", Bytes({5, 0, 0, 0, 0, 5, 0, 0, 0, 1}), true, 5, 0},
      {"body at the maximum waits", Bytes({5, 0, 0, 0x03, 0xE8}), false, 5, 1000},
      {"body above the maximum", Bytes({5, 0, 0, 0x03, 0xE9}), true, 5, 1000},
      {"frame end at 2^31 - 1 waits", Bytes({5, 0x7F, 0xFF, 0xFF, 0xFA}), false, 5, INT32_MAX},
      {"frame end past 2^31 - 1", Bytes({5, 0x7F, 0xFF, 0xFF, 0xFB}), true, 5, INT32_MAX},
      {"greeting of another level", Bytes({1, 0, 0, 0, 2, 0, 9}), true, 0, -1},
      {"greeting without its integer", Bytes({1, 0, 0, 0, 1, 8, 5, 0, 0, 0, 0}), true, 5, -1},
      {"removal without its number", Bytes({211, 0, 0, 0, 3, 0, 0, 1}), true, 0, -1},
      {"no period text", ComposeFrame(kProfileReport, std::string(kProfileRecordFixedSize, '\0')), true, 0, -1},
      {"period text cut short", ComposeFrame(kProfileReport, ProfileBody(7, true, "X").substr(0, 300)), true, 0, -1},
  };
  for (const Case& c : cases) {
    ConnectedRig rig;
    rig.Report(1, true, "Kept");
    if (c.maximum != -1) rig.control.SetMaximumFrameBody(c.maximum);
    rig.Receive(c.bytes);
    EXPECT_EQ(rig.control.IsConnectedToServer(), c.closes ? 0 : 1) << c.what;
    EXPECT_EQ(rig.control.BufferedByteCount(), c.left_buffered) << c.what;
    EXPECT_EQ(rig.Keys(), std::vector<std::string>{"K1"}) << c.what;
    EXPECT_TRUE(rig.tree().IsVisible()) << c.what;
  }
  EXPECT_EQ(ErrorOf([] { ConnectedRig().control.SetMaximumFrameBody(-1); }), kInvalidProcedureCall);
}

TEST(ProfileTree, RequestsGoOutForTheFirstNodeOfTheNameAndLeaveItAlone) {
  ConnectedRig rig;
  rig.Report(12, false, "Night");
  rig.Report(300, true, "Day");
  rig.Report(1, true, "\xC3\xA9t\xC3\xA9");  // été, then ÉTÉ: case is ignored beyond ASCII too
  rig.Report(2, false, "\xC3\x89T\xC3\x89");
  rig.control.ProfileEnableOrDisable("NIGHT", 1);
  rig.control.ProfileEnableOrDisable("day", 0);
  rig.control.ProfileEnableOrDisable("\xC3\x89T\xC3\x89", -1);  // the first in tree order: été
  rig.control.ProfileEnableOrDisable("Nobody", 1);
  EXPECT_EQ(rig.socket().SentFrames(), (std::vector<std::string>{Bytes({0xDC, 0, 0, 0, 4, 0, 0, 0, 0x0C}),
                                                                Bytes({0xDD, 0, 0, 0, 4, 0, 0, 1, 0x2C}),
                                                                Bytes({0xDC, 0, 0, 0, 4, 0, 0, 0, 1})}));
  EXPECT_EQ(rig.control.IsProfileEnabled("night"), 0);  // until the server says otherwise
  EXPECT_EQ(rig.control.IsProfileEnabled("Nobody"), 0);
  EXPECT_EQ(rig.control.IsProfileEnabled("\xC3\x89t\xC3\xA9"), 1);
  rig.Report(12, true, "Night");
  EXPECT_EQ(rig.control.IsProfileEnabled("Night"), 1);
}

TEST(ProfileTree, ReportMovesTheNodeToTheEndAndRemovalTakesOnlyAnExistingNode) {
  ConnectedRig rig;
  for (int16_t n : {1, 2, 3}) rig.Report(n, true, "P" + std::to_string(n));
  rig.tree().Select("K1");
  rig.Report(1, false, "Renamed");
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K2", "K3", "K1"}));
  EXPECT_EQ(rig.tree().Node("K1").text, "Renamed");
  EXPECT_EQ(rig.tree().SelectedKey(), "K1");
  EXPECT_EQ(rig.tree().VisibleKey(), "K1");
  rig.Report(2, true, "P2");  // not selected: moves, the selection stays where it was
  rig.Receive(ComposeFrame(kProfileRemoved, ComposeLong(40000)));  // no 16-bit number has it
  rig.Receive(ComposeFrame(kProfileRemoved, ComposeLong(3)));
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K1", "K2"}));
  EXPECT_EQ(rig.tree().SelectedKey(), "K1");
  EXPECT_EQ(rig.control.IsConnectedToServer(), 1);
}

// Only Ctrl alone toggles the selected node, by click or by Space. A request
// marks its node, and the status says whom the control waits for, until the
// server reports the profile again; after 10 s without a report it says the
// server has not answered.
TEST(ProfileTree, CtrlClickOrCtrlSpaceRequestsAndTheNodeWaitsMarkedUntilItsReport) {
  ConnectedRig rig;
  rig.Report(1, true, "Night shift");
  rig.Report(2, false, "");
  rig.Report(3, true, "Weekend");
  rig.tree().Select("K1");
  for (int16_t shift : {0, 1, 3, 6}) {  // none, Shift, Ctrl+Shift, Ctrl+Alt
    rig.Click(shift);
    rig.control.TreeView_Profiles_KeyDown(32, shift);
  }
  rig.control.TreeView_Profiles_KeyDown(13, kCtrl);  // Ctrl+Enter
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  rig.control.TreeView_Profiles_KeyDown(32, kCtrl);
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0xDD, 0, 0, 0, 4, 0, 0, 0, 1}));
  EXPECT_TRUE(rig.tree().Node("K1").pending && rig.control.IsRequestPending("K1"));
  EXPECT_EQ(rig.tree().Node("K1").image, 1);  // the node changes only with the report
  EXPECT_EQ(rig.control.RequestStatusText(), "Waiting for the server: Night shift");
  rig.children.timer.Advance(10);
  rig.control.ProfileEnableOrDisable("", 1);
  EXPECT_EQ(rig.control.RequestStatusText(), "Waiting for the server: Night shift, (no name) K2");
  rig.children.timer.Advance(10);
  EXPECT_EQ(rig.control.RequestStatusText(),
            "The server has not answered for 10 s: Night shift; Waiting for the server: (no name) K2");
  rig.Report(1, false, "Night shift");
  EXPECT_FALSE(rig.tree().Node("K1").pending);
  EXPECT_EQ(rig.control.RequestStatusText(), "Waiting for the server: (no name) K2");
  rig.Receive(ComposeFrame(kProfileRemoved, ComposeLong(2)));
  EXPECT_EQ(rig.control.RequestStatusText(), "");
  EXPECT_EQ(rig.control.ProfileMessageCount(), 5);
  rig.socket().ClearSent();
  rig.Click(kCtrl);  // K1 is still selected, now disabled
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0xDC, 0, 0, 0, 4, 0, 0, 0, 1}));
  // A negative number cannot be encoded: the request raises before sending.
  rig.Report(-5, true, "Odd");
  EXPECT_EQ(ErrorOf([&] { rig.control.ProfileEnableOrDisable("Odd", 1); }), kInvalidProcedureCall);
  rig.tree().Select("K-5");
  EXPECT_EQ(ErrorOf([&] { rig.Click(kCtrl); }), kInvalidProcedureCall);
  EXPECT_EQ(rig.socket().SentFrames().size(), 1u);  // only the click's
  // With the link down (our own close keeps the tree) nothing goes out and
  // nothing waits.
  rig.Receive(Bytes({1, 0, 0, 0, 2, 0, 7}));
  rig.control.ProfileEnableOrDisable("Weekend", 0);
  EXPECT_FALSE(rig.control.IsRequestPending("K3"));
  EXPECT_EQ(rig.control.KeysOfProfilesNamed("WEEKEND"), std::vector<std::string>{"K3"});
}

}  // namespace
}  // namespace quindo
