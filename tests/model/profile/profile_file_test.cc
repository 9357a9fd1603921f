// Profile files on a real file system: layout, versions, corruption, failed
// writes, identity search, naming, removal and the deleted-profiles log.

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

#include "common/dates.h"
#include "common/language.h"
#include "common/settings.h"
#include "model/deleted_log.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "model/profile/profile_record.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int16_t Int16At(const std::string& bytes, size_t offset) {
  int16_t value;
  std::memcpy(&value, bytes.data() + offset, 2);
  return value;
}

// Little-endian builder for hand-made files.
struct Bytes {
  std::string s;
  Bytes& I16(int16_t v) { s.append(reinterpret_cast<const char*>(&v), 2); return *this; }
  Bytes& Text(const std::string& t) { I16(static_cast<int16_t>(t.size())); s += t; return *this; }
};

class ProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/profile_file_test.XXXXXX";
    dir_ = ::mkdtemp(pattern);
    fs::create_directory(dir_ + "/Profiles");
    DataDirectory() = dir_ + "/";
    ClearLanguageTable();  // texts read "*** Invalid Text (n)"
    SetReportErrorHandler([this](const std::string& m) { messages_.push_back(m); });
  }
  void TearDown() override {
    SetReportErrorHandler({});
    DataDirectory().clear();
    RedundancyRole() = 0;
    NestedProfileNames() = 0;
    ProfileCollection().Clear();
    fs::remove_all(dir_);
  }
  std::string Path(int16_t id) const { return cProfile().CreateFileName(id); }

  static cProfile FullProfile() {
    cProfile p;
    p.m_Enabled = 0;
    p.SetName("Plant@Hall@Nuit d'été");
    for (int16_t i = 0; i < 3; ++i) p.SetState(i, static_cast<int16_t>(-7 + i));
    p.m_UseTimeSchedule = -1;
    p.m_ParallellReceivers = "R1;R2";
    p.m_SequentialReceivers = "R3";
    for (int16_t i = 0; i < 6; ++i) p.SetCondition(i, TypedValue::Text("cond " + std::to_string(i)));
    p.m_TimeSchedule_ViewDayType = 9;
    p.m_Calendar_ViewTimeAxis = 3;
    p.m_UseExternalTag = -1;
    p.m_ExternalTagName = "Tag.X";
    p.m_IgnoreExternalTagInOtherProfiles = -1;
    p.m_UseExternalFile = -1;
    p.m_ExternalFileName = "C:\\ext.txt";
    p.m_ExternalFileText = std::string(300, 'x');
    p.m_ScanSpecificSystems = -1;
    for (int16_t i = 0; i < 64; ++i) p.SetSystem(i, static_cast<int16_t>(i * 511 - 16000));
    p.m_OffDutyAlarmBehaviour = 2;
    p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
    p.m_TimeSchedule->SetDefaultPeriod();
    p.m_TimeSchedule->SetActive(22, -1);
    p.m_TimeSchedule->Periods(22).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{900, 60}));
    p.m_TimeSchedule->SetAxisOfDayType(22, 7);
    p.m_TimeSchedule->m_UseCalendar = -1;
    return p;
  }

  // Every stored field (through the record of each) and the schedule.
  static void ExpectSameStoredFields(const cProfile& a, const cProfile& b) {
    EXPECT_TRUE(RecordOfProfile(a, 0) == RecordOfProfile(b, 0)) << a.GetName() << " / " << b.GetName();
    EXPECT_EQ(a.m_ParentName, b.m_ParentName);
    ASSERT_TRUE(a.m_TimeSchedule && b.m_TimeSchedule);
    EXPECT_EQ(a.m_TimeSchedule->ComposePeriodArray(), b.m_TimeSchedule->ComposePeriodArray());
  }

  // A version 4 file: the version 5 record without fields 22 to 24, with the
  // off-duty behaviour in field 8, followed by a new schedule's block.
  static std::string Version4File(int16_t off_duty) {
    Bytes b;
    b.I16(4).I16(0).I16(-1).Text("Night").I16(1).I16(2).I16(3).I16(-1).I16(77).I16(off_duty);
    b.Text("P").Text("S");
    for (int i = 0; i < 6; ++i) b.Text("c" + std::to_string(i));
    b.I16(5).I16(6).I16(-1).Text("tag").I16(0).I16(-1).Text("f.txt").Text("body").I16(-1);
    for (int16_t i = 0; i < 64; ++i) b.I16(i);
    for (int d = 0; d < 23; ++d) b.I16(d < 7 ? -1 : 0).I16(0).I16(0).I16(0);
    return b.I16(0).s;
  }

  std::string dir_;
  std::vector<std::string> messages_;
};

