// Profile files on a real file system: layout, versions, corruption, failed
// writes, identity search, naming, removal and the deleted-profiles log.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/dates.h"
#include "disk_files.h"
#include "common/language.h"
#include "common/settings.h"
#include "filled_profile.h"
#include "model/deleted_log.h"
#include "model/profile/profile_naming.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

// Fields 2 to 21 of a hand-made profile whose every field holds a value of
// its own (flags included), so that a field read from or written to another
// field's place shows even when reader and writer agree. Fields 7 and 8 hold
// 77 and the off-duty behaviour 3 in version 4, zeros in version 5.
std::string Version4Fields2To21(bool as_version5) {
  Bytes b;
  b.I16(0).I16(-1).Text("Night").I16(1).I16(2).I16(3).I16(-3);
  if (as_version5) b.I16(0).I16(0);
  else b.I16(77).I16(3);
  b.Text("P").Text("S");
  for (int i = 0; i < 6; ++i) b.Text("c" + std::to_string(i));
  b.I16(5).I16(6).I16(-4).Text("tag").I16(-5).I16(-6).Text("f.txt").Text("body").I16(-7);
  for (int16_t i = 0; i < 64; ++i) b.I16(static_cast<int16_t>(100 + i));
  return b.s;
}

// The schedule block of a new schedule: day types 0 to 6 active, no periods.
std::string NewScheduleBlock() {
  Bytes b;
  for (int d = 0; d < 23; ++d) b.I16(d < 7 ? -1 : 0).I16(0).I16(0).I16(0);
  return b.I16(0).s;
}

// A version 4 file: the version 5 record without fields 22 to 24, with the
// off-duty behaviour (3) in field 8, followed by a new schedule's block.
std::string Version4File() { return Bytes().I16(4).Raw(Version4Fields2To21(false)).Raw(NewScheduleBlock()).s; }

// Every field of the hand-made profile, read from its own place.
void ExpectVersion4Fields(const cProfile& p) {
  EXPECT_EQ(p.m_Enabled, -1);
  EXPECT_EQ(p.GetName(), "Night");
  EXPECT_EQ(std::vector<int16_t>({p.GetState(0), p.GetState(1), p.GetState(2)}), std::vector<int16_t>({1, 2, 3}));
  EXPECT_EQ(p.m_UseTimeSchedule, -3);
  EXPECT_EQ(p.m_ParallellReceivers, "P");
  EXPECT_EQ(p.m_SequentialReceivers, "S");
  for (int16_t i = 0; i < 6; ++i) EXPECT_EQ(p.GetCondition(i).ToText(), "c" + std::to_string(i));
  EXPECT_EQ(p.m_TimeSchedule_ViewDayType, 5);
  EXPECT_EQ(p.m_Calendar_ViewTimeAxis, 6);
  EXPECT_EQ(p.m_UseExternalTag, -4);
  EXPECT_EQ(p.m_ExternalTagName, "tag");
  EXPECT_EQ(p.m_IgnoreExternalTagInOtherProfiles, -5);
  EXPECT_EQ(p.m_UseExternalFile, -6);
  EXPECT_EQ(p.m_ExternalFileName, "f.txt");
  EXPECT_EQ(p.m_ExternalFileText, "body");
  EXPECT_EQ(p.m_ScanSpecificSystems, -7);
  for (int16_t i = 0; i < 64; ++i) EXPECT_EQ(p.GetSystem(i).ToInt16(), 100 + i) << i;
  EXPECT_EQ(p.m_OffDutyAlarmBehaviour, 3);
}

class ProfileFileTest : public DataDirectoryTest {
 protected:
  ProfileFileTest() : DataDirectoryTest("Profiles") {}
  void TearDown() override {
    NestedProfileNames() = 0;
    ProfileCollection().Clear();
    DataDirectoryTest::TearDown();
  }
  std::string File(const std::string& name) const { return Path(name); }
  // The profile file of an identity, named by the test itself (1 to 9999).
  std::string NumberedFile(int16_t id) const {
    char name[32];
    std::snprintf(name, sizeof name, "Profile_%04d.dat", id);
    return File(name);
  }
};

