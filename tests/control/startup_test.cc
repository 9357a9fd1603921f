#include <gtest/gtest.h>

#include "common/command_line.h"
#include "common/error.h"
#include "common/language.h"
#include "control_rig.h"

namespace quindo {
namespace {

using testing::ControlRig;

TEST(CommandLine, FindsTheOptionAndReadsItsValue) {
  const char* const address = "ServerAddress";
  EXPECT_EQ(GetCommandLineParameter(address, "/ServerAddress:alarmhost /ServerPort:5000"), "alarmhost");
  EXPECT_EQ(GetCommandLineParameter(address, "/serveraddress:AlarmHost"), "AlarmHost");
  EXPECT_EQ(GetCommandLineParameter("serverport", "/ServerAddress:a /SERVERPORT:5000"), "5000");
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
  const auto port = [](const std::string& value) {
    return ControlRig("/ServerPort:" + value).control.ServerPort();
  };
  EXPECT_EQ(ControlRig("/ServerAddress:x").control.ServerPort(), 0);
  EXPECT_EQ(port("12.5"), 12);
  EXPECT_EQ(port("13.5"), 14);
  EXPECT_EQ(port("80abc"), 80);
  EXPECT_EQ(port("2147483647"), INT32_MAX);
  // Out of range: reported, the port counts as 0, and the control exists.
  std::vector<std::string> reports;
  SetReportErrorHandler([&](const std::string& message) { reports.push_back(message); });
  EXPECT_EQ(port("99999999999"), 0);
  SetReportErrorHandler(nullptr);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Overflow"), std::string::npos);
}

TEST(Startup, ShowsTheLabelAndStartsTheTimerWithoutConnecting) {
  ControlRig rig;
  EXPECT_FALSE(rig.tree().IsVisible());
  EXPECT_TRUE(rig.children.label.IsVisible());
  EXPECT_EQ(rig.tree().PathSeparator(), "@");
  EXPECT_TRUE(rig.children.timer.IsEnabled());
  EXPECT_EQ(rig.children.timer.Interval(), 500);
  EXPECT_TRUE(rig.socket().Attempts().empty());
  EXPECT_EQ(rig.control.ServerAddress(), "alarmhost");
  rig.control.Command1_Click();
  EXPECT_EQ(rig.control.ServerAddress(), "127.0.0.1");
  EXPECT_EQ(rig.control.ServerPort(), 58658);
  EXPECT_THROW({ ActiveProfiles orphan(ChildControls{}, ""); }, Error);
}

TEST(Layout, TreeFillsAndLabelIsCentredAtItsSize) {
  ControlRig rig;
  rig.control.UserControl_Resize(400, 301);
  const auto& tree = rig.tree();
  const auto& label = rig.children.label;
  EXPECT_EQ(std::vector<float>({tree.Left(), tree.Top(), tree.Width(), tree.Height()}),
            std::vector<float>({0, 0, 400, 301}));
  EXPECT_FLOAT_EQ(label.Left(), 70.0f);
  EXPECT_FLOAT_EQ(label.Top(), (301.0f - 39.2f) / 2.0f);
  EXPECT_FLOAT_EQ(label.Width(), 260.0f);
  rig.control.UserControl_Resize(100, 20);
  EXPECT_FLOAT_EQ(label.Left(), -80.0f);
  EXPECT_LT(label.Top(), 0.0f);
}

}  // namespace
}  // namespace quindo
