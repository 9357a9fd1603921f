// The check of a directory's records: one directory in memory with one
// record for each finding (and records at the edges of each that must not be
// found), then the findings in order with their identities and dates.
#include "model/check/findings.h"

#include <vector>

#include <gtest/gtest.h>

#include "error_number.h"
#include "model/calendar/calendar.h"
#include "model/receiver/receiver.h"
#include "scheduled_profile.h"

namespace quindo {
namespace {

std::unique_ptr<cReceiver> Receiver(int16_t identity, const std::string& name, int16_t type,
                                    const std::string& backup, bool enabled = true) {
  auto r = std::make_unique<cReceiver>();
  r->m_DiskIdentity = identity;
  r->m_ReceiverName = name;
  r->SetReceiverTypeId(type);
  r->m_BackupReceiver = backup;
  r->m_Enabled = enabled ? -1 : 0;
  return r;
}

class CheckTest : public testing::Test {
 protected:
  CheckTest() {
    const auto profile = [this](int16_t id, const std::string& name) -> cProfile& {
      owned_profiles_.push_back(ScheduledProfile(id, name));
      profiles_.push_back(owned_profiles_.back().get());
      return *owned_profiles_.back();
    };
    profile(1, "Night").m_ParallellReceivers.clear();
    cProfile& always = profile(2, "Always");
    for (int16_t d = 0; d < 7; ++d) AddPeriod(always, d, 0, 1440);
    // Special day types 1, 3 and 16 (calendar 8, 10, 23) are not active,
    // special day type 2 is.
    cProfile& holiday = profile(3, "Holiday");
    holiday.m_TimeSchedule->m_UseCalendar = -1;
    holiday.m_TimeSchedule->SetActive(8, -1);
    for (int16_t d = 0; d < 5; ++d) AddPeriod(holiday, d, 420, 960);
    cProfile& odd = profile(4, "Odd");
    AddPeriod(odd, 0, 1380, 1445);
    AddPeriod(odd, 1, 420, 960);
    AddPeriod(odd, 1, 960, 1000);  // touches: merged
    AddPeriod(odd, 2, 420, 959);
    AddPeriod(odd, 2, 960, 1000);  // a minute apart: kept
    AddPeriod(odd, 3, 1440, 1440);
    cProfile& nobody = profile(5, "Nobody");
    nobody.m_ParallellReceivers = " ";
    AddPeriod(nobody, 0, 0, 60);
    AddPeriod(profile(6, "Night"), 0, 0, 60);
    AddPeriod(profile(8, "NIGHT"), 0, 0, 60);
    // A name that exactly two profiles share, the usual case.
    AddPeriod(profile(11, "Day"), 0, 0, 60);
    AddPeriod(profile(12, "day"), 0, 0, 60);
    // Active at the year's first minute only: neither never nor always.
    cProfile& first_minute = profile(10, "First minute");
    first_minute.m_TimeSchedule->m_UseCalendar = -1;
    first_minute.m_TimeSchedule->SetActive(9, -1);
    AddPeriod(first_minute, 9, 0, 1);
    // Without its schedule: neither never active nor short of receivers.
    cProfile& unscheduled = profile(9, "Unscheduled");
    unscheduled.m_UseTimeSchedule = 0;
    unscheduled.m_ParallellReceivers.clear();

    const struct {
      int y, m, d;
      int16_t type;
    } days[] = {{2023, 12, 31, 8}, {2024, 1, 1, 10}, {2024, 12, 25, 8},
                {2024, 12, 26, 9}, {2024, 12, 31, 23}, {2025, 1, 1, 8}};
    for (const auto& day : days) calendar_.SetDayType(DayNumberFromCivil(day.y, day.m, day.d), day.type);

    owned_receivers_.push_back(Receiver(1, "Pager", 10, "spare"));
    owned_receivers_.push_back(Receiver(2, "Spare", 99, "Gone"));
    owned_receivers_.push_back(Receiver(3, "Phone", 10, "dormant"));
    owned_receivers_.push_back(Receiver(4, "Dormant", 10, "", false));
    for (const auto& r : owned_receivers_) receivers_.push_back(r.get());
    types_[0].type_id = 10;
  }