TEST_F(ProfileFileTest, SaveThenLoadRestoresEveryFieldAndTheSchedule) {
  NestedProfileNames() = 1;
  cProfile saved = FilledProfile();
  ASSERT_TRUE(saved.SaveToDisk());
  const int16_t id = saved.m_DiskIdentity;
  EXPECT_EQ(saved.m_HasUpdatedDiskIdentity, -1);
  EXPECT_FALSE(saved.HasChangedSinceLastLoadFromDisk());
  cProfile loaded;
  ASSERT_TRUE(loaded.LoadFromDisk(id));
  ExpectSameStoredFields(saved, loaded);
  EXPECT_NEAR(loaded.m_FileDateTimeStamp, Now(), 1.0 / 24 / 60);
  EXPECT_FALSE(loaded.HasChangedSinceLastLoadFromDisk());
  EXPECT_TRUE(messages_.empty());

  // The second save rewrites the same file from empty: a shorter text leaves
  // no bytes of the longer one behind.
  const size_t long_size = ReadBytes(NumberedFile(id)).size();
  saved.m_ExternalFileText = "y";
  ASSERT_TRUE(saved.SaveToDisk());
  EXPECT_EQ(saved.m_HasUpdatedDiskIdentity, 0);
  EXPECT_EQ(ReadBytes(NumberedFile(id)).size(), long_size - 299);
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
  Bytes want;  // version, fields 2 to 8, the texts and 16-bit fields 9 to 20
  want.I16(5).I16(0).I16(-1).Text("").I16(0).I16(0).I16(0x0102).I16(0).I16(0).I16(0);
  for (int i = 0; i < 8; ++i) want.Text("");
  want.I16(0).I16(0).I16(0).Text("").I16(0).I16(0).Text("").Text("").I16(0).I16(0x1234);
  for (int i = 1; i < 63; ++i) want.I16(0);
  EXPECT_EQ(f.substr(0, 184), want.I16(-2).I16(7).s);  // systems 1 to 63, field 22
  double stamp;
  std::memcpy(&stamp, f.data() + 184, 8);
  EXPECT_NEAR(stamp, Now(), 1.0 / 24 / 60);
  EXPECT_EQ(f.substr(192, 2048), std::string(2048, '\0'));

  // Reserved fields and the reserved block are ignored whatever they hold.
  std::string dirty = f;
  for (size_t at : {2, 16, 18}) dirty[at] = '\x5A';
  std::memset(dirty.data() + 192, 0xAB, 2048);
  WriteBytes(File("Profile_0042.dat"), dirty);
  cProfile loaded;
  ASSERT_TRUE(loaded.LoadFromDisk(42));
  ExpectSameStoredFields(p, loaded);
}

