#include "model/profile/profile.h"

#include <functional>

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
      {1, "plain", "", 0}};
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
  p.SetCondition(1, TypedValue::Double(100.0));  // a whole double, never "1E+02"
  EXPECT_EQ(p.GetCondition(1).ToText(), "100");
  p.SetCondition(2, TypedValue::Single(-1500.0f));
  EXPECT_EQ(p.GetCondition(2).ToText(), "-1500");
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
  EXPECT_EQ(target.m_OffDutyAlarmBehaviour, 2);
  ASSERT_NE(target.m_TimeSchedule, nullptr);
  EXPECT_EQ(target.m_TimeSchedule->ComposePeriodArray(), cTimeSchedule().ComposePeriodArray());

  EXPECT_EQ(ErrorOf([&] { source.RememberOriginalSettings(); }), kObjectRequired);
  EXPECT_EQ(source.m_Original_OffDutyAlarmBehaviour, 2);
  ASSERT_NE(source.m_Original_TimeSchedule, nullptr);
  // Everything but the schedules matches, so the comparison reaches them.
  EXPECT_EQ(ErrorOf([&] { source.HasChangedSinceLastLoadFromDisk(); }), kObjectRequired);
}

TEST_F(ProfileTest, ChangeDetectionCoversEveryGroupButIgnoresIdentityAndStamp) {
  cProfile fresh;
  EXPECT_TRUE(fresh.HasChangedSinceLastLoadFromDisk());  // enabled True vs 0, no schedules needed

  const std::vector<std::function<void(cProfile&)>> edits = {
      [](cProfile& p) { p.SetName("Plant@Hall@nuit d'été"); },
      [](cProfile& p) { p.SetState(2, 0); },
      [](cProfile& p) { p.SetCondition(3, TypedValue::Text("cond3")); },  // case of one letter
      [](cProfile& p) { p.m_SequentialReceivers += " "; },
      [](cProfile& p) { p.m_ExternalFileText[150] = 'y'; },
      [](cProfile& p) { p.SetSystem(63, 0); },
      [](cProfile& p) { p.m_TimeSchedule->Periods(4)[0]->m_StartMinute = 421; },
      [](cProfile& p) { p.m_TimeSchedule->SetActive(21, -1); },
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
