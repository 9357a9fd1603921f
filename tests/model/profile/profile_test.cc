#include "model/profile/profile.h"

#include <functional>

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/settings.h"
#include "error_number.h"

namespace quindo {
namespace {

// A profile with every stored field set to something other than its initial value.
cProfile FilledProfile() {
  cProfile p;
  p.m_Enabled = 0;
  p.SetName("Night");
  for (int16_t i = 0; i < cProfile::kStates; ++i) p.SetState(i, static_cast<int16_t>(10 + i));
  p.m_UseTimeSchedule = -1;
  p.m_ParallellReceivers = "R1;R2";
  p.m_SequentialReceivers = "R3";
  for (int16_t i = 0; i < cProfile::kConditions; ++i) p.SetCondition(i, TypedValue::Text("Cond" + std::to_string(i)));
  p.m_TimeSchedule_ViewDayType = 3;
  p.m_Calendar_ViewTimeAxis = 2;
  p.m_UseExternalTag = -1;
  p.m_ExternalTagName = "Tag";
  p.m_IgnoreExternalTagInOtherProfiles = -1;
  p.m_UseExternalFile = -1;
  p.m_ExternalFileName = "ext.txt";
  p.m_ExternalFileText = "Grüße";
  p.m_ScanSpecificSystems = -1;
  for (int16_t i = 0; i < cProfile::kSystems; ++i) p.SetSystem(i, static_cast<int16_t>(i * 3 - 90));
  p.m_OffDutyAlarmBehaviour = 2;
  p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  p.m_TimeSchedule->SetDefaultPeriod();
  return p;
}

// Every stored field, for comparing two profiles as a whole.
std::string Describe(const cProfile& p) {
  std::string d = p.GetName() + "|" + p.m_ParentName + "|" + std::to_string(p.m_NestingLevels);
  for (int v : {p.m_Enabled, p.m_UseTimeSchedule, p.m_TimeSchedule_ViewDayType, p.m_Calendar_ViewTimeAxis,
                p.m_UseExternalTag, p.m_IgnoreExternalTagInOtherProfiles, p.m_UseExternalFile,
                p.m_ScanSpecificSystems, p.m_OffDutyAlarmBehaviour}) {
    d += "|" + std::to_string(v);
  }
  for (const std::string* t : {&p.m_ParallellReceivers, &p.m_SequentialReceivers, &p.m_ExternalTagName,
                               &p.m_ExternalFileName, &p.m_ExternalFileText}) {
    d += "|" + *t;
  }
  for (int16_t i = 0; i < cProfile::kStates; ++i) d += "|" + std::to_string(p.GetState(i));
  for (int16_t i = 0; i < cProfile::kConditions; ++i) d += "|" + p.GetCondition(i).ToText();
  for (int16_t i = 0; i < cProfile::kSystems; ++i) d += "|" + p.GetSystem(i).ToText();
  return d + "|" + (p.m_TimeSchedule ? p.m_TimeSchedule->ComposePeriodArray() : "none");
}

class NestedNames : public testing::Test {
 protected:
  void TearDown() override { NestedProfileNames() = 0; }
};

TEST_F(NestedNames, SetNameDerivesParentOnlyWithSwitchOn) {
  cProfile p;
  p.SetName("Plant@Hall@Night");
  EXPECT_EQ(p.m_ParentName, "");
  EXPECT_EQ(p.m_NestingLevels, 0);
  NestedProfileNames() = 1;
  p.SetName("Plant@Hall@Night");
  EXPECT_EQ(p.GetName(), "Plant@Hall@Night");
  EXPECT_EQ(p.m_ParentName, "PLANT@HALL");
  EXPECT_EQ(p.m_NestingLevels, 2);
  p.SetName("@x");
  EXPECT_EQ(p.m_ParentName, "");
  EXPECT_EQ(p.m_NestingLevels, 1);
  p.SetName("x@");
  EXPECT_EQ(p.m_ParentName, "X");
  EXPECT_EQ(p.m_NestingLevels, 1);
  p.SetName("Küche@ß");  // code-page letters are upper-cased as well
  EXPECT_EQ(p.m_ParentName, "KÜCHE");
  p.SetName("plain");
  EXPECT_EQ(p.m_ParentName, "");
  EXPECT_EQ(p.m_NestingLevels, 0);
}

TEST(ProfileTest, TablesRejectIndexOutsideRangeAndNull) {
  cProfile p = FilledProfile();
  EXPECT_EQ(ErrorOf([&] { p.GetState(3); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetState(-1, 1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.GetCondition(6); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetCondition(6, TypedValue::Text("x")); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.GetSystem(-1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetSystem(64, 1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { p.SetCondition(5, TypedValue::Null()); }), kInvalidUseOfNull);
  EXPECT_EQ(p.GetCondition(5).ToText(), "Cond5");
  EXPECT_EQ(p.SetState(2, 99), 0);
  EXPECT_TRUE(p.SetSystem(63, -5).IsEmpty());
  EXPECT_EQ(p.GetSystem(63).GetKind(), TypedValue::Kind::kInteger);
  EXPECT_EQ(p.GetSystem(63).ToInt16(), -5);
  p.SetCondition(0, TypedValue::Long(-42));  // numbers are kept as their text
  EXPECT_TRUE(p.GetCondition(0).IsText());
  EXPECT_EQ(p.GetCondition(0).ToText(), "-42");
}

TEST(ProfileTest, CopyFromCopiesEveryStoredFieldDeeply) {
  NestedProfileNames() = 1;
  cProfile source = FilledProfile();
  source.SetName("Plant@Night");
  source.m_DiskIdentity = 17;
  source.m_FileDateTimeStamp = 45000.5;
  cProfile copy;
  copy.CopyFrom(source);
  NestedProfileNames() = 0;
  EXPECT_EQ(Describe(copy), Describe(source));
  EXPECT_EQ(copy.m_ParentName, "PLANT");
  EXPECT_EQ(copy.m_DiskIdentity, -1);
  EXPECT_EQ(copy.m_FileDateTimeStamp, 0);
  EXPECT_NE(copy.m_TimeSchedule, source.m_TimeSchedule);
  copy.m_TimeSchedule->Periods(0)[0]->m_StopMinute = 1000;
  EXPECT_EQ(source.m_TimeSchedule->Periods(0)[0]->m_StopMinute, 960);
}

TEST(ProfileTest, CopyFromItselfKeepsSchedule) {
  cProfile p = FilledProfile();
  const std::string before = p.m_TimeSchedule->ComposePeriodArray();
  p.CopyFrom(p);
  EXPECT_EQ(p.m_TimeSchedule->ComposePeriodArray(), before);
  EXPECT_EQ(p.GetName(), "Night");
  EXPECT_EQ(p.GetSystem(1).ToInt16(), -87);
}

TEST(ProfileTest, MissingScheduleRaisesObjectRequiredAfterOtherSteps) {
  cProfile source = FilledProfile();
  source.m_TimeSchedule.reset();
  cProfile target;
  target.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  target.m_TimeSchedule->SetDefaultPeriod();
  EXPECT_EQ(ErrorOf([&] { target.CopyFrom(source); }), kObjectRequired);
  EXPECT_EQ(target.m_OffDutyAlarmBehaviour, 2);
  ASSERT_NE(target.m_TimeSchedule, nullptr);
  EXPECT_EQ(target.m_TimeSchedule->ComposePeriodArray(), cTimeSchedule().ComposePeriodArray());

  EXPECT_EQ(ErrorOf([&] { source.RememberOriginalSettings(); }), kObjectRequired);
  EXPECT_EQ(source.m_Original_OffDutyAlarmBehaviour, 2);
  ASSERT_NE(source.m_Original_TimeSchedule, nullptr);
  // Everything but the schedules matches, so the comparison reaches them.
  EXPECT_EQ(ErrorOf([&] { source.HasChangedSinceLastLoadFromDisk(); }), kObjectRequired);
}

TEST(ProfileTest, ChangeDetectionCoversEveryGroupButIgnoresIdentityAndStamp) {
  cProfile fresh;
  EXPECT_TRUE(fresh.HasChangedSinceLastLoadFromDisk());  // enabled True vs 0, no schedules needed

  const std::vector<std::function<void(cProfile&)>> edits = {
      [](cProfile& p) { p.SetName("night"); },
      [](cProfile& p) { p.SetState(2, 0); },
      [](cProfile& p) { p.SetCondition(3, TypedValue::Text("cond3")); },  // case of one letter
      [](cProfile& p) { p.m_SequentialReceivers += " "; },
      [](cProfile& p) { p.m_ExternalFileText = "Grüsse"; },
      [](cProfile& p) { p.SetSystem(63, 0); },
      [](cProfile& p) { p.m_TimeSchedule->Periods(4)[0]->m_StartMinute = 421; },
      [](cProfile& p) { p.m_TimeSchedule->SetActive(22, -1); },
      [](cProfile& p) { p.m_OffDutyAlarmBehaviour = 0; },
  };
  for (size_t i = 0; i < edits.size(); ++i) {
    cProfile p = FilledProfile();
    p.RememberOriginalSettings();
    p.m_DiskIdentity = 4711;
    p.m_FileDateTimeStamp = 1.25;
    p.m_HasUpdatedDiskIdentity = -1;
    EXPECT_FALSE(p.HasChangedSinceLastLoadFromDisk()) << i;
    edits[i](p);
    EXPECT_TRUE(p.HasChangedSinceLastLoadFromDisk()) << i;
  }
}

}  // namespace
}  // namespace quindo
