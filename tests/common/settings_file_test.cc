#include "common/settings_file.h"

#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "common/settings.h"

namespace quindo {
namespace {

std::string Find(std::string_view bytes, std::string_view section, std::string_view key) {
  return FindSettingsValue(bytes, section, key, "<default>");
}

TEST(SettingsFileTest, MatchesSectionAndKeyWithoutCaseAndTrimsBlanks) {
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
      "[receivertypesettings]\nLater=3\n";
  EXPECT_EQ(Find(file, "ReceiverTypeSettings", "T11"), "45");
  EXPECT_EQ(Find(file, "RECEIVERTYPESETTINGS", "t11"), "45");
  EXPECT_EQ(Find(file, "ReceiverTypeSettings", "Empty"), "");
  EXPECT_EQ(Find(file, "ReceiverTypeSettings", "Inner"), "a = b");
  EXPECT_EQ(Find(file, "Other", "T11"), "2");
  EXPECT_EQ(Find(file, "ReceiverTypeSettings", "Later"), "<default>");  // only the first section
  EXPECT_EQ(Find(file, "ReceiverTypeSettings", "Missing"), "<default>");
  EXPECT_EQ(Find(file, "Missing", "T11"), "<default>");
  EXPECT_EQ(Find(file, "ReceiverTypeSettings", "no equals sign"), "<default>");
  EXPECT_EQ(Find("", "A", "B"), "<default>");
}

TEST(SettingsFileTest, UnquotesMatchingQuotesOnlyAndDecodesTheCodePage) {
  const std::string file =
      "[S]\n"
      "Double = \" padded \" \n"
      "Single='x'\n"
      "Mixed=\"x'\n"
      "Lone=\"\n"
      "Inner=a\"b\"\n"
      "Latin=caf\xE9 \x80\n";
  EXPECT_EQ(Find(file, "S", "Double"), " padded ");
  EXPECT_EQ(Find(file, "S", "Single"), "x");
  EXPECT_EQ(Find(file, "S", "Mixed"), "\"x'");
  EXPECT_EQ(Find(file, "S", "Lone"), "\"");
  EXPECT_EQ(Find(file, "S", "Inner"), "a\"b\"");
  EXPECT_EQ(Find(file, "S", "Latin"), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(Find("[S\nK=v\n", "S", "K"), "v");  // an unclosed section name
  EXPECT_EQ(Find("[S]\rK=v\n", "S", "K"), "<default>");  // a lone CR ends no line
}

TEST(SettingsFileTest, ValuesAreCutAt2047CharactersAndMissingFilesGiveTheDefault) {
  const std::string file = "[S]\nK=" + std::string(3000, 'v') + "\n";
  EXPECT_EQ(Find(file, "S", "K"), std::string(2047, 'v'));
  EXPECT_EQ(FindSettingsValue("", "S", "K", std::string(3000, 'd')), std::string(2047, 'd'));

  char pattern[] = "/tmp/settings_file_test.XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  DataDirectory() = dir + "/";
  std::ofstream(dir + "/types.ini", std::ios::binary) << "[ReceiverTypeSettings]\r\nT11=45\r\n";
  EXPECT_EQ(GetSettingsFileValue("ReceiverTypeSettings", "T11", "", "types.ini"), "45");
  EXPECT_EQ(GetSettingsFileValue("ReceiverTypeSettings", "T11", "0", "missing.ini"), "0");
  EXPECT_EQ(GetSettingsFileValue("ReceiverTypeSettings", "T11", "d", ""), "d");  // a directory
  std::remove((dir + "/types.ini").c_str());
  std::remove(dir.c_str());
  DataDirectory().clear();
}

}  // namespace
}  // namespace quindo
