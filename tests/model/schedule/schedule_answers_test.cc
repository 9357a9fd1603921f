// Answers about a schedule at a time: which day type decides (calendar or
// weekday), half-open periods, and the next change across midnight, across
// a week and at the end of the calendar, checked against a minute-by-minute
// walk on random schedules and calendars.
#include "model/schedule/schedule_answers.h"

#include <random>

#include <gtest/gtest.h>

#include "model/calendar/calendar.h"
#include "model/schedule/period_cover.h"
#include "error_number.h"
#include "scheduled_profile.h"

namespace quindo {
namespace {

constexpr int16_t kWednesday = 2;
constexpr int16_t kSpecial1 = 7;  // schedule day type of calendar day type 8

// 2024-03-06 is a Wednesday.
const ScheduleTime kWednesdayNoon = At(2024, 3, 6, 12, 0);

TEST(ScheduleAnswersTest, WeekdayDecidesWithHalfOpenPeriods) {
  cTimeSchedule s;
  AddPeriod(s, kWednesday, 600, 600);  // zero length: covers nothing
  AddPeriod(s, kWednesday, 420, 960);
  AddPeriod(s, kWednesday, 900, 1000);  // overlaps; the first in list order is reported
  const auto at = [&](int32_t minute) { return AnswerAt(s, nullptr, {kWednesdayNoon.day_number, minute}); };
  EXPECT_FALSE(at(419).active);
  EXPECT_TRUE(at(420).active);
  EXPECT_EQ(at(600).period->m_StartMinute, 420);
  EXPECT_EQ(at(950).period->m_StopMinute, 960);
  EXPECT_EQ(at(960).period->m_StopMinute, 1000);
  EXPECT_FALSE(at(1000).active);
  EXPECT_EQ(at(500).day_type, kWednesday);
  EXPECT_EQ(at(500).decided_by, DecidedBy::kWeekday);

  // 00:00-24:00 covers the first and last minute; an inactive day type covers nothing.
  AddPeriod(s, 6, 0, 1440);
  EXPECT_TRUE(AnswerAt(s, nullptr, At(2024, 3, 10, 0, 0)).active);
  EXPECT_TRUE(AnswerAt(s, nullptr, At(2024, 3, 10, 23, 59)).active);
  s.SetActive(6, 0);
  EXPECT_FALSE(AnswerAt(s, nullptr, At(2024, 3, 10, 12, 0)).active);
  EXPECT_EQ(AnswerAt(s, nullptr, At(2024, 3, 10, 12, 0)).day_type, 6);
}

// Odd stored periods mean one thing: the minutes start <= m < stop within
// the day. The answers follow it (the imported [[900,100],[2000,3000],[-5,30]]
// leaves Monday active only 00:00-00:30).
TEST(ScheduleAnswersTest, OddStoredPeriodsCoverOnlyTheirMinutesWithinTheDay) {
  const struct {
    int16_t start, stop;
    std::optional<MinuteSpan> span;
    bool plain;
  } cases[] = {
      {420, 960, MinuteSpan{420, 960}, true},  {0, 1440, MinuteSpan{0, 1440}, true},
      {900, 100, std::nullopt, false},         {600, 600, std::nullopt, false},
      {2000, 3000, std::nullopt, false},       {-5, 30, MinuteSpan{0, 30}, false},
      {1400, 1500, MinuteSpan{1400, 1440}, false}, {-30, -5, std::nullopt, false},
  };
  for (const auto& c : cases) {
    const cTimeSchedulePeriod period{c.start, c.stop};
    EXPECT_EQ(CoveredSpan(period), c.span) << c.start << "-" << c.stop;
    EXPECT_EQ(IsPlainPeriod(period), c.plain) << c.start << "-" << c.stop;
  }
  cTimeSchedule s;
  AddPeriod(s, 0, 900, 100);
  AddPeriod(s, 0, 2000, 3000);
  AddPeriod(s, 0, -5, 30);
  const int32_t monday = DayNumberFromCivil(2024, 3, 4);
  for (int32_t minute : {100, 600, 899, 1000}) EXPECT_FALSE(AnswerAt(s, nullptr, {monday, minute}).active);
  EXPECT_TRUE(AnswerAt(s, nullptr, {monday, 0}).active);
  EXPECT_EQ(NextChangeAfter(s, nullptr, {monday, 0}), (ScheduleTime{monday, 30}));
}

TEST(ScheduleAnswersTest, CalendarDecidesOnlyWhenUsedAndItsDayTypeIsActive) {
  cTimeSchedule s;
  AddPeriod(s, kWednesday, 0, 1440);
  AddPeriod(s, kSpecial1, 480, 540);
  s.SetActive(22, -1);
  cCalendar calendar;
  constexpr auto kWeekday = DecidedBy::kWeekday;
  constexpr auto kCalendar = DecidedBy::kCalendar;
  const struct {
    int16_t use_calendar, special1_active, calendar_value, calendar_day_type, day_type;
    DecidedBy decided_by;
    bool active;
  } cases[] = {
      {-1, 0, 8, 8, kWednesday, kWeekday, true},     // special day type 1 inactive: the value is kept
      {-1, -1, 8, 8, kSpecial1, kCalendar, false},   // active: it decides
      {-1, -1, 7, 7, 6, kCalendar, false},           // a weekday override: Wednesday as Sunday
      {-1, -1, 1, 1, 0, kCalendar, false},           // the ends: Monday's day type...
      {-1, -1, 23, 23, 22, kCalendar, false},        // ...and the last special one
      {-1, -1, 24, 24, kWednesday, kWeekday, true},  // values no day type stands for
      {-1, -1, -1, -1, kWednesday, kWeekday, true},
      {-1, -1, 100, 100, kWednesday, kWeekday, true},
      {0, -1, 8, 0, kWednesday, kWeekday, true},     // m_UseCalendar 0 ignores the calendar
  };
  for (const auto& c : cases) {
    s.m_UseCalendar = c.use_calendar;
    s.SetActive(kSpecial1, c.special1_active);
    calendar.SetDayType(kWednesdayNoon.day_number, c.calendar_value);
    const ScheduleAnswer a = AnswerAt(s, &calendar, kWednesdayNoon);
    EXPECT_EQ(a.calendar_day_type, c.calendar_day_type) << c.calendar_value;
    EXPECT_EQ(a.day_type, c.day_type) << c.calendar_value;
    EXPECT_EQ(a.decided_by, c.decided_by) << c.calendar_value;
    EXPECT_EQ(a.active, c.active) << c.calendar_value;
  }
  s.m_UseCalendar = -1;
  calendar.SetDayType(kWednesdayNoon.day_number, 8);
  EXPECT_TRUE(IsActiveAt(s, &calendar, {kWednesdayNoon.day_number, 500}));
  EXPECT_EQ(AnswerAt(s, nullptr, kWednesdayNoon).calendar_day_type, 0);  // no calendar
}

TEST(ScheduleAnswersTest, NextChangeCrossesMidnightAndWeeksAndMergesTouchingPeriods) {
  cTimeSchedule s;
  // Night shift Wednesday 22:00 to Thursday 06:00; Thursday 06:00-07:00 touches it.
  AddPeriod(s, kWednesday, 1320, 1440);
  AddPeriod(s, 3, 360, 420);
  AddPeriod(s, 3, 0, 360);
  EXPECT_EQ(NextChangeAfter(s, nullptr, At(2024, 3, 6, 21, 59)), At(2024, 3, 6, 22, 0));
  EXPECT_EQ(NextChangeAfter(s, nullptr, At(2024, 3, 6, 22, 0)), At(2024, 3, 7, 7, 0));
  // From Thursday 07:00 the next change is next Wednesday's 22:00.
  EXPECT_EQ(NextChangeAfter(s, nullptr, At(2024, 3, 7, 7, 0)), At(2024, 3, 13, 22, 0));

  // Active up to 24:00 and not the next day: the change is at 00:00.
  cTimeSchedule evening;
  AddPeriod(evening, kWednesday, 1000, 1440);
  EXPECT_EQ(NextChangeAfter(evening, nullptr, At(2024, 3, 6, 23, 59)), At(2024, 3, 7, 0, 0));

  // A day that opens idle and starts at 00:01 changes at 00:01.
  cTimeSchedule late;
  AddPeriod(late, 3, 1, 60);
  EXPECT_EQ(NextChangeAfter(late, nullptr, kWednesdayNoon), At(2024, 3, 7, 0, 1));

  // Always on, or never: no change, with or without a calendar.
  cTimeSchedule always;
  for (int16_t d = 0; d < 7; ++d) AddPeriod(always, d, 0, 1440);
  cCalendar calendar;
  always.m_UseCalendar = -1;
  EXPECT_EQ(NextChangeAfter(always, nullptr, kWednesdayNoon), std::nullopt);
  EXPECT_EQ(NextChangeAfter(always, &calendar, At(2000, 1, 1, 0, 0)), std::nullopt);
  EXPECT_EQ(NextChangeAfter(cTimeSchedule(), &calendar, kWednesdayNoon), std::nullopt);
  // A special day far ahead is still found, and nothing lies past 2039-12-31 23:59.
  calendar.SetDayType(DayNumberFromCivil(2039, 12, 31), 8);
  always.SetActive(kSpecial1, -1);
  EXPECT_EQ(NextChangeAfter(always, &calendar, At(2000, 1, 1, 0, 0)), At(2039, 12, 31, 0, 0));
  EXPECT_EQ(NextChangeAfter(always, &calendar, At(2039, 12, 31, 0, 0)), std::nullopt);

  EXPECT_EQ(ErrorOf([&] { NextChangeAfter(s, nullptr, {kCalendarDays, 0}); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { AnswerAt(s, nullptr, {0, 1440}); }), kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { IsActiveAt(s, nullptr, {-1, 0}); }), kInvalidProcedureCall);
}

// Random periods (overlapping, touching, reversed, zero-length, beyond 24:00)
// and random calendar days, against a walk that asks every minute. The
// calendar is random for 21 days from a start in 2024 or near the end of
// 2039; past them the weeks repeat, so a walk of 31 days that finds no
// change shows there is none.
TEST(ScheduleAnswersTest, AgreesWithAMinuteByMinuteWalk) {
  std::mt19937 rng(13);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 80; ++round) {
    const int32_t first_day = DayNumberFromCivil(round % 2 ? 2039 : 2024, 12, 10);
    cTimeSchedule s;
    s.m_UseCalendar = static_cast<int16_t>(pick(0, 1));
    for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
      s.SetActive(d, pick(0, 3) != 0);
      for (int n = pick(0, 4); n > 0; --n) {
        const int start = pick(-10, 1440);
        AddPeriod(s, d, static_cast<int16_t>(start), static_cast<int16_t>(pick(0, 5) == 0 ? start : pick(-10, 1446)));
      }
    }
    cCalendar calendar;
    for (int32_t day = first_day; day < std::min(first_day + 21, kCalendarDays); ++day) {
      calendar.SetDayType(day, static_cast<int16_t>(pick(0, 3) == 0 ? pick(0, 24) : 0));
    }
    const auto active = [&](int32_t day, int32_t minute) {
      const ScheduleAnswer a = AnswerAt(s, &calendar, {day, minute});
      EXPECT_EQ(a.active, IsActiveAt(s, &calendar, {day, minute}));
      EXPECT_EQ(a.active, a.period.has_value());
      return a.active;
    };
    const ScheduleTime from{first_day + pick(0, 10), pick(0, 1439)};
    const int32_t end = std::min(kCalendarDays, from.day_number + 31) * 1440;
    std::optional<ScheduleTime> expected;
    const bool state = active(from.day_number, from.minute);
    for (int32_t t = from.day_number * 1440 + from.minute + 1; t < end; ++t) {
      if (active(t / 1440, t % 1440) != state) {
        expected = ScheduleTime{t / 1440, t % 1440};
        break;
      }
    }
    ASSERT_EQ(NextChangeAfter(s, &calendar, from), expected) << "round " << round;
  }
}

}  // namespace
}  // namespace quindo
