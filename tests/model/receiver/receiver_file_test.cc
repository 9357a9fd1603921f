// Receiver files on a real file system: layout, versions, kinds, corruption,
// failed writes, removal and the deleted-receivers log.
#include <filesystem>

#include <gtest/gtest.h>

#include "common/language.h"
#include "disk_files.h"
#include "common/settings.h"
#include "model/receiver/receiver.h"
#include "model/receiver/receiver_naming.h"

namespace quindo {
namespace {

namespace fs = std::filesystem;

// A hand-made receiver file up to its backup receiver: disabled, type 4,
// settings 0..3 as stored (16-bit 7, text "ab", empty, flag true), the
// reserved bytes, and "Backup".
Bytes ReceiverBytes(int16_t version, int16_t identity, const std::string& name) {
  Bytes b;
  b.I16(version).I16(identity).I16(0).I16(4).Text(name);
  b.I16(2).I16(7).I16(8).Text("ab").I16(0).I16(11).I16(-1);
  return std::move(b.Zeros(10).Text("Backup"));
}

class ReceiverFileTest : public DataDirectoryTest {
 protected:
  ReceiverFileTest() : DataDirectoryTest("Receivers") {}
};

TEST_F(ReceiverFileTest, Version5LayoutOfTheExampleReceiver) {
  cReceiver r;
  r.m_ReceiverName = "A";
  r.SetReceiverTypeId(3);
  r.m_DiskIdentity = 12;
  ASSERT_TRUE(r.SaveToDisk());
  EXPECT_EQ(r.m_HasUpdatedDiskIdentity, 0);
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());
  const std::string bytes = ReadBytes(Path("Receiver_0012.dat"));
  ASSERT_EQ(bytes.size(), 2087u);
  Bytes expected;
  expected.I16(5).I16(12).I16(-1).I16(3).Text("A").I16(0).I16(0).I16(0).I16(0).Zeros(10).I16(0);
  EXPECT_EQ(bytes.substr(0, 31), expected.s);
  EXPECT_EQ(bytes.substr(39), std::string(2048, '\0'));
}

TEST_F(ReceiverFileTest, EveryKindRoundTripsWithItsKindAndValue) {
  const std::vector<TypedValue> values{
      TypedValue(), TypedValue::Null(), TypedValue::Integer(-2), TypedValue::Long(-70000),
      TypedValue::Single(0.1f), TypedValue::Double(1.0 / 3), TypedValue::CurrencyFromScaled(-12345678901),
      TypedValue::Date(45000.25), TypedValue::Text("caf\xC3\xA9 \xE2\x82\xAC"), TypedValue::Flag(true),
      TypedValue::Flag(false), TypedValue::Byte(255)};
  for (size_t first = 0; first < values.size(); first += 4) {
    cReceiver saved;
    saved.m_ReceiverName = "R\xC3\xA9";
    saved.m_BackupReceiver = "Backup";
    saved.m_Enabled = 0;
    saved.SetReceiverTypeId(-7);
    for (int16_t i = 0; i < 4; ++i) saved.SaveSetting(i, values[first + i]);
    ASSERT_TRUE(saved.SaveToDisk());
    EXPECT_EQ(saved.m_HasUpdatedDiskIdentity, -1);

    cReceiver loaded;
    ASSERT_TRUE(loaded.LoadFromDisk(saved.m_DiskIdentity));
    EXPECT_EQ(loaded.m_ReceiverName, "R\xC3\xA9");
    EXPECT_EQ(loaded.m_BackupReceiver, "Backup");
    EXPECT_EQ(loaded.m_Enabled, 0);
    EXPECT_EQ(loaded.GetReceiverTypeId(), -7);
    EXPECT_GT(loaded.m_FileDateTimeStamp, 40000);
    EXPECT_FALSE(loaded.HasChangedSinceLastLoadFromDisk());
    for (int16_t i = 0; i < 4; ++i) {
      const TypedValue& want = values[first + i];
      const TypedValue got = loaded.GetSetting(i);
      EXPECT_EQ(got.GetKind(), want.GetKind()) << first + i;
      EXPECT_EQ(got.RawInteger(), want.RawInteger()) << first + i;
      EXPECT_EQ(got.RawFloat(), want.RawFloat()) << first + i;
      EXPECT_EQ(got.RawText(), want.RawText()) << first + i;
    }
  }
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ReceiverFileTest, OldVersionsLoadAndAreRewrittenUnderTheArgumentsIdentity) {
  NumberOfReceiverTypes() = 1;
  ReceiverTypes()[0] = {4, "Pager", "ILM", ""};
  WriteBytes(Path("Receiver_0041.dat"), ReceiverBytes(4, 40, "Four").Text("x").Text("").Text("y").Text("z").s);
  cReceiver r;
  r.SaveSetting(1, TypedValue::Integer(99));  // the settings before the load must not decide
  ASSERT_TRUE(r.LoadFromDisk(41));
  EXPECT_EQ(r.m_DiskIdentity, 41);
  EXPECT_EQ(r.m_ReceiverName, "Four");
  EXPECT_EQ(r.m_Enabled, 0);
  EXPECT_EQ(r.m_BackupReceiver, "Backup");
  EXPECT_EQ(r.GetSetting(1).RawText(), "ab");
  EXPECT_EQ(r.m_KeepAliveInterval, 0);  // "ab" is not a number
  EXPECT_EQ(messages_, std::vector<std::string>{"*** Invalid Text (888) '" + Path("Receiver_0041.dat") +
                                                "' (version 4 -> 5)"});
  std::string rewritten = ReadBytes(Path("Receiver_0041.dat"));
  ASSERT_EQ(rewritten.size(), 2 + 2 + 2 + 2 + 6 + 2 + 2 + 6 + 2 + 4 + 10 + 8 + 8 + 2048u);
  EXPECT_EQ(rewritten.substr(0, 4), Bytes().I16(5).I16(41).s);
  cReceiver again;
  ASSERT_TRUE(again.LoadFromDisk(41));
  EXPECT_EQ(again.m_BackupReceiver, "Backup");

  Bytes v3;
  v3.I16(3).I16(77).I16(4).Text("Three").I16(2).I16(0).I16(8).Text("30").I16(0).I16(0);
  WriteBytes(Path("Receiver_0003.dat"), v3.s);
  cReceiver old;
  old.m_Enabled = 0;
  old.m_BackupReceiver = "gone";
  ASSERT_TRUE(old.LoadFromDisk(3));
  EXPECT_EQ(old.m_DiskIdentity, 3);
  EXPECT_EQ(old.m_Enabled, -1);
  EXPECT_EQ(old.m_BackupReceiver, "");
  EXPECT_EQ(old.m_ReceiverTypeName, "Pager");
  EXPECT_EQ(old.m_KeepAliveInterval, 30);  // from the loaded setting 1
  EXPECT_GT(old.m_LastKeepAlive, 0);
  // version, identity, enabled, type, "Three", settings 4 + 6 + 2 + 2, reserved, backup, stamp, block
  EXPECT_EQ(ReadBytes(Path("Receiver_0003.dat")).size(), 2 + 2 + 2 + 2 + 7 + 14 + 10 + 2 + 8 + 2048u);

  Bytes v2;
  v2.I16(2).I16(2).I16(0).I16(4).Text("Two");
  WriteBytes(Path("Receiver_0002.dat"), v2.s);
  messages_.clear();
  ASSERT_FALSE(old.LoadFromDisk(2));
  EXPECT_EQ(old.m_DiskIdentity, 2);
  EXPECT_EQ(old.m_ReceiverName, "Three");
  EXPECT_EQ(ReadBytes(Path("Receiver_0002.dat")), v2.s);
  EXPECT_EQ(messages_, std::vector<std::string>{"*** Invalid Text (803) '" + Path("Receiver_0002.dat") +
                                                "' (2) *** Invalid Text (804)"});
}

TEST_F(ReceiverFileTest, LoadReportsATypeTemplateThatCannotBeRead) {
  NumberOfReceiverTypes() = 1;
  ReceiverTypes()[0] = {4, "Paging", "T940SI", "Types\\missing.ini"};
  WriteBytes(Path("Receiver_0008.dat"), ReceiverBytes(5, 8, "Five").F64(45000.5).Zeros(2048).s);
  cReceiver loaded;
  EXPECT_TRUE(loaded.LoadFromDisk(8));  // the receiver itself is read
  EXPECT_EQ(loaded.m_KeepAliveInterval, 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].rfind("*** Invalid Text (978) '" + dir_ + "/Types/missing.ini' Err:", 0), 0u)
      << messages_[0];
}

