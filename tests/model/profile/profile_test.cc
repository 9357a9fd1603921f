#include "model/profile/profile.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/settings.h"
#include "error_number.h"
#include "filled_profile.h"

namespace quindo {
namespace {

class ProfileTest : public testing::Test {
 protected:
  void TearDown() override { NestedProfileNames() = 0; }
};

TEST_F(ProfileTest, SetNameDerivesParentOnlyWithNestedNamesOn) {
  const struct { int16_t nested; const char* name; const char* parent; int16_t levels; } cases[] = {
      {0, "Plant@Hall@Night", "", 0}, {1, "Plant@Hall@Night", "PLANT@HALL", 2}, {1, "@x", "", 1},
      {1, "x@", "X", 1}, {1, "Küche@ß", "KÜCHE", 1},  // letters beyond ASCII are upper-cased as well
      {1, "łódź@x", "ŁÓDŹ", 1}, {1, "Привет@x", "ПРИВЕТ", 1},
      {1, "a@@b", "A@", 2}, {1, "plain", "", 0}};
  cProfile p;
  for (const auto& c : cases) {
    NestedProfileNames() = c.nested;
    p.SetName(c.name);
    EXPECT_EQ(p.m_ParentName, c.parent) << c.name;
    EXPECT_EQ(p.m_NestingLevels, c.levels) << c.name;
  }
}

TEST_F(ProfileTest, TablesRejectIndexOutsideRangeAndNullChangingNothing) {
  cProfile p = FilledProfile();
  EXPECT_EQ(ErrorOf([&] { p.GetState(3); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetState(-1, 1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.GetCondition(6); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetCondition(6, TypedValue::Text("x")); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.GetSystem(-1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetSystem(64, 1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetCondition(5, TypedValue::Null()); }), kInvalidUseOfNull);
  ExpectSameStoredFields(p, FilledProfile());
  EXPECT_EQ(p.GetSystem(63).GetKind(), TypedValue::Kind::kInteger);
  p.SetCondition(0, TypedValue::Long(-42));  // numbers are kept as their text
  EXPECT_TRUE(p.GetCondition(0).IsText());
  EXPECT_EQ(p.GetCondition(0).ToText(), "-42");
}

TEST_F(ProfileTest, CopyFromCopiesEveryStoredFieldDeeplyAndFromItselfKeepsThem) {
  NestedProfileNames() = 1;
  cProfile source = FilledProfile();
  source.m_DiskIdentity = 17;
  source.m_FileDateTimeStamp = 45000.5;
  cProfile copy;
  copy.CopyFrom(source);
  copy.CopyFrom(copy);
  ExpectSameStoredFields(copy, source);
  EXPECT_EQ(copy.m_DiskIdentity, -1);
  EXPECT_EQ(copy.m_FileDateTimeStamp, 0);
  copy.m_TimeSchedule->Periods(0)[0]->m_StopMinute = 1000;
  EXPECT_EQ(source.m_TimeSchedule->Periods(0)[0]->m_StopMinute, 960);
}

TEST_F(ProfileTest, MissingScheduleRaisesObjectRequiredAfterOtherSteps) {
  cProfile source = FilledProfile();
  source.m_TimeSchedule.reset();
  cProfile target;
  target.m_TimeSchedule = FilledProfile().m_TimeSchedule;
  EXPECT_EQ(ErrorOf([&] { target.CopyFrom(source); }), kObjectRequired);
  EXPECT_EQ(target.m_OffDutyAlarmBehaviour, 13);
  ASSERT_NE(target.m_TimeSchedule, nullptr);
  EXPECT_EQ(target.m_TimeSchedule->ComposePeriodArray(), cTimeSchedule().ComposePeriodArray());

  EXPECT_EQ(ErrorOf([&] { source.RememberOriginalSettings(); }), kObjectRequired);
  EXPECT_EQ(source.m_Original_OffDutyAlarmBehaviour, 13);
  ASSERT_NE(source.m_Original_TimeSchedule, nullptr);
  // Everything but the schedules matches, so the comparison reaches them.
  EXPECT_EQ(ErrorOf([&] { source.HasChangedSinceLastLoadFromDisk(); }), kObjectRequired);
}

// Each stored field on its own; the filled profile's values differ from
// field to field, so that a field compared against another field's snapshot
// shows up too.
TEST_F(ProfileTest, ChangeDetectionSeesEveryStoredFieldAloneAndNothingElse) {
  cProfile fresh;
  EXPECT_TRUE(fresh.HasChangedSinceLastLoadFromDisk());  // enabled True vs 0, no schedules needed

  const auto distinct = [] {
    NestedProfileNames() = 1;
    cProfile p = FilledProfile();  // "Plant@Hall@Nuit d'été": parent PLANT@HALL, 2 levels
    NestedProfileNames() = 0;
    p.RememberOriginalSettings();
    return p;
  };
  using Edit = std::function<void(cProfile&)>;
  std::vector<std::pair<std::string, Edit>> compared = {
      {"name", [](cProfile& p) { NestedProfileNames() = 1; p.SetName("Plant@Hall@Nacht"); NestedProfileNames() = 0; }},
      {"enabled", [](cProfile& p) { p.m_Enabled = 0; }},
      {"parent name", [](cProfile& p) { p.m_ParentName = "PLANT@HALl"; }},  // case of one letter
      {"nesting levels", [](cProfile& p) { p.m_NestingLevels = 3; }},
      {"use time schedule", [](cProfile& p) { p.m_UseTimeSchedule = 0; }},
      {"parallel receivers", [](cProfile& p) { p.m_ParallellReceivers = "R1;R2 "; }},
      {"sequential receivers", [](cProfile& p) { p.m_SequentialReceivers = "r3"; }},
      {"schedule view day type", [](cProfile& p) { p.m_TimeSchedule_ViewDayType = 0; }},
      {"calendar view time axis", [](cProfile& p) { p.m_Calendar_ViewTimeAxis = 0; }},
      {"use external tag", [](cProfile& p) { p.m_UseExternalTag = 0; }},
      {"external tag name", [](cProfile& p) { p.m_ExternalTagName = "Tag.Y"; }},
      {"ignore external tag", [](cProfile& p) { p.m_IgnoreExternalTagInOtherProfiles = 0; }},
      {"use external file", [](cProfile& p) { p.m_UseExternalFile = 0; }},
      {"external file name", [](cProfile& p) { p.m_ExternalFileName = "C:\\ext.TXT"; }},
      {"external file text", [](cProfile& p) { p.m_ExternalFileText[299] = 'y'; }},
      {"scan specific systems", [](cProfile& p) { p.m_ScanSpecificSystems = 0; }},
      {"off-duty behaviour", [](cProfile& p) { p.m_OffDutyAlarmBehaviour = 0; }},
      {"schedule period", [](cProfile& p) { p.m_TimeSchedule->Periods(22)[0]->m_StopMinute = 61; }},
      {"schedule day type", [](cProfile& p) { p.m_TimeSchedule->SetActive(21, -1); }},
  };
  for (int16_t i = 0; i < cProfile::kStates; ++i) {
    compared.push_back({"state " + std::to_string(i), [i](cProfile& p) { p.SetState(i, 99); }});
  }
  for (int16_t i = 0; i < cProfile::kConditions; ++i) {
    compared.push_back({"condition " + std::to_string(i), [i](cProfile& p) {
                          p.SetCondition(i, TypedValue::Text("cond" + std::to_string(i)));
                        }});
  }
  for (int16_t i = 0; i < cProfile::kSystems; ++i) {
    compared.push_back({"system " + std::to_string(i), [i](cProfile& p) { p.SetSystem(i, 32767); }});
  }
  for (const auto& [what, edit] : compared) {
    cProfile p = distinct();
    ASSERT_FALSE(p.HasChangedSinceLastLoadFromDisk()) << what;
    edit(p);
    EXPECT_TRUE(p.HasChangedSinceLastLoadFromDisk()) << what;
  }

  const std::vector<std::pair<std::string, Edit>> ignored = {
      {"disk identity", [](cProfile& p) { p.m_DiskIdentity = 4711; }},
      {"file time stamp", [](cProfile& p) { p.m_FileDateTimeStamp = 1.25; }},
      {"updated identity", [](cProfile& p) { p.m_HasUpdatedDiskIdentity = -1; }},
      {"equal schedule object", [](cProfile& p) {
         auto copy = std::make_shared<cTimeSchedule>();
         copy->ExtractPeriodArray(p.m_TimeSchedule->ComposePeriodArray());
         p.m_TimeSchedule = copy;
       }},
  };
  for (const auto& [what, edit] : ignored) {
    cProfile p = distinct();
    edit(p);
    EXPECT_FALSE(p.HasChangedSinceLastLoadFromDisk()) << what;
  }
}

}  // namespace
}  // namespace quindo
