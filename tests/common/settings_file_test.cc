#include "common/settings_file.h"

#include <cstdio>
#include <fstream>
#include <tuple>

#include <gtest/gtest.h>

#include "common/settings.h"

namespace quindo {
namespace {

std::string Find(std::string_view bytes, std::string_view section, std::string_view key) {
  return FindSettingsValue(bytes, section, key, "<default>");
}

// Names match without case and blanks are trimmed; only the first section of
// a name is searched; matching quotes come off; values are read in the code page.
TEST(SettingsFileTest, FindsTheFirstSectionsKeyWithoutCaseTrimmedAndUnquoted) {
  const std::string file =
      "; comment = ignored\r\n"
      "T11=1\r\n"  // before any section
      "[Other]\r\nT11=2\r\n"
      "  [ ReceiverTypeSettings ]  \r\n"
      "no equals sign\r\n"
      "\tt11\t=  45  \r\n"
      "T11=second\r\n"
      "Empty=\r\n"
      "Inner = a = b\n"
      "[receivertypesettings]\nLater=3\n"
      "[S]\n"
      "Double = \" padded \" \n"
      "Single='x'\n"
      "Mixed=\"x'\n"
      "Lone=\"\n"
      "Bare=\"\"\n"
      "Inner=a\"b\"\n"
      "Latin=caf\xE9 \x80\n";
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"ReceiverTypeSettings", "T11", "45"}, {"RECEIVERTYPESETTINGS", "t11", "45"},
      {"ReceiverTypeSettings", "Empty", ""}, {"ReceiverTypeSettings", "Inner", "a = b"},
      {"Other", "T11", "2"}, {"ReceiverTypeSettings", "Later", "<default>"},
      {"ReceiverTypeSettings", "Missing", "<default>"}, {"Missing", "T11", "<default>"},
      {"ReceiverTypeSettings", "no equals sign", "<default>"},
      {"S", "Double", " padded "}, {"S", "Single", "x"}, {"S", "Mixed", "\"x'"}, {"S", "Lone", "\""},
      {"S", "Bare", ""},
      {"S", "Inner", "a\"b\""}, {"S", "Latin", "caf\xC3\xA9 \xE2\x82\xAC"}};
  for (const auto& [section, key, value] : cases) EXPECT_EQ(Find(file, section, key), value) << section << "/" << key;
  EXPECT_EQ(Find("", "A", "B"), "<default>");
  EXPECT_EQ(Find("[S\nK=v\n", "S", "K"), "v");  // an unclosed section name
  EXPECT_EQ(Find("[S]\rK=v\n", "S", "K"), "<default>");  // a lone CR ends no line
}

TEST(SettingsFileTest, ValuesAreCutAt2047CharactersAndMissingFilesGiveTheDefault) {
  const std::string file = "[S]\nK=" + std::string(3000, 'v') + "\n";
  EXPECT_EQ(Find(file, "S", "K"), std::string(2047, 'v'));
  EXPECT_EQ(FindSettingsValue("", "S", "K", std::string(3000, 'd')), std::string(2047, 'd'));

  const std::string dir = testing::TempDir();  // ends in "/"
  DataDirectory() = dir;
  std::ofstream(dir + "settings_file_test.ini", std::ios::binary) << "[ReceiverTypeSettings]\r\nT11=45\r\n";
  EXPECT_EQ(GetSettingsFileValue("ReceiverTypeSettings", "T11", "", "settings_file_test.ini"), "45");
  EXPECT_EQ(GetSettingsFileValue("ReceiverTypeSettings", "T11", "0", "missing.ini"), "0");
  EXPECT_EQ(GetSettingsFileValue("ReceiverTypeSettings", "T11", "d", ""), "d");  // a directory
  std::remove((dir + "settings_file_test.ini").c_str());
  DataDirectory().clear();
}

}  // namespace
}  // namespace quindo
