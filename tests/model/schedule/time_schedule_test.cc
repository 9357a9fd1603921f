#include "model/schedule/time_schedule.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "error_number.h"

namespace quindo {
namespace {

PeriodRef Add(cTimeSchedule& s, int16_t day_type, int16_t start, int16_t stop) {
  auto p = std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{start, stop});
  s.Periods(day_type).push_back(p);
  return p;
}

TEST(TimeScheduleTest, DayTypeOutsideTableRaisesSubscriptErrorAndChangesNothing) {
  cTimeSchedule s;
  int16_t start = 5, stop = 6;
  EXPECT_EQ(ErrorOf([&] { s.GetActive(23); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { s.SetActive(-1, -1); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { s.GetNextTimePeriod(23, start, stop); }), kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { s.Periods(-1); }), kSubscriptOutOfRange);
  EXPECT_EQ(s.ComposePeriodArray(), cTimeSchedule().ComposePeriodArray());
  // Any non-zero state is stored as true.
  EXPECT_EQ(s.SetActive(22, 7), 0);
  EXPECT_EQ(s.GetActive(22), -1);
}

TEST(TimeScheduleTest, GetNextTimePeriodIteratesByIdentity) {
  cTimeSchedule s;
  // Two periods with equal times are distinct steps.
  const PeriodRef a = Add(s, 2, 60, 120);
  const PeriodRef b = Add(s, 2, 60, 120);
  const PeriodRef c = Add(s, 2, 900, 30);
  const PeriodRef foreign = Add(s, 3, 1, 2);
  int16_t start = -7, stop = -7;
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop), a);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, a), b);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, b), c);
  EXPECT_EQ(start, 900);
  EXPECT_EQ(stop, 30);
  // Past the end, a period of another day type, or an equal copy: none, and
  // the out values keep what they had.
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, c), nullptr);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, foreign), nullptr);
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop, std::make_shared<cTimeSchedulePeriod>(*a)), nullptr);
  EXPECT_EQ(start, 900);
  // An inactive day type yields nothing even with periods.
  s.SetActive(2, 0);
  start = stop = -7;
  EXPECT_EQ(s.GetNextTimePeriod(2, start, stop), nullptr);
  EXPECT_EQ(start, -7);
  EXPECT_EQ(stop, -7);
  // An empty active list yields none at once.
  EXPECT_EQ(s.GetNextTimePeriod(0, start, stop), nullptr);
}

TEST(TimeScheduleTest, SetDefaultPeriodAppendsWorkingWeekAndCopyRemembersSelection) {
  cTimeSchedule s;
  s.SetActive(4, 0);
  s.SetDefaultPeriod();
  s.SetDefaultPeriod();
  for (int16_t d = 0; d < 7; ++d) {
    const bool working = d <= 4;
    EXPECT_EQ(s.GetActive(d), -1);
    EXPECT_EQ(s.GetGrouped(d), working ? -1 : 0);
    ASSERT_EQ(s.Periods(d).size(), working ? 2u : 0u);
    if (working) {
      EXPECT_EQ(s.Periods(d)[1]->m_StartMinute, 420);
      EXPECT_EQ(s.Periods(d)[1]->m_StopMinute, 960);
      EXPECT_NE(s.Periods(d)[0], s.Periods(d)[1]);
    }
  }
  s.SetSelectedDayType(5);
  s.Copy();
  EXPECT_EQ(s.CopiedDayType(), 5);
  s.SetSelectedDayType(-1);
  s.Copy();
  EXPECT_EQ(s.CopiedDayType(), -1);
}

}  // namespace
}  // namespace quindo
