// The receiver record: settings, the type table and its settings files,
// copying and change detection.
#include <gtest/gtest.h>

#include "common/dates.h"
#include "common/settings.h"
#include "disk_files.h"
#include "error_number.h"
#include "model/receiver/receiver.h"

namespace quindo {
namespace {

// Type templates live in the data directory's folder "Types".
class ReceiverTest : public DataDirectoryTest {
 protected:
  ReceiverTest() : DataDirectoryTest("Types") {}
  void AddType(int16_t id, std::string name, std::string protocol, std::string file = "") {
    ReceiverTypes()[NumberOfReceiverTypes()++] = {id, std::move(name), std::move(protocol), std::move(file)};
  }
};

TEST_F(ReceiverTest, UnknownTypeNamesItselfAndKeepsTheKeepAlive) {
  cReceiver r;
  r.m_KeepAliveInterval = 12;
  r.m_LastKeepAlive = 3.5;
  r.SetReceiverTypeId(7);
  EXPECT_EQ(r.m_ReceiverTypeName, "(*** Invalid Text (1088): 0007)");
  EXPECT_EQ(r.m_ReceiverTypeIndex, -1);
  EXPECT_EQ(r.m_KeepAliveInterval, 12);
  EXPECT_EQ(r.m_LastKeepAlive, 3.5);
  r.SetReceiverTypeId(12345);
  EXPECT_EQ(r.m_ReceiverTypeName, "(*** Invalid Text (1088): 2345)");
  r.SetReceiverTypeId(-1);
  EXPECT_EQ(r.m_ReceiverTypeName, "(*** Invalid Text (1088): 00-1)");
  // Rows past the count are not looked at.
  ReceiverTypes()[0] = {7, "Hidden", "ILM", ""};
  r.SetReceiverTypeId(7);
  EXPECT_EQ(r.m_ReceiverTypeIndex, -1);
}

TEST_F(ReceiverTest, IlmProtocolsTakeTheIntervalFromSettingOne) {
  AddType(3, "Other", "ESPA");
  AddType(7, "Pager", "ilmtcp");
  AddType(7, "Second row", "ILM");
  AddType(8, "Plain ILM", "Ilm");
  cReceiver r;
  r.SaveSetting(1, TypedValue::Text("30"));
  const double before = Now();
  r.SetReceiverTypeId(7);
  EXPECT_EQ(r.m_ReceiverTypeIndex, 1);  // the lower row wins
  EXPECT_EQ(r.m_ReceiverTypeName, "Pager");
  EXPECT_EQ(r.m_KeepAliveInterval, 30);
  EXPECT_GE(r.m_LastKeepAlive, before - 1e-9);
  EXPECT_LE(r.m_LastKeepAlive, Now() + 1e-9);

  const auto interval_for = [&](const TypedValue& setting) {
    r.SaveSetting(1, setting);
    r.SetReceiverTypeId(8);
    return r.m_KeepAliveInterval;
  };
  // Every form a number's text takes is read whole: rounded halves to even,
  // exponents, the text of a small or a single number, hexadecimal and
  // octal. What is no number, or overflows, gives 0 (the failing step is
  // skipped); only a positive interval keeps alive.
  const std::pair<TypedValue, int32_t> forms[] = {
      {TypedValue::Text(" 12.5 "), 12},       {TypedValue::Double(13.5), 14},
      {TypedValue::Integer(45), 45},          {TypedValue::Text("30 s"), 0},
      {TypedValue(), 0},                      {TypedValue::Null(), 0},
      {TypedValue::Text("99999999999"), 0},   {TypedValue::Integer(-5), -5},
      {TypedValue::Text("3e1"), 30},          {TypedValue::Text(" 2.5E+1 "), 25},
      {TypedValue::Double(1.5E-05), 0},       {TypedValue::Double(1E+20), 0},
      {TypedValue::Single(123456789), 123456800},                               // "1.234568E+08"
      {TypedValue::Text("&H1E"), 30},         {TypedValue::Text("&hff"), 255},
      {TypedValue::Text("&O17"), 15},         {TypedValue::Text("&HFFFF"), -1},  // 16 bits
      {TypedValue::Text("1e"), 0},            {TypedValue::Text("&H"), 0},
      {TypedValue::Date(36526), 0},  // a date is no number, though its text starts with one
  };
  for (size_t i = 0; i < std::size(forms); ++i) {
    EXPECT_EQ(interval_for(forms[i].first), forms[i].second) << i;
    if (forms[i].second <= 0) EXPECT_EQ(r.m_LastKeepAlive, 0) << i;
  }

  r.SaveSetting(1, TypedValue::Integer(9));
  r.SetReceiverTypeId(3);  // another protocol: none
  EXPECT_EQ(r.m_KeepAliveInterval, 0);
  EXPECT_EQ(r.m_ReceiverTypeIndex, 0);
}

TEST_F(ReceiverTest, T940siReadsItsSettingsFile) {
  // The value is read as setting 1 of the ILM types is (exponents, "&H"...).
  AddType(5, "Paging", "T940si", "Types\\t940.ini");  // as the server's tools store it
  AddType(6, "No key", "T940SI", "Types/nokey.ini");
  WriteBytes(Path("t940.ini"), "[Other]\r\nT11=99\r\n[receivertypesettings]\r\n  t11 = \"4.5e1\" \r\n");
  WriteBytes(Path("nokey.ini"), "[ReceiverTypeSettings]\nT12=45\n");
  cReceiver r;
  r.SetReceiverTypeId(5);
  EXPECT_EQ(r.m_KeepAliveInterval, 45);
  EXPECT_GT(r.m_LastKeepAlive, 0);
  r.SetReceiverTypeId(6);
  EXPECT_EQ(r.m_KeepAliveInterval, 0);
  EXPECT_EQ(r.m_LastKeepAlive, 0);
}

TEST_F(ReceiverTest, ChangeDetectionComparesSettingsAsTypedValues) {
  cReceiver r;
  EXPECT_TRUE(r.HasChangedSinceLastLoadFromDisk());  // a new receiver was never saved
  EXPECT_EQ(ErrorOf([&] { r.SaveSetting(4, TypedValue::Integer(1)); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { r.SaveSetting(-1, TypedValue::Integer(1)); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { r.GetSetting(4); }), kSubscriptOutOfRange);
  r.SaveSetting(0, TypedValue::Integer(5));
  r.RememberOriginalSettings();
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());
  r.SaveSetting(0, TypedValue::Long(5));
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());
  r.SaveSetting(0, TypedValue::Double(5.0));
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());
  r.SaveSetting(0, TypedValue::Text("5"));
  EXPECT_TRUE(r.HasChangedSinceLastLoadFromDisk());
  r.SaveSetting(0, TypedValue::Integer(5));