TEST_F(ProfileFileTest, Version5WritesAndReadsEveryFieldInItsOwnPlace) {
  // Writing: the hand-made profile, set field by field.
  cProfile p;
  p.m_Enabled = -1;
  p.SetName("Night");
  for (int16_t i = 0; i < 3; ++i) p.SetState(i, static_cast<int16_t>(i + 1));
  p.m_UseTimeSchedule = -3;
  p.m_ParallellReceivers = "P";
  p.m_SequentialReceivers = "S";
  for (int16_t i = 0; i < 6; ++i) p.SetCondition(i, TypedValue::Text("c" + std::to_string(i)));
  p.m_TimeSchedule_ViewDayType = 5;
  p.m_Calendar_ViewTimeAxis = 6;
  p.m_UseExternalTag = -4;
  p.m_ExternalTagName = "tag";
  p.m_IgnoreExternalTagInOtherProfiles = -5;
  p.m_UseExternalFile = -6;
  p.m_ExternalFileName = "f.txt";
  p.m_ExternalFileText = "body";
  p.m_ScanSpecificSystems = -7;
  for (int16_t i = 0; i < 64; ++i) p.SetSystem(i, static_cast<int16_t>(100 + i));
  p.m_OffDutyAlarmBehaviour = 3;
  p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  p.m_DiskIdentity = 42;
  ASSERT_TRUE(p.SaveToDisk());
  const std::string written = ReadBytes(File("Profile_0042.dat"));
  const std::string record = Bytes().I16(5).Raw(Version4Fields2To21(true)).I16(3).s;  // fields 1 to 22
  ASSERT_EQ(written.size(), record.size() + 8 + 2048 + 186);
  EXPECT_EQ(written.substr(0, record.size()), record);
  double stamp;
  std::memcpy(&stamp, written.data() + record.size(), 8);
  EXPECT_NEAR(stamp, Now(), 1.0 / 24 / 60);
  EXPECT_EQ(written.substr(record.size() + 8), std::string(2048, '\0') + NewScheduleBlock());

  // Reading: a hand-made version 5 file, with a period on Monday.
  Bytes file;
  file.I16(5).Raw(Version4Fields2To21(true)).I16(3).F64(45000.25).Raw(std::string(2048, '\0'));
  file.I16(-1).I16(0).I16(1).I16(420).I16(960).I16(0);
  file.Raw(NewScheduleBlock().substr(8));
  WriteBytes(File("Profile_0043.dat"), file.s);
  cProfile loaded;
  ASSERT_TRUE(loaded.LoadFromDisk(43));
  ExpectVersion4Fields(loaded);
  EXPECT_EQ(loaded.m_FileDateTimeStamp, 45000.25);
  ASSERT_EQ(loaded.m_TimeSchedule->Periods(0).size(), 1u);
  EXPECT_EQ(loaded.m_TimeSchedule->Periods(0)[0]->m_StartMinute, 420);
  EXPECT_EQ(loaded.m_TimeSchedule->Periods(0)[0]->m_StopMinute, 960);
}

TEST_F(ProfileFileTest, Version4IsRewrittenAsVersion5AndOtherVersionsAreRefused) {
  WriteBytes(File("Profile_0007.dat"), Version4File());
  // Without the rewrite the file is read as it is, and nothing is said.
  RewriteOldVersionsOnLoad() = false;
  cProfile looked;
  const bool read_as_is = looked.LoadFromDisk(7);
  RewriteOldVersionsOnLoad() = true;
  EXPECT_TRUE(read_as_is);
  ExpectVersion4Fields(looked);
  EXPECT_EQ(ReadBytes(File("Profile_0007.dat")), Version4File());
  EXPECT_TRUE(messages_.empty());

  cProfile p;
  p.m_FileDateTimeStamp = 12.5;
  ASSERT_TRUE(p.LoadFromDisk(7));
  ExpectVersion4Fields(p);
  EXPECT_EQ(p.m_FileDateTimeStamp, 12.5);  // version 4 has no time stamp
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (930) '" + File("Profile_0007.dat") + "' (version 4 -> 5)");

  // The rewritten file: zeros in fields 7 and 8, the off-duty behaviour in
  // field 22, then the time stamp, the reserved block and the same schedule.
  const std::string rewritten = ReadBytes(File("Profile_0007.dat"));
  const std::string record = Bytes().I16(5).Raw(Version4Fields2To21(true)).I16(3).s;
  ASSERT_EQ(rewritten.size(), record.size() + 8 + 2048 + 186);
  EXPECT_EQ(rewritten.substr(0, record.size()), record);
  EXPECT_EQ(rewritten.substr(record.size() + 8), std::string(2048, '\0') + NewScheduleBlock());

  // Rewritten: the next load reads version 5 without a report.
  cProfile again;
  ASSERT_TRUE(again.LoadFromDisk(7));
  ExpectSameStoredFields(p, again);
  EXPECT_EQ(messages_.size(), 1u);

  // Any other version changes only the identity (the snapshot is taken
  // again) and leaves the file as it was.
  const std::string v6 = std::string("\x06\x00", 2) + Version4File().substr(2);
  WriteBytes(File("Profile_0009.dat"), v6);
  cProfile other = FilledProfile();
  EXPECT_FALSE(other.LoadFromDisk(9));
  EXPECT_EQ(other.m_DiskIdentity, 9);
  ExpectSameStoredFields(other, FilledProfile());
  EXPECT_FALSE(other.HasChangedSinceLastLoadFromDisk());
  EXPECT_EQ(ReadBytes(File("Profile_0009.dat")), v6);
  EXPECT_EQ(messages_.back(), "*** Invalid Text (803) '" + File("Profile_0009.dat") + "' (6) *** Invalid Text (805)");
}