TEST_F(ProfileFileTest, SaveThenLoadRestoresEveryFieldAndTheSchedule) {
  NestedProfileNames() = 1;
  cProfile saved = FullProfile();
  ASSERT_TRUE(saved.SaveToDisk());
  EXPECT_GE(saved.m_DiskIdentity, 1);
  EXPECT_LE(saved.m_DiskIdentity, 9991);
  EXPECT_EQ(saved.m_HasUpdatedDiskIdentity, -1);
  EXPECT_FALSE(saved.HasChangedSinceLastLoadFromDisk());

  cProfile loaded;
  loaded.m_FileDateTimeStamp = 1.0;
  ASSERT_TRUE(loaded.LoadFromDisk(saved.m_DiskIdentity));
  ExpectSameStoredFields(saved, loaded);
  EXPECT_EQ(loaded.m_ParentName, "PLANT@HALL");
  EXPECT_NEAR(loaded.m_FileDateTimeStamp, Now(), 1.0 / 24 / 60);
  EXPECT_FALSE(loaded.HasChangedSinceLastLoadFromDisk());
  EXPECT_TRUE(messages_.empty());

  // The second save rewrites the same file, from empty: shorter texts leave
  // no bytes of the longer content behind.
  const int16_t id = saved.m_DiskIdentity;
  const size_t long_size = ReadBytes(Path(id)).size();
  saved.m_ExternalFileText = "y";
  ASSERT_TRUE(saved.SaveToDisk());
  EXPECT_EQ(saved.m_DiskIdentity, id);
  EXPECT_EQ(saved.m_HasUpdatedDiskIdentity, 0);
  EXPECT_EQ(ReadBytes(Path(id)).size(), long_size - 299);
  ASSERT_TRUE(loaded.LoadFromDisk(id));
  EXPECT_EQ(loaded.m_ExternalFileText, "y");
}

TEST_F(ProfileFileTest, EmptyTextsGiveTheFixedVersion5Layout) {
  cProfile p;
  p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  p.m_DiskIdentity = 42;
  p.SetState(2, 0x0102);
  p.SetSystem(0, 0x1234);
  p.SetSystem(63, -2);
  p.m_OffDutyAlarmBehaviour = 7;
  ASSERT_TRUE(p.SaveToDisk());
  const std::string f = ReadBytes(dir_ + "/Profiles/Profile_0042.dat");
  ASSERT_EQ(f.size(), 2u + 2238u + 186u);
  EXPECT_EQ(f.substr(0, 8), std::string("\x05\x00\x00\x00\xFF\xFF\x00\x00", 8));
  EXPECT_EQ(Int16At(f, 12), 0x0102);  // state 2
  EXPECT_EQ(Int16At(f, 54), 0x1234);  // system 0 after 17 empty-text/16-bit fields
  EXPECT_EQ(Int16At(f, 180), -2);     // system 63
  EXPECT_EQ(Int16At(f, 182), 7);      // field 22
  double stamp;
  std::memcpy(&stamp, f.data() + 184, 8);
  EXPECT_NEAR(stamp, Now(), 1.0 / 24 / 60);
  EXPECT_EQ(f.substr(192, 2048), std::string(2048, '\0'));
  EXPECT_EQ(f.substr(2240, 8), std::string("\xFF\xFF\x00\x00\x00\x00\x00\x00", 8));

  // Reserved fields and the reserved block are ignored whatever they hold.
  std::string dirty = f;
  for (size_t at : {2, 16, 18}) dirty[at] = '\x5A';
  std::memset(dirty.data() + 192, 0xAB, 2048);
  WriteBytes(Path(42), dirty);
  cProfile loaded;
  ASSERT_TRUE(loaded.LoadFromDisk(42));
  ExpectSameStoredFields(p, loaded);
}