  r.SaveSetting(1, TypedValue::Integer(0));  // empty equals 0 ...
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());
  r.SaveSetting(1, TypedValue::Text(""));  // ... and the empty text
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());
  r.SaveSetting(1, TypedValue::Null());  // becoming null is a change
  EXPECT_TRUE(r.HasChangedSinceLastLoadFromDisk());
  r.RememberOriginalSettings();
  EXPECT_FALSE(r.HasChangedSinceLastLoadFromDisk());  // null against null
  r.SaveSetting(1, TypedValue());
  EXPECT_TRUE(r.HasChangedSinceLastLoadFromDisk());
  r.SaveSetting(1, TypedValue::Null());

  // Each compared field alone reports a change; the others do not.
  const auto changes = [&](auto edit) {
    cReceiver copy;
    copy.CopyFrom(r);
    copy.RememberOriginalSettings();
    edit(copy);
    return copy.HasChangedSinceLastLoadFromDisk();
  };
  EXPECT_TRUE(changes([](cReceiver& c) { c.m_ReceiverName = "a"; }));
  EXPECT_TRUE(changes([](cReceiver& c) { c.m_BackupReceiver = "b"; }));
  EXPECT_TRUE(changes([](cReceiver& c) { c.m_Enabled = 0; }));
  EXPECT_TRUE(changes([](cReceiver& c) { c.SetReceiverTypeId(4); }));
  EXPECT_TRUE(changes([](cReceiver& c) { c.SaveSetting(3, TypedValue::Flag(true)); }));
  EXPECT_FALSE(changes([](cReceiver& c) {
    c.m_DiskIdentity = 9;
    c.m_FileDateTimeStamp = 2;
    c.m_SendingFailed = 1;
    c.m_LastKeepAlive = 3;
    c.m_KeepAliveInterval = 4;
    c.m_HasUpdatedDiskIdentity = -1;
  }));
}

TEST_F(ReceiverTest, CopyTakesTheIntervalOfTheCopiedSettings) {
  AddType(7, "Pager", "ILMTCP");
  cReceiver source;
  source.m_ReceiverName = "Pager 1";
  source.m_Enabled = 0;
  source.m_BackupReceiver = "Pager 2";
  source.SaveSetting(1, TypedValue::Integer(30));
  source.SaveSetting(3, TypedValue::Text("x"));
  source.SetReceiverTypeId(7);
  source.m_LastKeepAlive = 1234.5;
  source.m_DiskIdentity = 5;

  cReceiver target;
  target.m_DiskIdentity = 9;
  target.m_FileDateTimeStamp = 77;
  target.SaveSetting(1, TypedValue::Integer(60));  // the old settings must not decide
  target.RememberOriginalSettings();
  target.CopyFrom(source);
  EXPECT_EQ(target.m_KeepAliveInterval, 30);
  EXPECT_EQ(target.m_LastKeepAlive, 1234.5);
  EXPECT_EQ(target.m_ReceiverTypeName, "Pager");
  EXPECT_EQ(target.m_ReceiverName, "Pager 1");
  EXPECT_EQ(target.m_Enabled, 0);
  EXPECT_EQ(target.m_BackupReceiver, "Pager 2");
  EXPECT_EQ(target.GetSetting(3).RawText(), "x");
  EXPECT_EQ(target.m_DiskIdentity, 9);
  EXPECT_EQ(target.m_FileDateTimeStamp, 77);
  EXPECT_TRUE(target.HasChangedSinceLastLoadFromDisk());  // the snapshot stayed
}

}  // namespace
}  // namespace quindo
