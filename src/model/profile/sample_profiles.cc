#include "model/profile/sample_profiles.h"

#include <string>

namespace quindo {

namespace {

constexpr int16_t kTrue = -1;

// Minutes after midnight.
constexpr int16_t Hm(int hours, int minutes) { return static_cast<int16_t>(hours * 60 + minutes); }

enum class Shape { kOffice, kNight, kWeekend, kAlways, kNone };

struct Sample {
  const char* name;
  bool enabled;
  Shape shape;
  const char* receivers;
};

constexpr Sample kSamples[] = {
    {"Night shift", true, Shape::kNight, "K1;K2"},
    {"Weekend", false, Shape::kWeekend, "K3"},
    {"Day shift", true, Shape::kOffice, "K1"},
    {"Boiler room", true, Shape::kAlways, "K4;K5"},
    {"Boiler room@Night", false, Shape::kNight, "K5"},
    {"Boiler room@Weekend", true, Shape::kWeekend, "K5"},
    {"Server room", true, Shape::kAlways, "K2"},
    {"Holidays", false, Shape::kNone, "K3"},
    {"Ventilation", true, Shape::kOffice, "K6"},
    {"Ventilation@Night", false, Shape::kNight, "K6"},
    {"Fire alarms", true, Shape::kAlways, "K1;K2;K3"},
    {"Maintenance", false, Shape::kOffice, "K7"},
};
constexpr int kSampleCount = static_cast<int>(std::size(kSamples));

void AddPeriod(cTimeSchedule& schedule, int16_t day_type, int16_t start, int16_t stop) {
  schedule.SetActive(day_type, kTrue);
  auto period = std::make_shared<cTimeSchedulePeriod>();
  period->m_StartMinute = start;
  period->m_StopMinute = stop;
  schedule.Periods(day_type).push_back(period);
}

std::shared_ptr<cTimeSchedule> MakeSchedule(Shape shape) {
  auto schedule = std::make_shared<cTimeSchedule>();
  for (int16_t day = 0; day < 7; ++day) {
    switch (shape) {
      case Shape::kOffice:
        if (day < 5) AddPeriod(*schedule, day, Hm(7, 0), Hm(16, 0));
        break;
      case Shape::kNight:
        AddPeriod(*schedule, day, Hm(0, 0), Hm(6, 0));
        AddPeriod(*schedule, day, Hm(22, 0), Hm(24, 0));
        break;
      case Shape::kWeekend:
        if (day >= 5) AddPeriod(*schedule, day, Hm(0, 0), Hm(24, 0));
        break;
      case Shape::kAlways:
        AddPeriod(*schedule, day, Hm(0, 0), Hm(24, 0));
        break;
      case Shape::kNone:
        break;
    }
    schedule->SetAxisOfDayType(day, day);
  }
  return schedule;
}

}  // namespace

std::vector<std::unique_ptr<cProfile>> MakeSampleProfiles(int count) {
  std::vector<std::unique_ptr<cProfile>> profiles;
  for (int i = 0; i < count; ++i) {
    const Sample& sample = kSamples[i % kSampleCount];
    auto profile = std::make_unique<cProfile>();
    profile->m_DiskIdentity = static_cast<int16_t>(i + 1);
    std::string name = sample.name;
    if (i >= kSampleCount) name += " " + std::to_string(i / kSampleCount + 1);
    profile->SetName(name);
    profile->m_Enabled = sample.enabled ? kTrue : 0;
    profile->m_UseTimeSchedule = sample.shape == Shape::kNone ? 0 : kTrue;
    profile->m_ParallellReceivers = sample.receivers;
    profile->SetCondition(0, TypedValue::Text("Priority<=2"));
    profile->m_TimeSchedule = MakeSchedule(sample.shape);
    profiles.push_back(std::move(profile));
  }
  return profiles;
}

}  // namespace quindo