TEST_F(ProfileFileTest, Version4FileIsReadAndRewrittenAsVersion5) {
  WriteBytes(Path(7), Version4File(3));
  cProfile p;
  p.m_FileDateTimeStamp = 12.5;
  ASSERT_TRUE(p.LoadFromDisk(7));
  EXPECT_EQ(p.GetName(), "Night");
  EXPECT_EQ(p.m_OffDutyAlarmBehaviour, 3);
  EXPECT_EQ(p.m_ExternalFileText, "body");
  EXPECT_EQ(p.m_FileDateTimeStamp, 12.5);  // version 4 has no time stamp
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (930) '" + Path(7) + "' (version 4 -> 5)");

  const std::string f = ReadBytes(Path(7));
  EXPECT_EQ(Int16At(f, 0), 5);
  const size_t field7 = 6 + 2 + 5 + 6 + 2;
  EXPECT_EQ(Int16At(f, field7), 0);
  EXPECT_EQ(Int16At(f, field7 + 2), 0);
  cProfile again;
  messages_.clear();
  ASSERT_TRUE(again.LoadFromDisk(7));
  ExpectSameStoredFields(p, again);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ProfileFileTest, UnknownVersionChangesOnlyTheIdentityAndLeavesTheFile) {
  const std::string v6 = std::string("\x06\x00", 2) + Version4File(3).substr(2);
  WriteBytes(Path(9), v6);
  cProfile p = FullProfile();
  const cProfile before = FullProfile();
  EXPECT_FALSE(p.LoadFromDisk(9));
  EXPECT_EQ(p.m_DiskIdentity, 9);
  ExpectSameStoredFields(before, p);
  EXPECT_FALSE(p.HasChangedSinceLastLoadFromDisk());  // snapshot taken again
  EXPECT_EQ(ReadBytes(Path(9)), v6);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (803) '" + Path(9) + "' (6) *** Invalid Text (805)");
}

TEST_F(ProfileFileTest, MissingAndTinyFilesAreNotReadAndReportNothing) {
  cProfile p;
  EXPECT_FALSE(p.LoadFromDisk(11));
  EXPECT_FALSE(fs::exists(Path(11)));  // loading never creates the file
  for (const std::string& tiny : {std::string(), std::string("\x05", 1)}) {
    WriteBytes(Path(12), tiny);
    EXPECT_FALSE(p.LoadFromDisk(12));
    EXPECT_EQ(ReadBytes(Path(12)), tiny);
  }
  EXPECT_TRUE(messages_.empty());

  DataDirectory() = dir_ + "/absent/";
  EXPECT_FALSE(p.LoadFromDisk(11));
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1], "*** Invalid Text (982) " + Path(11) + " Err:Path not found");
}

TEST_F(ProfileFileTest, EveryTruncatedPrefixFailsAndChangesNeitherProfileNorFile) {
  cProfile good = FullProfile();
  good.m_DiskIdentity = 5;
  ASSERT_TRUE(good.SaveToDisk());
  for (const std::string& whole : {ReadBytes(Path(5)), Version4File(3)}) {
    for (size_t length = 0; length < whole.size(); ++length) {
      const std::string prefix = whole.substr(0, length);
      WriteBytes(Path(5), prefix);
      cProfile p;
      p.SetName("Untouched");
      const auto schedule = std::make_shared<cTimeSchedule>();
      p.m_TimeSchedule = schedule;
      messages_.clear();
      ASSERT_FALSE(p.LoadFromDisk(5)) << length;
      EXPECT_EQ(p.GetName(), "Untouched");
      EXPECT_EQ(p.m_TimeSchedule, schedule);
      ASSERT_EQ(ReadBytes(Path(5)), prefix) << "rewritten at " << length;
      if (length <= 1) {
        EXPECT_TRUE(messages_.empty());
      } else {
        ASSERT_EQ(messages_.size(), 1u) << length;
        EXPECT_EQ(messages_[0], "*** Invalid Text (982) " + Path(5) + " Err:Input past end of file");
      }
    }
  }
}

TEST_F(ProfileFileTest, FailedWriteKeepsThePreviousFileByteForByte) {
  cProfile p = FullProfile();
  p.m_DiskIdentity = 3;
  ASSERT_TRUE(p.SaveToDisk());
  const std::string before = ReadBytes(Path(3));

  // Root ignores permissions, so the write is stopped by a file size limit.
  struct rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  p.SetName("Renamed");
  const bool saved = p.SaveToDisk();
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadBytes(Path(3)), before);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (980) " + Path(3) + " Err:Disk full");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/Profiles"), {}), 1);  // no leftovers

  // Without its directory the save fails with the open's own error.
  fs::remove_all(dir_ + "/Profiles");
  EXPECT_FALSE(p.SaveToDisk());
  EXPECT_EQ(messages_.back(), "*** Invalid Text (980) " + Path(3) + " Err:Path not found");
}

