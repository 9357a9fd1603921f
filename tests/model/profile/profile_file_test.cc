// Profile files on a real file system: layout, versions, corruption, failed
// writes, naming, removal and the deleted-profiles log.
#include <cstring>
#include <filesystem>

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

// Fields 1 to 22 of the hand-made profile in version 5, off-duty behaviour 3.
std::string Version5Record() { return Bytes().I16(5).Raw(Version4Fields2To21(true)).I16(3).s; }

// The hand-made profile as a save writes it: every field in its place,
// zeros where they are reserved, the time of the save, then `schedule`.
void ExpectWrittenAsVersion5(const std::string& path, const std::string& schedule) {
  const std::string written = ReadBytes(path);
  const std::string record = Version5Record();
  ASSERT_EQ(written.size(), record.size() + 8 + 2048 + schedule.size());
  EXPECT_EQ(written.substr(0, record.size()), record);
  double stamp;
  std::memcpy(&stamp, written.data() + record.size(), 8);
  EXPECT_NEAR(stamp, Now(), 1.0 / 24 / 60);
  EXPECT_EQ(written.substr(record.size() + 8), std::string(2048, '\0') + schedule);
}

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
  const size_t long_size = ReadBytes(saved.CreateFileName(id)).size();
  saved.m_ExternalFileText = "y";
  ASSERT_TRUE(saved.SaveToDisk());
  EXPECT_EQ(saved.m_HasUpdatedDiskIdentity, 0);
  EXPECT_EQ(ReadBytes(saved.CreateFileName(id)).size(), long_size - 299);
}

TEST_F(ProfileFileTest, Version5ReadsAndWritesEveryFieldInItsOwnPlaceAndIgnoresReservedOnes) {
  // A hand-made version 5 file with a period on Monday, whose reserved fields
  // (2, 7 and 8) and reserved block hold bytes of their own.
  const std::string record = Version5Record();
  const std::string schedule =
      Bytes().I16(-1).I16(0).I16(1).I16(420).I16(960).I16(0).Raw(NewScheduleBlock().substr(8)).s;
  std::string dirty = record;
  for (size_t at : {2, 21, 23}) dirty[at] = '\x5A';
  WriteBytes(Path("Profile_0043.dat"), Bytes().Raw(dirty).F64(45000.25).Raw(std::string(2048, '\xAB')).s + schedule);
  cProfile p;
  ASSERT_TRUE(p.LoadFromDisk(43));
  ExpectVersion4Fields(p);
  EXPECT_EQ(p.m_FileDateTimeStamp, 45000.25);
  ASSERT_EQ(p.m_TimeSchedule->Periods(0).size(), 1u);
  EXPECT_EQ(p.m_TimeSchedule->Periods(0)[0]->m_StartMinute, 420);
  EXPECT_EQ(p.m_TimeSchedule->Periods(0)[0]->m_StopMinute, 960);

  ASSERT_TRUE(p.SaveToDisk());
  ExpectWrittenAsVersion5(Path("Profile_0043.dat"), schedule);
}

TEST_F(ProfileFileTest, Version4IsRewrittenAsVersion5AndOtherVersionsAreRefused) {
  WriteBytes(Path("Profile_0007.dat"), Version4File());
  // Without the rewrite the file is read as it is, and nothing is said.
  RewriteOldVersionsOnLoad() = false;
  cProfile looked;
  const bool read_as_is = looked.LoadFromDisk(7);
  RewriteOldVersionsOnLoad() = true;
  EXPECT_TRUE(read_as_is);
  ExpectVersion4Fields(looked);
  EXPECT_EQ(ReadBytes(Path("Profile_0007.dat")), Version4File());
  EXPECT_TRUE(messages_.empty());

  cProfile p;
  p.m_FileDateTimeStamp = 12.5;
  ASSERT_TRUE(p.LoadFromDisk(7));
  ExpectVersion4Fields(p);
  EXPECT_EQ(p.m_FileDateTimeStamp, 12.5);  // version 4 has no time stamp
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (930) '" + Path("Profile_0007.dat") + "' (version 4 -> 5)");

  // The rewritten file: zeros in fields 7 and 8, the off-duty behaviour in
  // field 22, and the same schedule.
  ExpectWrittenAsVersion5(Path("Profile_0007.dat"), NewScheduleBlock());

  // Any other version changes only the identity (the snapshot is taken
  // again) and leaves the file as it was.
  const std::string v6 = std::string("\x06\x00", 2) + Version4File().substr(2);
  WriteBytes(Path("Profile_0009.dat"), v6);
  cProfile other = FilledProfile();
  EXPECT_FALSE(other.LoadFromDisk(9));
  EXPECT_EQ(other.m_DiskIdentity, 9);
  ExpectSameStoredFields(other, FilledProfile());
  EXPECT_FALSE(other.HasChangedSinceLastLoadFromDisk());
  EXPECT_EQ(ReadBytes(Path("Profile_0009.dat")), v6);
  EXPECT_EQ(messages_.back(), "*** Invalid Text (803) '" + Path("Profile_0009.dat") + "' (6) *** Invalid Text (805)");
}