TEST_F(ProfileFileTest, MissingOrTruncatedFilesFailAndChangeNeitherProfileNorFile) {
  cProfile missing;
  EXPECT_FALSE(missing.LoadFromDisk(11));
  EXPECT_FALSE(fs::exists(File("Profile_0011.dat")));  // loading never creates the file
  cProfile good = FilledProfile();
  good.m_DiskIdentity = 5;
  ASSERT_TRUE(good.SaveToDisk());
  for (const std::string& whole : {ReadBytes(File("Profile_0005.dat")), Version4File()}) {
    for (size_t length = 0; length < whole.size(); ++length) {
      const std::string prefix = whole.substr(0, length);
      WriteBytes(File("Profile_0005.dat"), prefix);
      cProfile p;
      p.SetName("Untouched");
      const auto schedule = std::make_shared<cTimeSchedule>();
      p.m_TimeSchedule = schedule;
      messages_.clear();
      ASSERT_FALSE(p.LoadFromDisk(5)) << length;
      EXPECT_EQ(p.GetName(), "Untouched");
      EXPECT_EQ(p.m_TimeSchedule, schedule);
      ASSERT_EQ(ReadBytes(File("Profile_0005.dat")), prefix) << "rewritten at " << length;
      // Files too short for a version number are skipped without a report.
      const std::string report = "*** Invalid Text (982) " + File("Profile_0005.dat") + " Err:Input past end of file";
      ASSERT_EQ(messages_, length <= 1 ? std::vector<std::string>() : std::vector{report}) << length;
    }
  }
  DataDirectory() = dir_ + "/absent/";
  EXPECT_FALSE(missing.LoadFromDisk(11));
  EXPECT_EQ(messages_.back(), "*** Invalid Text (982) " + dir_ + "/absent/Profiles/Profile_0011.dat Err:Path not found");
}

TEST_F(ProfileFileTest, FailedWriteKeepsThePreviousFileByteForByte) {
  cProfile p = FilledProfile();
  p.m_DiskIdentity = 3;
  ASSERT_TRUE(p.SaveToDisk());
  const std::string before = ReadBytes(File("Profile_0003.dat"));

  // Root ignores permissions, so the write is stopped by a file size limit.
  struct rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  const struct rlimit small{1000, old_limit.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &small);
  p.SetName("Renamed");
  const bool saved = p.SaveToDisk();
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadBytes(File("Profile_0003.dat")), before);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (980) " + File("Profile_0003.dat") + " Err:Disk full");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/Profiles"), {}), 1);  // no leftovers

  // Without its directory the save fails with the open's own error.
  fs::remove_all(dir_ + "/Profiles");
  EXPECT_FALSE(p.SaveToDisk());
  EXPECT_EQ(messages_.back(), "*** Invalid Text (980) " + File("Profile_0003.dat") + " Err:Path not found");
}

TEST_F(ProfileFileTest, SaveRemovesTemporariesThatAKilledSaveOfTheSameProfileLeft) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string stale = dir_ + "/Profiles/.Profile_0003.dat.tmp-" + std::to_string(child) + "-0";
  const std::string other = dir_ + "/Profiles/.Profile_0004.dat.tmp-" + std::to_string(child) + "-0";
  WriteBytes(stale, "partial");
  WriteBytes(other, "partial");
  cProfile p = FilledProfile();
  p.m_DiskIdentity = 3;
  ASSERT_TRUE(p.SaveToDisk());
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(other));  // another profile's, removed by its own next save
}