TEST_F(ReceiverFileTest, TruncatedOrCorruptFilesFailWithoutChangeOrRewrite) {
  for (const std::string& good : {ReceiverBytes(5, 8, "Five").F64(45000.5).Zeros(2048).s,
                                  ReceiverBytes(4, 8, "Four").Text("a").Text("b").Text("c").Text("d").s}) {
    for (size_t size = 0; size < good.size(); ++size) {
      const std::string cut = good.substr(0, size);
      WriteBytes(Path("Receiver_0008.dat"), cut);
      cReceiver r;
      r.m_ReceiverName = "Kept";
      r.m_DiskIdentity = 99;
      messages_.clear();
      ASSERT_FALSE(r.LoadFromDisk(8)) << size;
      ASSERT_EQ(r.m_ReceiverName, "Kept");
      ASSERT_EQ(r.m_DiskIdentity, size < 2 ? 99 : 8);  // 0 or 1 byte: not read at all
      ASSERT_EQ(messages_.size(), size < 2 ? 0u : 1u) << size;
      if (size >= 2) {
        ASSERT_EQ(messages_[0].rfind("*** Invalid Text (978)", 0), 0u) << messages_[0];
      }
      ASSERT_EQ(ReadBytes(Path("Receiver_0008.dat")), cut);
    }
  }
  // A kind outside the list: nothing after it can be located.
  Bytes bad;
  bad.I16(5).I16(8).I16(0).I16(4).Text("Bad").I16(9).Zeros(3000);
  WriteBytes(Path("Receiver_0008.dat"), bad.s);
  cReceiver r;
  messages_.clear();
  EXPECT_FALSE(r.LoadFromDisk(8));
  EXPECT_EQ(r.m_ReceiverName, "");
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].rfind("*** Invalid Text (978) " + Path("Receiver_0008.dat") + " Err:", 0), 0u);

  // A missing file is a plain False and leaves no file behind.
  messages_.clear();
  EXPECT_FALSE(r.LoadFromDisk(9));
  EXPECT_EQ(r.m_DiskIdentity, 8);
  EXPECT_FALSE(fs::exists(Path("Receiver_0009.dat")));
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());  // the snapshot is taken anyway
}

