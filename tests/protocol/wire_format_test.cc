#include <gtest/gtest.h>
#include <malloc.h>

#include <vector>

#include "model/profile/profile.h"
#include "protocol/field_codec.h"
#include "protocol/frame.h"
#include "protocol/profile_message.h"
#include "wire_bytes.h"

namespace quindo {
namespace {

using testing::Bytes;
using testing::ProfileBody;

TEST(FieldCodec, FieldsAreBigEndianRefuseWhatCannotBeSentAndACutTextKeepsItsBytes) {
  int32_t cursor = 0;
  const std::string bytes = Bytes({0xFF, 0xFE, 0x7F, 0xFF, 0x80, 0x00});
  EXPECT_EQ(ExtractInteger(bytes, cursor), -2);
  EXPECT_EQ(ExtractInteger(bytes, cursor), 32767);
  EXPECT_EQ(ExtractInteger(bytes, cursor), -32768);
  EXPECT_EQ(cursor, 6);
  // A field partly past the end cannot be read and leaves the cursor.
  EXPECT_EQ(ErrorOf([&] { ExtractInteger(bytes.substr(0, 5), cursor = 4); }), kInvalidProcedureCall);
  EXPECT_EQ(cursor, 4);
  EXPECT_EQ(ErrorOf([&] { ExtractInteger(bytes, cursor = -1); }), kInvalidProcedureCall);
  EXPECT_EQ(ExtractLong(Bytes({9, 0x7F, 0xFF, 0xFF, 0xFF}), cursor = 1), INT32_MAX);
  EXPECT_EQ(cursor, 5);
  EXPECT_EQ(ErrorOf([&] { ExtractLong(Bytes({0x80, 0, 0, 0}), cursor = 0); }), kOverflow);
  EXPECT_EQ(ErrorOf([&] { ExtractLong(Bytes({0, 0, 0}), cursor = 0); }), kInvalidProcedureCall);
  EXPECT_EQ(ComposeLong(0x7F020304), Bytes({0x7F, 2, 3, 4}));
  EXPECT_EQ(ErrorOf([] { ComposeLong(-1); }), kInvalidProcedureCall);
  EXPECT_EQ(ComposeMessageType(255), Bytes({0xFF}));
  for (int16_t type : {-1, 256}) EXPECT_EQ(ErrorOf([=] { ComposeMessageType(type); }), kInvalidProcedureCall);
  // A text cut short: the bytes that are there, the cursor past the end, and
  // the next numeric field fails.
  const std::string short_text = Bytes({0, 5, 'A', 'B'});
  EXPECT_EQ(ExtractString(short_text, cursor = 0), "AB");
  EXPECT_EQ(cursor, 7);
  EXPECT_EQ(ErrorOf([&] { ExtractInteger(short_text, cursor); }), kInvalidProcedureCall);
}

// A body whose numeric fields hold their own field numbers, so a misplaced
// field shows, whose texts are "F" and their field number (the name is "Fé",
// é as its one code-page byte E9): 35 bytes of texts, and whose schedule has
// one Monday period.
std::string NumberedBody() {
  std::string body;
  for (int field = 1; field <= 91; ++field) {
    const bool text = field == 3 || (field >= 10 && field <= 17) || field == 21 || field == 24 || field == 25;
    if (text) {
      AppendString(body, field == 3 ? "F\xE9" : "F" + std::to_string(field));
    } else {
      AppendInteger(body, static_cast<int16_t>(field));
    }
  }
  cTimeSchedule schedule;
  schedule.Periods(0).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{60, 90}));
  AppendString(body, schedule.ComposePeriodArray());
  return body;
}

// The integer members on either side of each run of texts and of the arrays.
std::vector<int> IntegerMembers(const cProfile& p) {
  return {p.m_DiskIdentity, p.m_Enabled, p.GetState(0), p.GetState(2), p.m_UseTimeSchedule,
          p.m_TimeSchedule_ViewDayType, p.m_Calendar_ViewTimeAxis, p.m_UseExternalTag,
          p.m_IgnoreExternalTagInOtherProfiles, p.m_UseExternalFile, p.m_ScanSpecificSystems,
          p.GetSystem(0).ToInt16(), p.GetSystem(63).ToInt16(), p.m_OffDutyAlarmBehaviour};
}