TEST_F(ProfileFileTest, IdentitySearchFindsTheLastFreeIdentityAndStopsWhenNoneIsLeft) {
  for (int16_t id = 1; id <= 9991; ++id) {
    if (id != 5000) WriteBytes(NumberedFile(id), "");
  }
  cProfile p = FilledProfile();
  ASSERT_TRUE(p.SaveToDisk());
  EXPECT_EQ(p.m_DiskIdentity, 5000);
  cProfile full = FilledProfile();
  EXPECT_FALSE(full.SaveToDisk());
  EXPECT_EQ(full.m_DiskIdentity, -1);
  EXPECT_EQ(full.m_HasUpdatedDiskIdentity, 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (980) " + dir_ + "/Profiles/ Err:Too many files");
}

TEST_F(ProfileFileTest, FileNamesKeepTheLastFourCharactersAndListingSkipsOtherNames) {
  const cProfile p;
  EXPECT_EQ(p.CreateFileName(12345), dir_ + "/Profiles/Profile_2345.dat");
  EXPECT_EQ(p.CreateFileName(-1), dir_ + "/Profiles/Profile_00-1.dat");
  for (const char* name : {"Profile_0042.dat", "Profile_0007.dat", "Profile_00-1.dat",
                           ".Profile_0003.dat.tmp-1-0", "DeletedProfiles.dat", "Profile_12345.dat"}) {
    WriteBytes(dir_ + "/Profiles/" + name, "");
  }
  EXPECT_EQ(ListStoredProfileIdentities(), (std::vector<int16_t>{7, 42}));
}

TEST_F(ProfileFileTest, RemoveAlwaysSucceedsAndDropsTheCollectionEntry) {
  WriteBytes(File("Profile_0008.dat"), "");
  cProfile p;
  p.SetName("Night");
  EXPECT_TRUE(p.RemoveFromDisk(8));
  EXPECT_FALSE(fs::exists(File("Profile_0008.dat")));
  EXPECT_EQ(messages_.back(), "*** Invalid Text (981) 'Night' " + File("Profile_0008.dat"));
  // The entry goes even when the file is already gone.
  ProfileCollection().Add("K8", std::make_shared<cProfile>());
  EXPECT_TRUE(p.RemoveFromDisk(8));
  EXPECT_FALSE(ProfileCollection().Contains("K8"));
  EXPECT_EQ(messages_.back(), "*** Invalid Text (981) 'Night' " + File("Profile_0008.dat") + " Err:File not found");
  // A language row that the lookup raises on skips the message, never the flag.
  SetLanguageTable("", {{981, 0, 1}, {982, 0, 1}});
  EXPECT_TRUE(p.RemoveFromDisk(8));
  WriteBytes(File("Profile_0008.dat"), std::string("\x05\x00", 2));
  EXPECT_FALSE(p.LoadFromDisk(8));
  EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(ProfileFileTest, DeletedLogIsWrittenOnlyForARedundantPartner) {
  cProfile p;
  p.SetName("Night shift");
  p.StoreInDeletedFileForRedundantPartner(42);
  EXPECT_FALSE(fs::exists(File("DeletedProfiles.dat")));
  RedundancyRole() = 2;
  p.StoreInDeletedFileForRedundantPartner(42);
  p.StoreInDeletedFileForRedundantPartner(-3);
  const std::string text = ReadBytes(File("DeletedProfiles.dat"));  // appended, each after its time stamp
  EXPECT_EQ(text.substr(19, 17) + text.substr(55), "\t42\tNight shift\r\n\t-3\tNight shift\r\n");
  const double when = DateFromCivil({2024, 3, 5, 7, 4, 9});
  EXPECT_EQ(ComposeDeletedRecordLine(when, 42, "a\tb\r\nc\xC3\xA9"), "2024-03-05 07:04:09\t42\ta b  c\xE9\r\n");
  DataDirectory() = dir_ + "/absent/";
  p.StoreInDeletedFileForRedundantPartner(1);  // dropped silently
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace quindo