TEST_F(ProfileFileTest, MissingOrTruncatedFilesFailAndChangeNeitherProfileNorFile) {
  cProfile missing;
  EXPECT_FALSE(missing.LoadFromDisk(11));
  EXPECT_FALSE(fs::exists(Path("Profile_0011.dat")));  // loading never creates the file
  cProfile good = FilledProfile();
  good.m_DiskIdentity = 5;
  ASSERT_TRUE(good.SaveToDisk());
  for (const std::string& whole : {ReadBytes(Path("Profile_0005.dat")), Version4File()}) {
    for (size_t length = 0; length < whole.size(); ++length) {
      const std::string prefix = whole.substr(0, length);
      WriteBytes(Path("Profile_0005.dat"), prefix);
      cProfile p;
      p.SetName("Untouched");
      const auto schedule = std::make_shared<cTimeSchedule>();
      p.m_TimeSchedule = schedule;
      messages_.clear();
      ASSERT_FALSE(p.LoadFromDisk(5)) << length;
      EXPECT_EQ(p.GetName(), "Untouched");
      EXPECT_EQ(p.m_TimeSchedule, schedule);
      ASSERT_EQ(ReadBytes(Path("Profile_0005.dat")), prefix) << "rewritten at " << length;
      // Files too short for a version number are skipped without a report.
      const std::string report = "*** Invalid Text (982) " + Path("Profile_0005.dat") + " Err:Input past end of file";
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
  const std::string before = ReadBytes(Path("Profile_0003.dat"));

  p.SetName("Renamed");
  EXPECT_FALSE(UnderFileSizeLimit(1000, [&] { return p.SaveToDisk(); }));
  EXPECT_EQ(ReadBytes(Path("Profile_0003.dat")), before);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (980) " + Path("Profile_0003.dat") + " Err:Disk full");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/Profiles"), {}), 1);  // no leftovers

  // Without its directory the save fails with the open's own error.
  fs::remove_all(dir_ + "/Profiles");
  EXPECT_FALSE(p.SaveToDisk());
  EXPECT_EQ(messages_.back(), "*** Invalid Text (980) " + Path("Profile_0003.dat") + " Err:Path not found");
}

TEST_F(ProfileFileTest, RemoveAlwaysSucceedsAndDropsTheCollectionEntry) {
  WriteBytes(Path("Profile_0008.dat"), "");
  cProfile p;
  p.SetName("Night");
  EXPECT_TRUE(p.RemoveFromDisk(8));
  EXPECT_FALSE(fs::exists(Path("Profile_0008.dat")));
  EXPECT_EQ(messages_.back(), "*** Invalid Text (981) 'Night' " + Path("Profile_0008.dat"));
  // The entry goes even when the file is already gone.
  ProfileCollection().Add("K8", std::make_shared<cProfile>());
  EXPECT_TRUE(p.RemoveFromDisk(8));
  EXPECT_FALSE(ProfileCollection().Contains("K8"));
  EXPECT_EQ(messages_.back(), "*** Invalid Text (981) 'Night' " + Path("Profile_0008.dat") + " Err:File not found");
  // A language row that the lookup raises on skips the message, never the flag.
  SetLanguageTable("", {{981, 0, 1}, {982, 0, 1}});
  EXPECT_TRUE(p.RemoveFromDisk(8));
  WriteBytes(Path("Profile_0008.dat"), std::string("\x05\x00", 2));
  EXPECT_FALSE(p.LoadFromDisk(8));
  EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(ProfileFileTest, DeletedLogIsWrittenOnlyForARedundantPartner) {
  cProfile p;
  p.SetName("Night shift");
  p.StoreInDeletedFileForRedundantPartner(42);
  EXPECT_FALSE(fs::exists(Path("DeletedProfiles.dat")));
  RedundancyRole() = 2;
  p.StoreInDeletedFileForRedundantPartner(42);
  p.StoreInDeletedFileForRedundantPartner(-3);
  const std::string text = ReadBytes(Path("DeletedProfiles.dat"));  // appended, each after its time stamp
  EXPECT_EQ(text.substr(19, 17) + text.substr(55), "\t42\tNight shift\r\n\t-3\tNight shift\r\n");
  const double when = DateFromCivil({2024, 3, 5, 7, 4, 9});
  EXPECT_EQ(ComposeDeletedRecordLine(when, 42, "a\tb\r\nc\xC3\xA9"), "2024-03-05 07:04:09\t42\ta b  c\xE9\r\n");
  DataDirectory() = dir_ + "/absent/";
  p.StoreInDeletedFileForRedundantPartner(1);  // dropped silently
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace quindo
