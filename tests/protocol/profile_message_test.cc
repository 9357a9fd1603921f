#include "protocol/profile_message.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "model/profile/profile.h"
#include "protocol/field_codec.h"
#include "wire_bytes.h"

namespace quindo {
namespace {

using testing::Bytes;
using testing::ProfileBody;

constexpr size_t kEmptyScheduleSize = 186;

// A body with every text empty and the given period array: field values are
// their own field numbers, so a misplaced field shows.
std::string NumberedBody(const std::string& period_array) {
  std::string body;
  for (int field = 1; field <= 91; ++field) {
    const bool text = field == 3 || (field >= 10 && field <= 17) || field == 21 || field == 24 || field == 25;
    AppendInteger(body, text ? 0 : static_cast<int16_t>(field));
  }
  AppendString(body, period_array);
  return body;
}

TEST(ProfileMessage, FieldsLandInTheirMembers) {
  const std::string body = NumberedBody(cTimeSchedule().ComposePeriodArray());
  ASSERT_EQ(body.size(), kProfileRecordFixedSize + kEmptyScheduleSize);  // the smallest accepted
  cProfile profile;
  int32_t cursor = 0;
  ExtractProfile(profile, body + "extra", cursor);
  EXPECT_EQ(cursor, static_cast<int32_t>(body.size()));  // bytes after field 92 ignored
  EXPECT_EQ(profile.m_DiskIdentity, 1);
  EXPECT_EQ(profile.m_Enabled, 2);
  EXPECT_EQ(profile.GetState(0), 4);
  EXPECT_EQ(profile.GetState(2), 6);
  EXPECT_EQ(profile.m_UseTimeSchedule, 7);
  EXPECT_EQ(profile.m_TimeSchedule_ViewDayType, 18);
  EXPECT_EQ(profile.m_UseExternalTag, 20);
  EXPECT_EQ(profile.m_IgnoreExternalTagInOtherProfiles, 22);
  EXPECT_EQ(profile.m_ScanSpecificSystems, 26);
  EXPECT_EQ(profile.GetSystem(0).ToInt16(), 27);
  EXPECT_EQ(profile.GetSystem(63).ToInt16(), 90);
  EXPECT_EQ(profile.m_OffDutyAlarmBehaviour, 91);
  ASSERT_NE(profile.m_TimeSchedule, nullptr);
}

TEST(ProfileMessage, ShortOrMalformedBodiesRaiseAndKeepWhatWasRead) {
  const std::string good = NumberedBody(cTimeSchedule().ComposePeriodArray());
  for (size_t size = 0; size < good.size(); ++size) {
    cProfile profile;
    int32_t cursor = 0;
    EXPECT_THROW(ExtractProfile(profile, std::string_view(good).substr(0, size), cursor), Error) << size;
  }
  // One byte short of field 91: every earlier member is set, no schedule.
  cProfile profile;
  int32_t cursor = 0;
  EXPECT_THROW(ExtractProfile(profile, std::string_view(good).substr(0, kProfileRecordFixedSize - 3), cursor), Error);
  EXPECT_EQ(profile.GetSystem(63).ToInt16(), 90);
  EXPECT_EQ(profile.m_OffDutyAlarmBehaviour, 0);
  EXPECT_EQ(profile.m_TimeSchedule, nullptr);
  // The fixed 184 bytes alone hand an empty period text to the schedule,
  // which refuses it.
  EXPECT_THROW(ExtractProfile(profile, NumberedBody(""), cursor = 0), Error);
  // A negative text length.
  std::string negative = good;
  negative[4] = static_cast<char>(0xFF);  // field 3's length: FF 00
  EXPECT_THROW(ExtractProfile(profile, negative, cursor = 0), Error);
}

TEST(ProfileMessage, ComposeAndExtractRoundTripThroughTheCodePage) {
  const std::string body = ProfileBody(300, true, "Nacht \xC3\xA9t\xC3\xA9", 10);
  // The name travels as code-page bytes: é is one byte, E9.
  EXPECT_EQ(body.substr(4, 11), Bytes({0, 9, 'N', 'a', 'c', 'h', 't', ' ', 0xE9, 't', 0xE9}));
  cProfile profile;
  int32_t cursor = 0;
  ExtractProfile(profile, body, cursor);
  EXPECT_EQ(profile.GetName(), "Nacht \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(profile.m_TimeSchedule->Periods(0).size(), 10u);
  EXPECT_EQ(ComposeProfileMessage(profile), body);
  profile.m_TimeSchedule.reset();
  EXPECT_THROW(ComposeProfileMessage(profile), Error);
}

}  // namespace
}  // namespace quindo