TEST_F(ProfileFileTest, IdentitySearchFindsTheLastFreeIdentityAndStopsWhenNoneIsLeft) {
  for (int16_t id = 1; id <= 9991; ++id) {
    if (id != 5000) WriteBytes(Path(id), "");
  }
  cProfile p = FullProfile();
  ASSERT_TRUE(p.SaveToDisk());
  EXPECT_EQ(p.m_DiskIdentity, 5000);
  EXPECT_EQ(ListStoredProfileIdentities().size(), 9991u);

  cProfile full = FullProfile();
  EXPECT_FALSE(full.SaveToDisk());
  EXPECT_EQ(full.m_DiskIdentity, -1);
  EXPECT_EQ(full.m_HasUpdatedDiskIdentity, 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (980) " + dir_ + "/Profiles/ Err:Too many files");
}

TEST_F(ProfileFileTest, FileNamesKeepTheLastFourCharactersAndListingSkipsOtherNames) {
  DataDirectory().clear();
  const cProfile p;
  EXPECT_EQ(p.CreateFileName(0), "Profiles/Profile_0000.dat");
  EXPECT_EQ(p.CreateFileName(7), "Profiles/Profile_0007.dat");
  EXPECT_EQ(p.CreateFileName(12345), "Profiles/Profile_2345.dat");
  EXPECT_EQ(p.CreateFileName(-1), "Profiles/Profile_00-1.dat");

  DataDirectory() = dir_ + "/";
  for (const char* name : {"Profile_0042.dat", "Profile_0007.dat", "Profile_00-1.dat",
                           ".Profile_0003.dat.tmp-1-0", "DeletedProfiles.dat", "Profile_12345.dat"}) {
    WriteBytes(dir_ + "/Profiles/" + name, "");
  }
  EXPECT_EQ(ListStoredProfileIdentities(), (std::vector<int16_t>{7, 42}));
}

TEST_F(ProfileFileTest, RemoveAlwaysSucceedsAndDropsTheCollectionEntry) {
  cProfile p = FullProfile();
  p.SetName("Night");
  p.m_DiskIdentity = 8;
  ASSERT_TRUE(p.SaveToDisk());
  ProfileCollection().Add("K8", std::make_shared<cProfile>());
  EXPECT_TRUE(p.RemoveFromDisk(8));
  EXPECT_FALSE(fs::exists(Path(8)));
  EXPECT_FALSE(ProfileCollection().Contains("K8"));
  EXPECT_EQ(messages_.back(), "*** Invalid Text (981) 'Night' " + Path(8));

  ProfileCollection().Add("K8", std::make_shared<cProfile>());
  EXPECT_TRUE(p.RemoveFromDisk(8));
  EXPECT_FALSE(ProfileCollection().Contains("K8"));
  EXPECT_EQ(messages_.back(), "*** Invalid Text (981) 'Night' " + Path(8) + " Err:File not found");
  EXPECT_TRUE(p.RemoveFromDisk(8));  // neither file nor key: still True
}

TEST_F(ProfileFileTest, DeletedLogIsWrittenOnlyForARedundantPartner) {
  const std::string log = dir_ + "/Profiles/DeletedProfiles.dat";
  cProfile p;
  p.SetName("Night shift");
  p.StoreInDeletedFileForRedundantPartner(42);
  EXPECT_FALSE(fs::exists(log));

  RedundancyRole() = 2;
  p.StoreInDeletedFileForRedundantPartner(42);
  p.SetName("");
  p.StoreInDeletedFileForRedundantPartner(-3);
  const std::string text = ReadBytes(log);
  const size_t first_end = text.find("\r\n");
  ASSERT_NE(first_end, std::string::npos);
  EXPECT_EQ(text.substr(19, first_end + 2 - 19), "\t42\tNight shift\r\n");
  EXPECT_EQ(text.substr(first_end + 2 + 19), "\t-3\t\r\n");

  const double when = DateFromCivil({2024, 3, 5, 7, 4, 9});
  EXPECT_EQ(ComposeDeletedRecordLine(when, 42, "a\tb\r\nc\xC3\xA9"), "2024-03-05 07:04:09\t42\ta b  c\xE9\r\n");

  DataDirectory() = dir_ + "/absent/";
  p.StoreInDeletedFileForRedundantPartner(1);  // dropped silently
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace quindo
