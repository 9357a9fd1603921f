// What every record file shares, tried on the in-memory file system: loaders
// that read no more than their format holds, and new records that never
// land on a file another writer created first.
#include <algorithm>
#include <cstdio>
#include <map>

#include <gtest/gtest.h>

#include "common/binary_file.h"
#include "common/error.h"
#include "common/language.h"
#include "common/memory_file_system.h"
#include "common/settings.h"
#include "common/settings_file.h"
#include "error_number.h"
#include "model/alarm/alarm.h"
#include "model/calendar/calendar.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/record_file.h"
#include "model/receiver/receiver.h"

namespace quindo {
namespace {

// A file without end, like /dev/zero after `start`, that counts what is read.
class EndlessFile : public OpenFile {
 public:
  EndlessFile(std::string start, int64_t& bytes_read) : start_(std::move(start)), bytes_read_(bytes_read) {}
  int64_t Size() override { return int64_t{1} << 40; }
  size_t ReadAt(int64_t offset, char* data, size_t size) override {
    for (size_t i = 0; i < size; ++i) {
      const auto at = static_cast<size_t>(offset) + i;
      data[i] = at < start_.size() ? start_[at] : '\0';
    }
    bytes_read_ += static_cast<int64_t>(size);
    return size;
  }
  void WriteAt(int64_t, const char*, size_t) override { throw Error(kPermissionDenied); }
  void Truncate(int64_t) override {}
  void Sync() override {}
  void SyncData() override {}
  void Lock(LockKind) override {}
  void Unlock() override {}
  void Close() override {}

 private:
  std::string start_;
  int64_t& bytes_read_;
};

// Memory, where the names in `endless` are endless files starting with the
// bytes given, and a directory lists its names backwards (a disk promises
// no order).
class WithEndlessFiles : public MemoryFileSystem {
 public:
  std::vector<std::string> ListFiles(const std::string& directory) override {
    std::vector<std::string> names = MemoryFileSystem::ListFiles(directory);
    std::reverse(names.begin(), names.end());
    return names;
  }
  std::unique_ptr<OpenFile> Open(const std::string& path, OpenMode mode) override {
    const auto found = endless.find(path);
    if (found != endless.end()) return std::make_unique<EndlessFile>(found->second, bytes_read);
    return MemoryFileSystem::Open(path, mode);
  }
  bool FileExists(const std::string& path) override {
    return endless.count(path) != 0 || MemoryFileSystem::FileExists(path);
  }
  std::map<std::string, std::string> endless;
  int64_t bytes_read = 0;
};

class RecordFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.CreateDirectory("/data/Profiles");
    files_.CreateDirectory("/data/Receivers");
    SetActiveFileSystem(&files_);
    DataDirectory() = "/data/";
    ClearLanguageTable();
    SetReportErrorHandler([this](const std::string& message) { reports_.push_back(message); });
  }
  void TearDown() override {
    SetReportErrorHandler({});
    DataDirectory().clear();
    SetActiveFileSystem(nullptr);
  }
  // The bytes read by `load`.
  template <typename Load>
  int64_t BytesReadBy(Load&& load) {
    files_.bytes_read = 0;
    load();
    return files_.bytes_read;
  }

  WithEndlessFiles files_;
  std::vector<std::string> reports_;
};

TEST_F(RecordFilesTest, LoadersReadNoMoreThanTheirFormatHoldsOfAnEndlessFile) {
  constexpr int64_t kPage = 4096;
  const std::string version5("\x05\x00", 2);
  files_.endless = {{"/data/days.cal", ""},
                    {"/data/Profiles/Profile_0001.dat", version5},
                    {"/data/Receivers/Receiver_0001.dat", version5},
                    {"/data/alarms.log", ""},
                    {"/data/types.ini", ""},
                    {"/data/texts.txt", ""}};
  cCalendar calendar;
  EXPECT_EQ(BytesReadBy([&] { EXPECT_EQ(calendar.ReadFromDisk("/data/days.cal"), -1); }), cCalendar::kFileSize);
  EXPECT_EQ(BytesReadBy([&] { calendar.CompareToDiskOrSeeIfAnyDayIsSet("/data/days.cal"); }), cCalendar::kFileSize);

  // A version 5 profile and receiver of empty texts and zeros, read whole
  // (and not rewritten: nothing is converted) within a page.
  cProfile profile;
  EXPECT_LE(BytesReadBy([&] { EXPECT_TRUE(profile.LoadFromDisk(1)); }), kPage);
  cReceiver receiver;
  EXPECT_LE(BytesReadBy([&] { EXPECT_TRUE(receiver.LoadFromDisk(1)); }), kPage);

  // A thousand alarm records of zeros read in order, then one at a location.
  BinaryFile log;
  log.Open("/data/alarms.log", BinaryFile::Mode::kRead);
  cAlarm alarm;
  EXPECT_LE(BytesReadBy([&] {
              for (int n = 0; n < 1000; ++n) alarm.ReadFromDisk(log, 0);
            }),
            104 * 1000 + 64 * 1024);
  EXPECT_LE(BytesReadBy([&] { alarm.ReadFromDisk(log, 1 << 30); }), kPage);

  // Files of texts without end are refused before a byte is read.
  EXPECT_EQ(BytesReadBy([&] { EXPECT_EQ(GetSettingsFileValue("S", "K", "none", "types.ini"), "none"); }), 0);
  EXPECT_EQ(BytesReadBy([&] { EXPECT_EQ(ErrorOf([] { LoadLanguageFile("/data/texts.txt"); }), kOverflow); }), 0);
}

