#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/file_system.h"
#include "error_number.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir() + "atomic_file_" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The id of a process that has ended and been reaped.
  static pid_t DeadProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
  }

  std::string dir_;
};

TEST_F(AtomicFileTest, ReplacesWholeContentAndLeavesNoTemporary) {
  const std::string path = dir_ + "/Calendar.dat";
  WriteFileAtomically(path, std::string("first\0content", 13));
  EXPECT_EQ(Read(path), std::string("first\0content", 13));
  WriteFileAtomically(path, "2");
  EXPECT_EQ(Read(path), "2");
  WriteFileAtomically(path, "");
  EXPECT_EQ(Read(path), "");
  EXPECT_EQ(Names(), std::vector<std::string>{"Calendar.dat"});
}

TEST_F(AtomicFileTest, FailedReplaceKeepsOldContentAndRemovesTemporary) {
  EXPECT_EQ(ErrorOf([&] { WriteFileAtomically(dir_ + "/missing/x.dat", "x"); }), kPathNotFound);
  // A directory in the file's place cannot be replaced by a file.
  fs::create_directory(dir_ + "/Taken.dat");
  std::ofstream(dir_ + "/Taken.dat/inside") << "old";
  EXPECT_NE(ErrorOf([&] { WriteFileAtomically(dir_ + "/Taken.dat", "new"); }), 0);
  EXPECT_EQ(Read(dir_ + "/Taken.dat/inside"), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"Taken.dat"});
}

TEST_F(AtomicFileTest, TemporaryNamesAreHiddenUniqueAndBesideTheFile) {
  const std::string a = TemporaryNameFor(dir_ + "/Receiver_0012.dat");
  const std::string b = TemporaryNameFor(dir_ + "/Receiver_0012.dat");
  EXPECT_NE(a, b);
  const std::string prefix = dir_ + "/.Receiver_0012.dat.tmp-" + std::to_string(::getpid()) + "-";
  EXPECT_EQ(a.substr(0, prefix.size()), prefix);
  EXPECT_EQ(TemporaryNameFor("x.dat").substr(0, 11), ".x.dat.tmp-");
}

TEST_F(AtomicFileTest, ReplaceRemovesOnlyStaleTemporariesOfItsOwnFile) {
  const std::string dead = std::to_string(DeadProcessId());
  // "pid-token-": the token this process puts in its own temporaries.
  const std::string fresh = TemporaryNameFor(dir_ + "/A.dat");
  const std::string ours = fresh.substr(fresh.find(".tmp-") + 5, fresh.rfind('-') - fresh.find(".tmp-") - 5);
  const std::string our_pid = std::to_string(::getpid());
  for (const std::string& name : std::vector<std::string>{
           ".A.dat.tmp-" + dead + "-0", ".A.dat.tmp-" + dead + "-17", ".A.dat.tmp-" + ours + "-3",
           ".A.dat.tmp-" + our_pid + "-0123456789abcdef-3", ".A.dat.tmp-1-0", ".A.dat.tmp-x-0",
           ".B.dat.tmp-" + dead + "-0", ".A.datx.tmp-" + dead + "-0"}) {
    std::ofstream(dir_ + "/" + name) << "partial";
  }
  WriteFileAtomically(dir_ + "/A.dat", "whole");
  // Kept: in use by this process, by a live process (1), unreadable, or
  // another file's.
  std::vector<std::string> kept{".A.dat.tmp-" + ours + "-3", ".A.dat.tmp-1-0", ".A.dat.tmp-x-0",
                                ".A.datx.tmp-" + dead + "-0", ".B.dat.tmp-" + dead + "-0", "A.dat"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(), kept);
}

TEST_F(AtomicFileTest, AppendCreatesAndExtends) {
  const std::string path = dir_ + "/Deleted.dat";
  AppendToFile(path, "a\r\n");
  AppendToFile(path, "b\r\n");
  EXPECT_EQ(Read(path), "a\r\nb\r\n");
  EXPECT_EQ(ErrorOf([&] { AppendToFile(dir_ + "/no/x", "a"); }), kPathNotFound);
}

}  // namespace
}  // namespace quindo
