#include <gtest/gtest.h>

#include "common/error.h"
#include "control_rig.h"
#include "protocol/field_codec.h"

namespace quindo {
namespace {

using testing::Bytes;
using testing::ControlRig;

constexpr int16_t kCtrl = 2;

TEST(ProfileTree, RequestsGoOutForTheFirstNodeOfTheNameAndLeaveItAlone) {
  ControlRig rig;
  rig.Connect();
  rig.Report(12, false, "Night");
  rig.Report(300, true, "Day");
  rig.control.ProfileEnableOrDisable("NIGHT", 1);
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0xDC, 0, 0, 0, 4, 0, 0, 0, 0x0C}));
  rig.socket().ClearSent();
  rig.control.ProfileEnableOrDisable("Night", -1);
  rig.control.ProfileEnableOrDisable("day", 0);
  rig.control.ProfileEnableOrDisable("Nobody", 1);
  ASSERT_EQ(rig.socket().SentFrames().size(), 2u);
  EXPECT_EQ(rig.socket().SentFrames()[0][0], '\xDC');
  EXPECT_EQ(rig.socket().SentFrames()[1], Bytes({0xDD, 0, 0, 0, 4, 0, 0, 1, 0x2C}));
  EXPECT_EQ(rig.control.IsProfileEnabled("night"), 0);  // until the server says otherwise
  EXPECT_EQ(rig.control.IsProfileEnabled("Day"), 1);
  EXPECT_EQ(rig.control.IsProfileEnabled("Nobody"), 0);
  rig.Report(12, true, "Night");
  EXPECT_EQ(rig.control.IsProfileEnabled("Night"), 1);
  // The first node in tree order wins, also beyond ASCII: été and ÉTÉ.
  rig.Report(1, true, "\xC3\xA9t\xC3\xA9");
  rig.Report(2, false, "\xC3\x89T\xC3\x89");
  EXPECT_EQ(rig.control.IsProfileEnabled("\xC3\x89t\xC3\xA9"), 1);
  rig.socket().ClearSent();
  rig.control.ProfileEnableOrDisable("\xC3\x89T\xC3\x89", 0);
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0xDD, 0, 0, 0, 4, 0, 0, 0, 1}));
}

TEST(ProfileTree, ReportMovesTheNodeToTheEndKeepingSelectionAndView) {
  ControlRig rig;
  rig.Connect();
  for (int16_t n : {1, 2, 3}) rig.Report(n, true, "P" + std::to_string(n));
  rig.tree().Select("K1");
  rig.Report(1, false, "Renamed");
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K2", "K3", "K1"}));
  EXPECT_EQ(rig.tree().Node("K1").text, "Renamed");
  EXPECT_EQ(rig.tree().Node("K1").image, 2);
  EXPECT_EQ(rig.tree().SelectedKey(), "K1");
  EXPECT_EQ(rig.tree().VisibleKey(), "K1");
  rig.Report(2, true, "P2");  // not selected: moves, selection stays where it was
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K3", "K1", "K2"}));
  EXPECT_EQ(rig.tree().SelectedKey(), "K1");
}

TEST(ProfileTree, RemovalTakesOnlyAnExistingNode) {
  ControlRig rig;
  rig.Connect();
  rig.Report(1, true, "A");
  rig.Report(2, true, "B");
  rig.Receive(ComposeFrame(kProfileRemoved, ComposeLong(40000)));
  EXPECT_EQ(rig.Keys(), (std::vector<std::string>{"K1", "K2"}));
  rig.Receive(ComposeFrame(kProfileRemoved, ComposeLong(1)));
  EXPECT_EQ(rig.Keys(), std::vector<std::string>{"K2"});
  EXPECT_EQ(rig.control.IsConnectedToServer(), 1);
}

TEST(ProfileTree, OnlyCtrlAloneClickToggles) {
  ControlRig rig;
  rig.Connect();
  rig.Report(7, true, "On");
  rig.tree().Select("K7");
  for (int shift : {0, 1, 3, 6}) {  // none, Shift, Ctrl+Shift, Ctrl+Alt
    rig.control.TreeView_Profiles_MouseDown(1, static_cast<int16_t>(shift), 0, 0);
    rig.control.TreeView_Profiles_Click();
  }
  EXPECT_TRUE(rig.socket().SentFrames().empty());
  rig.control.TreeView_Profiles_MouseDown(1, kCtrl, 0, 0);
  rig.control.TreeView_Profiles_Click();
  EXPECT_EQ(rig.socket().SentBytes(), Bytes({0xDD, 0, 0, 0, 4, 0, 0, 0, 7}));
}

TEST(ProfileTree, NegativeNumberRaisesAndSendsNothing) {
  ControlRig rig;
  rig.Connect();
  rig.Report(-5, true, "Odd");
  EXPECT_EQ(rig.Keys(), std::vector<std::string>{"K-5"});
  try {
    rig.control.ProfileEnableOrDisable("Odd", 1);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kInvalidProcedureCall);
  }
  rig.tree().Select("K-5");
  rig.control.TreeView_Profiles_MouseDown(1, kCtrl, 0, 0);
  EXPECT_THROW(rig.control.TreeView_Profiles_Click(), Error);
  EXPECT_TRUE(rig.socket().SentFrames().empty());
}

}  // namespace
}  // namespace quindo