TEST_F(RecordFilesTest, NewRecordsTakeTheNextFreeIdentityWhenAnotherWriterGetsThereFirst) {
  // Two identities are free; another writer creates the first one that our
  // save draws just before our file lands there. Both records land: theirs
  // untouched, ours under the other identity, holding that identity. Then
  // none is left: the next new record is refused and keeps no identity.
  for (const std::string kind : {"Profile", "Receiver"}) {
    const std::string dir = "/data/" + kind + "s/";
    const auto name = [&](int id) {
      char digits[8];
      std::snprintf(digits, sizeof digits, "%04d", id);
      return dir + kind + "_" + digits + ".dat";
    };
    for (int id = 1; id <= 9991; ++id) {
      if (id != 5000 && id != 6000) files_.SetFileContent(name(id), "taken");
    }
    std::string theirs;
    files_.SetBeforeRename([&](const std::string& to) {
      if (theirs.empty() && (to == name(5000) || to == name(6000))) {
        theirs = to;
        files_.SetFileContent(to, "their record");
      }
    });
    int16_t ours = 0;
    if (kind == "Profile") {
      cProfile profile;
      profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
      ASSERT_TRUE(profile.SaveToDisk());
      EXPECT_EQ(profile.m_HasUpdatedDiskIdentity, -1);
      ours = profile.m_DiskIdentity;
    } else {
      cReceiver receiver;
      ASSERT_TRUE(receiver.SaveToDisk());
      ours = receiver.m_DiskIdentity;
      EXPECT_EQ(files_.FileContent(name(ours))->substr(2, 2), std::string(reinterpret_cast<const char*>(&ours), 2));
    }
    files_.SetBeforeRename({});
    ASSERT_FALSE(theirs.empty());
    EXPECT_EQ(*files_.FileContent(theirs), "their record");
    EXPECT_EQ(name(ours), theirs == name(5000) ? name(6000) : name(5000));
    EXPECT_EQ(files_.ListFiles(dir).size(), 9991u);  // no temporary left

    cProfile profile;
    profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
    cReceiver receiver;
    receiver.m_DiskIdentity = -5;
    reports_.clear();
    EXPECT_FALSE(kind == "Profile" ? profile.SaveToDisk() : receiver.SaveToDisk());
    EXPECT_EQ(kind == "Profile" ? profile.m_DiskIdentity : receiver.m_DiskIdentity, -1);
    EXPECT_EQ(kind == "Profile" ? profile.m_HasUpdatedDiskIdentity : receiver.m_HasUpdatedDiskIdentity, 0);
    EXPECT_EQ(reports_, std::vector<std::string>{"*** Invalid Text (" + std::string(kind == "Profile" ? "980" : "979") +
                                                  ") " + dir + " Err:Too many files"});
  }
}

// File names keep the identity's last four characters; the listing takes
// only names of that form, in ascending order however the disk lists them.
TEST_F(RecordFilesTest, FileNamesAndListingIncludeIdentityZeroAndLostRacesKeepTheRecordNew) {
  cProfile profile;
  EXPECT_EQ(profile.CreateFileName(12345), "/data/Profiles/Profile_2345.dat");
  EXPECT_EQ(profile.CreateFileName(-1), "/data/Profiles/Profile_00-1.dat");
  profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  profile.m_DiskIdentity = 0;
  EXPECT_TRUE(profile.SaveToDisk());
  EXPECT_EQ(profile.m_DiskIdentity, 0);
  EXPECT_NE(files_.FileContent("/data/Profiles/Profile_0000.dat"), nullptr);
  for (const char* name : {"Profile_0042.dat", "Profile_0007.dat", "Profile_00-1.dat", ".Profile_0003.dat.tmp-1-0",
                           "DeletedProfiles.dat", "Profile_12345.dat"}) {
    files_.SetFileContent(std::string("/data/Profiles/") + name, "");
  }
  EXPECT_EQ(ListStoredProfileIdentities(), (std::vector<int16_t>{0, 7, 42}));

  // Every save of a new record loses its race: no identity is taken from
  // the other writer, whose files stay theirs.
  files_.SetBeforeRename([&](const std::string& to) { files_.SetFileContent(to, "theirs"); });
  cReceiver receiver;
  EXPECT_FALSE(receiver.SaveToDisk());
  EXPECT_EQ(receiver.m_DiskIdentity, -1);
  EXPECT_EQ(files_.ListFiles("/data/Receivers/").size(), 100u);
  files_.SetBeforeRename({});
  // Every identity taken: the search itself says so.
  for (int id = 1; id <= 9991; ++id) files_.SetFileContent(receiver.CreateFileName(static_cast<int16_t>(id)), "");
  EXPECT_EQ(FindFreeIdentity([&](int16_t id) { return receiver.CreateFileName(id); }), -1);
}

// Only a missing file is a plain False; one that cannot be opened is reported.
TEST_F(RecordFilesTest, OnlyAMissingRecordFileIsAPlainFalse) {
  cProfile profile;
  EXPECT_FALSE(profile.LoadFromDisk(3));
  EXPECT_EQ(reports_, std::vector<std::string>{});
  files_.CreateDirectory("/data/Profiles/Profile_0003.dat");
  EXPECT_FALSE(profile.LoadFromDisk(3));
  EXPECT_EQ(reports_, (std::vector<std::string>{
                          "*** Invalid Text (803) '/data/Profiles/Profile_0003.dat' (0) *** Invalid Text (805)",
                          "*** Invalid Text (982) /data/Profiles/Profile_0003.dat Err:Path/File access error"}));
  files_.SetFileContent("/data/Profiles/Profile_0004.dat", std::string("\x05\x00", 2));
  EXPECT_EQ(StoredRecordVersion("/data/Profiles/Profile_0004.dat"), 5);  // all a version needs
}

}  // namespace
}  // namespace quindo