  CheckInput Input() const { return {profiles_, receivers_, &calendar_, types_, 2024}; }

  std::vector<std::unique_ptr<cProfile>> owned_profiles_;
  std::vector<const cProfile*> profiles_;
  std::vector<std::unique_ptr<cReceiver>> owned_receivers_;
  std::vector<const cReceiver*> receivers_;
  cCalendar calendar_;
  std::vector<ReceiverType> types_ = std::vector<ReceiverType>(1);
};

TEST_F(CheckTest, FindsEachKindWithItsRecordAndDates) {
  const struct {
    const char* kind;
    int16_t identity;
    std::vector<int32_t> dates;
    const char* says;
  } expected[] = {
      {"never-active", 1, {}, "at no time of 2024"},
      {"always-active", 2, {}, "every day of 2024"},
      {"weekday-decides",
       3,
       {DayNumberFromCivil(2024, 1, 1), DayNumberFromCivil(2024, 12, 25), DayNumberFromCivil(2024, 12, 31)},
       "special day type 1, special day type 3, special day type 16, which"},
      {"weekday-decides",
       10,
       {DayNumberFromCivil(2024, 12, 25), DayNumberFromCivil(2024, 12, 26), DayNumberFromCivil(2024, 12, 31)},
       "special day type 1, special day type 2, special day type 16, which"},
      {"period-beyond-day", 4, {}, "Monday [1380, 1445]"},
      {"overlapping-periods", 4, {}, "Tuesday [420, 960] [960, 1000] becomes [420, 1000]"},
      {"no-receivers", 1, {}, "'Night' uses its schedule"},
      {"no-receivers", 5, {}, "'Nobody' uses its schedule"},
      {"duplicate-name", 1, {}, "also the name of profile 6, 8"},
      {"duplicate-name", 6, {}, "also the name of profile 1, 8"},
      {"duplicate-name", 8, {}, "also the name of profile 1, 6"},
      {"duplicate-name", 11, {}, "also the name of profile 12"},
      {"duplicate-name", 12, {}, "also the name of profile 11"},
      {"unknown-receiver-type", 2, {}, "type 99"},
      {"backup-missing", 2, {}, "'Gone', which is no receiver"},
      {"backup-missing", 3, {}, "'dormant', which is disabled"},
  };
  const std::vector<Finding> findings = CheckRecords(Input());
  ASSERT_EQ(findings.size(), std::size(expected));
  for (size_t i = 0; i < findings.size(); ++i) {
    SCOPED_TRACE(findings[i].message);
    EXPECT_EQ(FindingKindName(findings[i].kind), expected[i].kind);
    EXPECT_EQ(findings[i].disk_identity, expected[i].identity);
    EXPECT_EQ(findings[i].dates, expected[i].dates);
    EXPECT_NE(findings[i].message.find(expected[i].says), std::string::npos);
    // A profile's finding points at its profile; a receiver's at none.
    if (findings[i].profile) {
      EXPECT_EQ(profiles_[*findings[i].profile]->m_DiskIdentity, expected[i].identity);
    }
    EXPECT_EQ(findings[i].profile.has_value(), i < 13);
  }
}

TEST_F(CheckTest, WithoutCalendarOrTypeTableThoseKindsAreNotChecked) {
  CheckInput input = Input();
  input.calendar = nullptr;
  input.receiver_types = {};
  for (const Finding& f : CheckRecords(input)) {
    EXPECT_NE(f.kind, FindingKind::kWeekdayDecides);
    EXPECT_NE(f.kind, FindingKind::kUnknownReceiverType);
  }
  input.year = 2040;
  EXPECT_EQ(ErrorOf([&] { CheckRecords(input); }), kInvalidProcedureCall);
  // The calendar's first and last years are checked, the last to its last day.
  input.year = 2000;
  EXPECT_EQ(CheckRecords(input).front().kind, FindingKind::kNeverActive);
  input.year = 2039;
  EXPECT_EQ(CheckRecords(input).front().kind, FindingKind::kNeverActive);
}

}  // namespace
}  // namespace quindo