// Every field with a value of its own: a reader and a writer that swapped
// the same two fields would still agree with each other, but not with these
// bytes.
TEST(ProfileMessage, FieldsLandInTheirMembersAndAShortBodyKeepsWhatWasRead) {
  const std::string body = NumberedBody();
  ASSERT_EQ(body.size(), kProfileRecordFixedSize + 35 + 190u);  // the period text takes 190 bytes
  cProfile profile;
  int32_t cursor = 0;
  ExtractProfile(profile, body + "extra", cursor);
  EXPECT_EQ(cursor, static_cast<int32_t>(body.size()));  // bytes after field 92 ignored
  std::vector<int> expected = {1, 2, 4, 6, 7, 18, 19, 20, 22, 23, 26, 27, 90, 91};
  EXPECT_EQ(IntegerMembers(profile), expected);
  EXPECT_EQ(profile.GetName(), "F\xC3\xA9");
  EXPECT_EQ(profile.m_TimeSchedule->Periods(0).size(), 1u);
  EXPECT_EQ(profile.m_ParallellReceivers, "F10");
  EXPECT_EQ(profile.m_SequentialReceivers, "F11");
  for (int16_t i = 0; i < cProfile::kConditions; ++i) {
    EXPECT_EQ(profile.GetCondition(i).ToText(), "F" + std::to_string(12 + i));
  }
  EXPECT_EQ(profile.m_ExternalTagName, "F21");
  EXPECT_EQ(profile.m_ExternalFileName, "F24");
  EXPECT_EQ(profile.m_ExternalFileText, "F25");
  // Composed again, with fields 8 and 9 (after 1, 2, "Fé", 4 to 7) written as zeros.
  EXPECT_EQ(ComposeProfileMessage(profile), std::string(body).replace(2 + 2 + 4 + 6 + 2, 4, 4, '\0'));

  // Every shorter body raises. One byte short of field 91 (before the
  // period text's length and its 190 bytes): every earlier member is set,
  // no schedule. (A body without a period text is refused by the receive
  // loop's test.)
  expected.back() = 0;
  for (size_t size = 0; size < body.size(); ++size) {
    cProfile cut;
    EXPECT_THROW(ExtractProfile(cut, std::string_view(body).substr(0, size), cursor = 0), Error) << size;
    if (size != body.size() - 2 - 190 - 1) continue;
    EXPECT_EQ(IntegerMembers(cut), expected);
    EXPECT_EQ(cut.m_TimeSchedule, nullptr);
  }
  // A negative text length: field 3's length as FF 00.
  EXPECT_THROW(ExtractProfile(profile, std::string(body).replace(4, 1, "\xFF"), cursor = 0), Error);
  profile.m_TimeSchedule.reset();
  EXPECT_EQ(ErrorOf([&] { ComposeProfileMessage(profile); }), kObjectRequired);
}

// Heap in use, large (mapped) blocks included.
size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Frames split across arrivals, as TCP delivers them: what was cut is let go,
// so a long-lived link holds about one frame, not everything it received.
TEST(FrameBuffer, ALongStreamOfSplitFramesHoldsOnlyWhatIsNotCut) {
  const std::string frame = ComposeFrame(5, std::string(995, 'x'));
  FrameBuffer buffer;
  buffer.Append(frame.substr(0, 500));
  int16_t type = 0;
  std::string body;
  const size_t held_before = HeapInUse();
  for (int i = 0; i < 2000; ++i) {
    buffer.Append(frame.substr(500) + frame.substr(0, 500));
    ASSERT_TRUE(buffer.CutFrame(type, body));
    buffer.Compact();
  }
  EXPECT_LT(HeapInUse(), held_before + 100'000);  // 2 MB without the compaction
}

}  // namespace
}  // namespace quindo
