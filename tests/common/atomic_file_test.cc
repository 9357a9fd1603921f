#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/file_system.h"
#include "disk_files.h"
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

// A whole replace, its syncs and an append are tried on disk and in memory
// alike by the file system test; here what only a real disk shows.
TEST_F(AtomicFileTest, FailedReplaceKeepsOldContentAndRemovesTemporary) {
  EXPECT_EQ(ErrorOf([&] { WriteFileAtomically(dir_ + "/missing/x.dat", "x"); }), kPathNotFound);
  // A directory in the file's place cannot be replaced by a file.
  fs::create_directory(dir_ + "/Taken.dat");
  std::ofstream(dir_ + "/Taken.dat/inside") << "old";
  EXPECT_NE(ErrorOf([&] { WriteFileAtomically(dir_ + "/Taken.dat", "new"); }), 0);
  EXPECT_EQ(ReadBytes(dir_ + "/Taken.dat/inside"), "old");
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
           ".A.dat.tmp-" + dead + "-0", ".A.dat.tmp-" + dead + "-17", ".A.dat.tmp-" + ours + "-999999",
           ".A.dat.tmp-" + our_pid + "-0123456789abcdef-3", ".A.dat.tmp-1-0", ".A.dat.tmp-x-0",
           ".A.dat.tmp-4000000~-0", ".A.dat.tmp-" + dead, ".A.dat.tmp-4000000-0",  // the largest id read
           ".B.dat.tmp-" + dead + "-0", ".A.datx.tmp-" + dead + "-0"}) {
    std::ofstream(dir_ + "/" + name) << "partial";
  }
  WriteFileAtomically(dir_ + "/A.dat", "whole");
  // Kept: in use by this process, by a live process (1), unreadable, or
  // another file's.
  std::vector<std::string> kept{".A.dat.tmp-" + ours + "-999999", ".A.dat.tmp-1-0", ".A.dat.tmp-x-0",
                                ".A.dat.tmp-4000000~-0", ".A.dat.tmp-" + dead, ".A.datx.tmp-" + dead + "-0",
                                ".B.dat.tmp-" + dead + "-0", "A.dat"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(), kept);
  // The live process's temporary stays also when a dead one's was looked at
  // just before it, whatever order the directory lists them in.
  for (int round = 0; round < 16; ++round) {
    std::ofstream(dir_ + "/.A.dat.tmp-" + dead + "-x" + std::to_string(round)) << "partial";
    WriteFileAtomically(dir_ + "/A.dat", "whole");
  }
  EXPECT_EQ(Names(), kept);
}

TEST_F(AtomicFileTest, ReplaceKeepsLinksModeAndOwnerAndRefusesWhatItMayNotWrite) {
  // A chain of links, one relative from another directory: the end of the
  // chain is replaced and every link stays a link.
  fs::create_directory(dir_ + "/real");
  std::ofstream(dir_ + "/real/A.dat") << "old";
  fs::create_symlink("real/A.dat", dir_ + "/first.dat");
  fs::create_symlink(dir_ + "/first.dat", dir_ + "/link.dat");
  WriteFileAtomically(dir_ + "/link.dat", "new");
  EXPECT_TRUE(fs::is_symlink(dir_ + "/link.dat") && fs::is_symlink(dir_ + "/first.dat"));
  EXPECT_EQ(ReadBytes(dir_ + "/real/A.dat"), "new");
  // A link to a missing file makes the file it names.
  fs::create_symlink("real/B.dat", dir_ + "/dangling.dat");
  WriteFileAtomically(dir_ + "/dangling.dat", "b");
  EXPECT_EQ(ReadBytes(dir_ + "/real/B.dat"), "b");

  // Permission bits and owner stay; a hard link keeps the old content.
  const std::string path = dir_ + "/real/A.dat";
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  if (::geteuid() == 0) ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  struct stat before{};
  ::stat(path.c_str(), &before);
  fs::create_hard_link(path, dir_ + "/hard.dat");
  WriteFileAtomically(dir_ + "/link.dat", "newer");
  struct stat after{};
  ::stat(path.c_str(), &after);
  EXPECT_EQ(after.st_mode & 07777, 0600u);
  EXPECT_EQ(std::make_pair(after.st_uid, after.st_gid), std::make_pair(before.st_uid, before.st_gid));
  EXPECT_EQ(ReadBytes(dir_ + "/hard.dat"), "new");

  // A file this user may not write is not replaced, as writing it in place
  // would be refused; root is another user here, so that the case is tried.
  fs::permissions(dir_, fs::perms::all);
  fs::permissions(dir_ + "/real", fs::perms::all);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    ::_exit(ErrorOf([&] { WriteFileAtomically(dir_ + "/link.dat", "lost"); }) == kPermissionDenied ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(path), "newer");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/real"), {}), 2);  // A.dat and B.dat only
}

}  // namespace
}  // namespace quindo
