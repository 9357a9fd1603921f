// The file system on disk and the one in memory give the same results and
// the same errors for the same calls, so that what fuzzing finds in memory
// holds on disk.
#include "common/file_system.h"

#include <algorithm>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "common/binary_file.h"
#include "common/disk_file_system.h"
#include "common/error.h"
#include "common/memory_file_system.h"
#include "error_number.h"

namespace quindo {
namespace {

// Each step's result, or "error N" when it raised.
std::string Outcome(const std::function<std::string()>& step) {
  try {
    return step();
  } catch (const Error& e) {
    return "error " + std::to_string(e.Number());
  }
}

std::string ReadWhole(const std::string& path) {
  BinaryFile file;
  file.Open(path, BinaryFile::Mode::kRead);
  return file.ReadBytes(static_cast<size_t>(file.Length()));
}

void WriteWhole(const std::string& path, BinaryFile::Mode mode, const std::string& bytes) {
  BinaryFile file;
  file.Open(path, mode);
  file.WriteBytes(bytes);
  file.Close();
}

// The same sequence of calls under `root` (a directory that exists, with the
// subdirectory "sub"), through the active file system.
std::vector<std::string> RunSequence(const std::string& root) {
  const std::string a = root + "/a.dat", b = root + "/b.dat";
  std::vector<std::string> log;
  const auto step = [&log](const std::function<std::string()>& s) { log.push_back(Outcome(s)); };
  step([&] { return ReadWhole(a); });                                              // 53
  step([&] { WriteWhole(root + "/absent/x", BinaryFile::Mode::kCreate, "x"); return "ok"; });  // 76
  step([&] { WriteWhole(root + "/sub", BinaryFile::Mode::kReadWrite, "x"); return "ok"; });    // 75
  step([&] { WriteWhole(a, BinaryFile::Mode::kCreate, "long content"); return ReadWhole(a); });
  step([&] { WriteWhole(a, BinaryFile::Mode::kReadWrite, "LONG"); return ReadWhole(a); });  // overwrites the start
  step([&] { WriteWhole(a, BinaryFile::Mode::kCreate, "new"); return ReadWhole(a); });       // truncated at open
  step([&] {
    // Two handles on one file each write only the bytes they were given: a
    // close writes nothing of what the other one wrote meanwhile.
    const std::string c = root + "/c.dat", d = root + "/d.dat";
    WriteWhole(c, BinaryFile::Mode::kCreateNew, "0123456789");
    BinaryFile first, second;
    first.Open(c, BinaryFile::Mode::kReadWrite);
    second.Open(c, BinaryFile::Mode::kReadWrite);
    first.Seek(2);
    first.WriteBytes("X");
    second.Seek(8);
    second.WriteBytes("Y");
    second.Close();
    first.Close();
    // A name that is taken is not created or renamed over.
    WriteWhole(d, BinaryFile::Mode::kCreate, "d");
    std::string result = ReadWhole(c) + "," + Outcome([&] {
      WriteWhole(c, BinaryFile::Mode::kCreateNew, "x");
      return "ok";
    });
    result += "," + Outcome([&] {
      ActiveFileSystem().RenameNoReplace(d, c);
      return "ok";
    });
    DeleteFile(d);
    DeleteFile(c);
    return result;
  });
  step([&] {
    BinaryFile file;  // opened and closed without writing: nothing changes
    file.Open(b, BinaryFile::Mode::kReadWrite);
    file.Close();
    return std::to_string(FileExists(b)) + ReadWhole(b);
  });
  step([&] { AppendToFile(b, "1"); AppendToFile(b, "2"); return ReadWhole(b); });
  step([&] { AppendToFile(root + "/absent/log", "x"); return "ok"; });  // 76
  step([&] { RenameFile(a, b); return std::to_string(FileExists(a)) + ReadWhole(b); });
  step([&] { RenameFile(a, b); return "ok"; });  // 76: nothing to rename
  step([&] {
    // A file written after its name changed still writes the file it opened.
    BinaryFile file;
    file.Open(b, BinaryFile::Mode::kReadWrite);
    RenameFile(b, a);
    file.WriteBytes("X");
    file.Close();
    return ReadWhole(a);
  });
  step([&] {
    std::vector<std::string> names = ListFiles(root);
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& n : names) joined += n + ",";
    return joined + std::to_string(ListFiles(root + "/absent").size());
  });
  step([&] {
    return std::to_string(FileExists(root + "/sub")) + std::to_string(DirectoryExists(root + "/sub")) +
           std::to_string(DirectoryExists(root + "/sub/")) + std::to_string(DirectoryExists(a)) +
           std::to_string(DirectoryExists(root + "/absent")) + std::to_string(FileExists(""));
  });
  step([&] { DeleteFile(a); return std::to_string(FileExists(a)); });
  step([&] { DeleteFile(a); return "ok"; });  // 53
  step([&] { SyncFile(root + "/gone.dat"); return "ok"; });            // 76
  step([&] { SyncDirectoryOf(root + "/absent/x"); return "ok"; });     // 76
  step([&] {
    // The durable save leaves the new content and nothing beside it.
    WriteFileAtomically(b, "old");
    WriteFileAtomically(b, "new!");
    SyncFile(b);
    return ReadWhole(b) + "," + std::to_string(ListFiles(root).size()) + "," + std::to_string(FileExists(root + "/.b.dat"));
  });
  return log;
}

TEST(FileSystemTest, MemoryAndDiskAgreeOnEveryResultAndErrorAndASaveSyncsInOrder) {
  char pattern[] = "/tmp/file_system_test.XXXXXX";
  const std::string disk_root = ::mkdtemp(pattern);
  std::filesystem::create_directory(disk_root + "/sub");
  const std::vector<std::string> on_disk = RunSequence(disk_root);
  std::filesystem::remove_all(disk_root);

  MemoryFileSystem memory;
  memory.CreateDirectory("/data/sub/");
  SetActiveFileSystem(&memory);
  const std::vector<std::string> in_memory = RunSequence("/data");
  EXPECT_EQ(memory.FileContent("/data/a.dat"), nullptr);
  // A save syncs the file before its rename and the directory after.
  std::vector<std::string> journal;
  memory.SetJournal(&journal);
  WriteFileAtomically("/data/a.dat", "new");
  memory.SetJournal(nullptr);
  SetActiveFileSystem(nullptr);

  EXPECT_EQ(in_memory, on_disk);
  EXPECT_EQ(on_disk, (std::vector<std::string>{
                         "error 53", "error 76", "error 75", "long content", "LONG content", "new",
                         "01X34567Y9,error 58,error 58", "1",
                         "12", "error 76", "0new", "error 76", "Xew", "a.dat,0", "011000", "0", "error 53",
                         "error 76", "error 76", "new!,1,0"}));
  EXPECT_FALSE(std::filesystem::exists("/data"));  // the memory run never touched the disk
  ASSERT_EQ(journal.size(), 3u);
  const std::string temporary = journal[0].substr(std::string("sync ").size());
  EXPECT_TRUE(temporary.starts_with("/data/.a.dat.tmp-")) << temporary;
  EXPECT_EQ(journal, (std::vector<std::string>{"sync " + temporary, "rename " + temporary + " /data/a.dat",
                                               "sync directory /data"}));
}

}  // namespace
}  // namespace quindo
