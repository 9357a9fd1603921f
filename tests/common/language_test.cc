#include "common/language.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/shipped_files.h"
#include "common/step_recorder.h"
#include "error_number.h"

namespace quindo {
namespace {

class LanguageTest : public testing::Test {
 protected:
  void TearDown() override {
    ClearLanguageTable();
    SetReportErrorHandler(nullptr);
  }
};

TEST_F(LanguageTest, LookupFallsBackAndLowestRowWins) {
  EXPECT_EQ(GetLanguageText(12), "*** Invalid Text (12)");
  EXPECT_EQ(GetLanguageText(-3), "*** Invalid Text (-3)");
  SetLanguageTable("FirstSecondAbc", {{7, 1, 0}, {4, 1, 5}, {4, 6, 6}, {9, 12, 10}, {5, 40, 2}, {8, 0, 1}});
  EXPECT_EQ(GetLanguageText(7), "*** Missing text (7)");
  EXPECT_EQ(GetLanguageText(4), "First");
  EXPECT_EQ(GetLanguageText(9), "Abc");  // cut at the end of the blob
  EXPECT_EQ(GetLanguageText(5), "*** Missing text (5)");
  EXPECT_EQ(ErrorOf([] { GetLanguageText(8); }), kInvalidProcedureCall);
}

TEST_F(LanguageTest, LoadsLanguageFileAndRefusesMalformedLines) {
  const std::string path = testing::TempDir() + "language_test.txt";
  std::ofstream(path) << "# texts\n\n101\tCannot save '\\t'\r\n102\tTwo\\nlines\n101\tLater\n-5\t\n103\tends in \\\n"
                          "2147483647\tmax\n-2147483648\tmin\n";
  EXPECT_EQ(LoadLanguageFile(path), 7);
  EXPECT_EQ(GetLanguageText(103), "ends in \\");  // a lone backslash at the end stays
  EXPECT_EQ(GetLanguageText(101), "Cannot save '\t'");
  EXPECT_EQ(GetLanguageText(102), "Two\nlines");
  EXPECT_EQ(GetLanguageText(-5), "*** Missing text (-5)");
  for (const char* bad : {"1\tok\n12x\tbad\n", "\tno number\n", "7 without tab\n", "99999999999\tbig\n"}) {
    std::ofstream(path) << bad;
    EXPECT_EQ(ErrorOf([&] { LoadLanguageFile(path); }), kInvalidProcedureCall) << bad;
  }
  EXPECT_EQ(GetLanguageText(102), "Two\nlines");  // the old table stays
  std::remove(path.c_str());
  EXPECT_EQ(ErrorOf([&] { LoadLanguageFile(path); }), kFileNotFound);
}

// An installed tree (bin/ beside share/quindo/) and a build tree (program
// folders below the root that mirrors share/quindo/) are found from the
// program's folder wherever the tree lies, the nearest first; with
// QUINDO_DATA_DIR set, that folder alone. The program folders need not exist.
TEST_F(LanguageTest, ShippedFileIsFoundFromTheProgramsFolderOrTheOverride) {
  namespace fs = std::filesystem;
  unsetenv("QUINDO_DATA_DIR");  // set or not, it is left unset for the tests after this one
  const fs::path root = fs::path(testing::TempDir()) / "shipped_files_test";
  fs::remove_all(root);
  for (const char* file : {"moved/prefix/share/quindo/language/english.txt", "build/share/quindo/language/english.txt",
                           "build/tools/share/quindo/language/other.txt", "override/language/english.txt"}) {
    fs::create_directories((root / file).parent_path());
    std::ofstream(root / file) << "1\tx\n";
  }
  const auto find = [&](const char* relative, const char* program_folder) {
    const auto found = FindShippedFile(relative, (root / program_folder).string());
    return found ? fs::relative(*found, root).string() : "none";
  };
  EXPECT_EQ(find("language/english.txt", "moved/prefix/bin"), "moved/prefix/share/quindo/language/english.txt");
  EXPECT_EQ(find("language/english.txt", "build/tools/records"), "build/share/quindo/language/english.txt");
  EXPECT_EQ(find("language/other.txt", "build/tools/records"), "build/tools/share/quindo/language/other.txt");
  EXPECT_EQ(find("language/english.txt", "bare/bin"), "none");

  setenv("QUINDO_DATA_DIR", (root / "override").c_str(), 1);
  EXPECT_EQ(find("language/english.txt", "build/tools/records"), "override/language/english.txt");
  EXPECT_EQ(find("language/other.txt", "build/tools/records"), "none");  // no fallback past the override
  unsetenv("QUINDO_DATA_DIR");
  fs::remove_all(root);
}

TEST(StepRecorderTest, RunsEveryStepAndKeepsLastFailure) {
  StepRecorder steps;
  int ran = 0;
  EXPECT_FALSE(steps.Try([&] { ++ran; throw Error(kDiskFull); }));
  EXPECT_TRUE(steps.Try([&] { ++ran; }));
  EXPECT_FALSE(steps.Try([&] { ++ran; throw Error(kPermissionDenied); }));
  EXPECT_FALSE(steps.Try([&] { ++ran; throw std::bad_alloc(); }));
  EXPECT_EQ(ran, 4);
  EXPECT_TRUE(steps.Failed());
  EXPECT_EQ(steps.LastNumber(), kOutOfMemory);
  steps.Try([] { throw Error(kPathNotFound); });
  EXPECT_EQ(steps.LastNumber(), kPathNotFound);
  EXPECT_EQ(steps.LastDescription(), "Path not found");
  steps.Clear();
  EXPECT_FALSE(steps.Failed());
}

}  // namespace
}  // namespace quindo
