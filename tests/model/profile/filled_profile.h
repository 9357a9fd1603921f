#pragma once
// A fully filled profile and a comparison of all it stores, for record and file tests.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "model/profile/profile.h"
#include "model/profile/profile_record.h"

namespace quindo {

// Every stored field away from its initial value, the numbers each with a
// value of its own (flags included, so that a field read, written or
// compared in another field's place shows), texts beyond ASCII, and a
// schedule with periods on the working days and on day type 22.
inline cProfile FilledProfile() {
  cProfile p;
  p.m_Enabled = -2;
  p.SetName("Plant@Hall@Nuit d'été");
  for (int16_t i = 0; i < cProfile::kStates; ++i) p.SetState(i, static_cast<int16_t>(i - 7));
  p.m_UseTimeSchedule = -3;
  p.m_ParallellReceivers = "R1;R2";
  p.m_SequentialReceivers = "R3";
  for (int16_t i = 0; i < cProfile::kConditions; ++i) p.SetCondition(i, TypedValue::Text("Cond" + std::to_string(i)));
  p.m_TimeSchedule_ViewDayType = 11;
  p.m_Calendar_ViewTimeAxis = 12;
  p.m_UseExternalTag = -4;
  p.m_ExternalTagName = "Tag.X";
  p.m_IgnoreExternalTagInOtherProfiles = -5;
  p.m_UseExternalFile = -6;
  p.m_ExternalFileName = "C:\\ext.txt";
  p.m_ExternalFileText = std::string(300, 'x');
  p.m_ScanSpecificSystems = -7;
  for (int16_t i = 0; i < cProfile::kSystems; ++i) p.SetSystem(i, static_cast<int16_t>(i * 511 - 16000));
  p.m_OffDutyAlarmBehaviour = 13;
  p.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  p.m_TimeSchedule->SetDefaultPeriod();
  p.m_TimeSchedule->SetActive(22, -1);
  p.m_TimeSchedule->Periods(22).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{900, 60}));
  return p;
}

// Every stored field (through the records), the derived name parts and the schedule.
inline void ExpectSameStoredFields(const cProfile& a, const cProfile& b) {
  EXPECT_TRUE(RecordOfProfile(a, 0) == RecordOfProfile(b, 0)) << a.GetName() << " / " << b.GetName();
  EXPECT_EQ(a.m_ParentName, b.m_ParentName);
  EXPECT_EQ(a.m_NestingLevels, b.m_NestingLevels);
  ASSERT_TRUE(a.m_TimeSchedule && b.m_TimeSchedule);
  EXPECT_EQ(a.m_TimeSchedule->ComposePeriodArray(), b.m_TimeSchedule->ComposePeriodArray());
}

}  // namespace quindo