// A text whose length does not fit the file's 16-bit signed length. (A
// full disk fails a save as the profile file test shows.)
TEST_F(ReceiverFileTest, TextTooLongForItsLengthFailsTheSaveAndKeepsThePreviousFile) {
  cReceiver r;
  r.m_DiskIdentity = 3;
  r.m_BackupReceiver = std::string(32767, 'y');
  r.SaveSetting(2, TypedValue::Text(std::string(32768, 'x')));
  EXPECT_FALSE(r.SaveToDisk());
  r.SaveSetting(2, TypedValue());
  EXPECT_TRUE(r.SaveToDisk());
  const std::string fits = ReadBytes(Path("Receiver_0003.dat"));
  r.m_ReceiverName = std::string(32768, 'n');
  EXPECT_FALSE(r.SaveToDisk());
  EXPECT_EQ(ReadBytes(Path("Receiver_0003.dat")), fits);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1], "*** Invalid Text (979) " + Path("Receiver_0003.dat") + " Err:Overflow");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/Receivers"), {}), 1);  // no temporaries left
}

TEST_F(ReceiverFileTest, RemoveReportsAndDropsTheCollectionEntryAndTheLogIsForThePartner) {
  cReceiver r;
  r.m_ReceiverName = "Pager\t1";
  r.m_DiskIdentity = 4;
  ASSERT_TRUE(r.SaveToDisk());
  ReceiverCollection().Add("K4", std::make_shared<cReceiver>());
  EXPECT_TRUE(r.RemoveFromDisk(4));
  EXPECT_FALSE(fs::exists(Path("Receiver_0004.dat")));
  EXPECT_FALSE(ReceiverCollection().Contains("K4"));
  EXPECT_TRUE(r.RemoveFromDisk(4));
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[0], "*** Invalid Text (976) 'Pager\t1' " + Path("Receiver_0004.dat"));
  EXPECT_EQ(messages_[1],
            "*** Invalid Text (977) 'Pager\t1' " + Path("Receiver_0004.dat") + " Err:File not found");

  // The log's rules are the profile's (see the profile file test); its file is the receivers' own.
  RedundancyRole() = 1;
  r.StoreInDeletedFileForRedundantPartner(4);
  EXPECT_EQ(ReadBytes(Path("DeletedReceivers.dat")).substr(19), "\t4\tPager 1\r\n");
}

}  // namespace
}  // namespace quindo
