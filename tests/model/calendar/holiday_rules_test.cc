// Holiday rules: Easter against a second computus, weekday rules with months
// that lack the n-th day, which rule wins a date, the limits of each value,
// and applying the dates to a calendar and the process-wide tables.
#include "model/calendar/holiday_rules.h"

#include <gtest/gtest.h>

#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_dates.h"
#include "model/calendar/holiday_label.h"
#include "error_number.h"

namespace quindo {
namespace {

// Meeus/Jones/Butcher, a different derivation from the library's.
MonthDay MeeusEaster(int32_t y) {
  const int32_t a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
  const int32_t f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
  const int32_t i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int32_t m = (a + 11 * h + 22 * l) / 451;
  return {(h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1};
}

HolidayRule Fixed(std::string label, int32_t month, int32_t day, int32_t day_type = 8) {
  return {.label = std::move(label), .day_type = day_type, .month = month, .day = day};
}

HolidayRule Nth(std::string label, int32_t month, int32_t weekday, int32_t n) {
  return {.kind = HolidayRule::Kind::kNthWeekday, .label = std::move(label), .day_type = 8, .month = month,
          .weekday = weekday, .n = n};
}

HolidayRule Easter(std::string label, int32_t offset, int32_t day_type = 9) {
  return {.kind = HolidayRule::Kind::kEaster, .label = std::move(label), .day_type = day_type,
          .offset = offset};
}

std::vector<std::string> DatesOf(const std::vector<HolidayDate>& dates) {
  std::vector<std::string> out;
  for (const HolidayDate& d : dates) {
    const CivilDateTime c = CivilFromDayNumber(d.day_number);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
    out.push_back(text);
  }
  return out;
}

TEST(HolidayDatesTest, EasterSundayMatchesASecondComputusAndKnownDates) {
  const auto easter = [](int32_t y) { const MonthDay e = EasterSunday(y); return e.month * 100 + e.day; };
  for (int32_t year = 1583; year <= 9999; ++year) {
    const MonthDay m = MeeusEaster(year);
    ASSERT_EQ(easter(year), m.month * 100 + m.day) << year;
  }
  // Known dates, the earliest (22 March) and latest (25 April) among them.
  const std::pair<int32_t, int32_t> known[] = {{2024, 331}, {2008, 323}, {2038, 425}, {2285, 322}};
  for (const auto& [year, date] : known) EXPECT_EQ(easter(year), date) << year;
}

TEST(HolidayDatesTest, NthWeekdayCountsFromEitherEndAndSkipsMissingFifths) {
  EXPECT_EQ(NthWeekdayOfMonth(2024, 5, 0, -1), DayNumberFromCivil(2024, 5, 27));  // last Monday of May
  EXPECT_EQ(NthWeekdayOfMonth(2021, 5, 0, -1), DayNumberFromCivil(2021, 5, 31));  // May ends on it
  EXPECT_EQ(NthWeekdayOfMonth(2024, 11, 3, 4), DayNumberFromCivil(2024, 11, 28));  // 4th Thursday
  EXPECT_EQ(NthWeekdayOfMonth(2024, 9, 6, 1), DayNumberFromCivil(2024, 9, 1));     // month starts on it
  EXPECT_EQ(NthWeekdayOfMonth(2016, 2, 0, 5), DayNumberFromCivil(2016, 2, 29));    // leap February
  EXPECT_EQ(NthWeekdayOfMonth(2021, 2, 0, 5), std::nullopt);
  EXPECT_EQ(NthWeekdayOfMonth(2039, 12, 5, -1), DayNumberFromCivil(2039, 12, 31));
  for (const auto& [weekday, n] : {std::pair{7, 1}, {-1, 1}, {0, 0}, {0, -2}, {0, 6}}) {
    EXPECT_EQ(NthWeekdayOfMonth(2024, 5, weekday, n), std::nullopt) << weekday << " " << n;
  }
  // Every month's last day is the last of its weekday: the month lengths.
  for (int32_t month = 1; month <= 12; ++month) {
    const int32_t last = DayNumberFromCivil(2023 + month / 12, month % 12 + 1, 1) - 1;
    EXPECT_EQ(NthWeekdayOfMonth(2023, month, WeekdayOfDayNumber(last), -1), last) << month;
  }
}

TEST(HolidayRulesTest, ExpandsEachKindInDayOrderWithinTheCalendarYears) {
  HolidayRule fifth_monday = Nth("Fifth Monday of February", 2, 1, 5);
  HolidayRule leap_day = Fixed("Leap day", 2, 29);
  const auto dates = ExpandHolidayRules({leap_day, fifth_monday});
  // Leap days of 2000..2036; only February 2016 has a fifth Monday, the 29th.
  std::vector<std::string> expected;
  for (int32_t y = 2000; y <= 2039; y += 4) expected.push_back(std::to_string(y) + "-02-29");
  EXPECT_EQ(DatesOf(dates), expected);
  EXPECT_EQ(dates[4].label, "Fifth Monday of February");  // both rules give 2016-02-29: the later wins

  const auto easter = ExpandHolidayRules({Easter("Easter Monday", 1)});
  ASSERT_EQ(easter.size(), 40u);
  EXPECT_EQ(DatesOf(easter).front(), "2000-04-24");
  EXPECT_EQ(DatesOf(easter).back(), "2039-04-11");
  EXPECT_EQ(easter.front().day_type, 9);
}

TEST(HolidayRulesTest, LaterRuleWinsASharedDateAndYearsLimitARule) {
  HolidayRule christmas = Fixed("Christmas", 12, 25, 8);
  HolidayRule special = Fixed("Jubilee", 12, 25, 10);
  special.from_year = 2030;
  special.to_year = 2031;
  special.view_in_calendar = true;
  const auto dates = ExpandHolidayRules({christmas, special});
  ASSERT_EQ(dates.size(), 40u);
  for (const HolidayDate& d : dates) {
    const int32_t year = CivilFromDayNumber(d.day_number).year;
    const bool jubilee = year == 2030 || year == 2031;
    EXPECT_EQ(d.label, jubilee ? "Jubilee" : "Christmas") << year;
    EXPECT_EQ(d.day_type, jubilee ? 10 : 8);
    EXPECT_EQ(d.rule, jubilee ? 1u : 0u);
    EXPECT_EQ(d.view_in_calendar, jubilee);
  }
  // The rule order decides, not the years: swapped, Christmas wins everywhere.
  for (const HolidayDate& d : ExpandHolidayRules({special, christmas})) EXPECT_EQ(d.label, "Christmas");
  // So on the calendar's first and last holiday.
  EXPECT_EQ(ExpandHolidayRules({Fixed("A", 1, 1), Fixed("B", 1, 1)}).size(), 40u);
}

TEST(HolidayRulesTest, EasterOffsetsCrossYearsAndTheCalendarsEnds) {
  // 300 days after Easter 1999 (4 April) is 29 January 2000, inside the calendar.
  auto dates = DatesOf(ExpandHolidayRules({Easter("Late", 300)}));
  EXPECT_EQ(dates.front(), "2000-01-29");
  EXPECT_EQ(dates.size(), 40u);  // from Easter 1999..2038; 2039's lies in 2040
  // 120 days before Easter: 2000's lies in 1999, 2040's (1 April) in 2039.
  dates = DatesOf(ExpandHolidayRules({Easter("Early", -120)}));
  EXPECT_EQ(dates.size(), 40u);
  EXPECT_EQ(dates.front(), "2000-12-16");
  EXPECT_EQ(dates.back(), "2039-12-03");
  // 266 days after Easter 2039 (10 April) is 1 January 2040, one past the calendar's
  // last day: the last date is the one from Easter 2038.
  EXPECT_EQ(DatesOf(ExpandHolidayRules({Easter("Late", 266)})).back(), "2039-01-16");
  // Limited to Easter 2040, the rule still gives its date in 2039.
  HolidayRule limited = Easter("Early", -120);
  limited.from_year = limited.to_year = 2040;
  EXPECT_EQ(DatesOf(ExpandHolidayRules({limited})), std::vector<std::string>{"2039-12-03"});
}

TEST(HolidayRulesTest, ValuesOutOfRangeAndImpossibleDatesAreRefusedNamingTheRule) {
  const auto refused = [](HolidayRule bad) {
    try {
      ExpandHolidayRules({Fixed("Fine", 1, 1), bad});
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), kInvalidProcedureCall);
      EXPECT_EQ(e.Description().rfind("Holiday rule 2: ", 0), 0u) << e.Description();
      return e.Description();
    }
    return std::string("accepted");
  };
  EXPECT_EQ(refused(Fixed("x", 2, 30)), "Holiday rule 2: Day 30 is outside 1..29");
  EXPECT_EQ(refused(Fixed("x", 13, 1)), "Holiday rule 2: Month 13 is outside 1..12");
  EXPECT_EQ(refused(Fixed("x", 1, 0)), "Holiday rule 2: Day 0 is outside 1..31");
  EXPECT_EQ(refused(Fixed("x", 1, 1, 0)), "Holiday rule 2: DayType 0 is outside 1..23");
  EXPECT_EQ(refused(Fixed("x", 1, 1, 24)), "Holiday rule 2: DayType 24 is outside 1..23");
  EXPECT_EQ(refused(Nth("x", 1, 8, 1)), "Holiday rule 2: Weekday 8 is outside 1..7");
  EXPECT_EQ(refused(Nth("x", 5, 1, -2)), "Holiday rule 2: N -2 is outside 1..5");
  EXPECT_EQ(refused(Nth("x", 5, 1, 6)), "Holiday rule 2: N 6 is outside 1..5");
  EXPECT_EQ(refused(Easter("x", 366)), "Holiday rule 2: Offset 366 is outside -365..365");
  HolidayRule years = Fixed("x", 1, 1);
  years.from_year = 2031;
  years.to_year = 2030;
  EXPECT_EQ(refused(years), "Holiday rule 2: FromYear 2031 is after ToYear 2030");
  years.from_year = 1582;
  EXPECT_EQ(refused(years), "Holiday rule 2: FromYear 1582 is outside 1583..9999");
  // Years wholly outside 2000..2039 are valid and give nothing.
  years.from_year = 2040;
  years.to_year = 2050;
  EXPECT_TRUE(ExpandHolidayRules({years}).empty());
  EXPECT_TRUE(ExpandHolidayRules({}).empty());
}

TEST(HolidayRulesTest, ApplyingSetsCoveredDaysAndReplacesTheHolidayTables) {
  cCalendar calendar;
  const int32_t kept = DayNumberFromCivil(2024, 7, 4);
  calendar.SetDayType(kept, 12);
  HolidayDays()[100] = -1;  // left from rules applied before
  HolidayRule christmas = Fixed("Christmas", 12, 25, 7);
  christmas.view_in_calendar = true;
  ApplyHolidayRules({christmas, Easter("Easter Monday", 1, 8)}, calendar);

  const int32_t christmas_2024 = DayNumberFromCivil(2024, 12, 25);
  EXPECT_EQ(calendar.GetDayType(christmas_2024), 7);
  EXPECT_EQ(calendar.GetDayType(DayNumberFromCivil(2024, 4, 1)), 8);
  EXPECT_EQ(calendar.GetDayType(kept), 12);
  EXPECT_EQ(calendar.GetDayType(christmas_2024 + 1), 0);
  EXPECT_EQ(HolidayDays()[100], 0);
  EXPECT_NE(HolidayDays()[christmas_2024], 0);
  ASSERT_EQ(HolidayLabels().Count(), 80u);
  const auto label = HolidayLabels().Find("K" + std::to_string(christmas_2024));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->m_Day, christmas_2024);
  EXPECT_EQ(label->m_DayType, 7);
  EXPECT_EQ(label->m_ViewInCalendar, -1);
  EXPECT_EQ(label->m_Label, "Christmas");
  EXPECT_EQ(HolidayLabels().Find("K" + std::to_string(DayNumberFromCivil(2024, 4, 1)))->m_ViewInCalendar, 0);

  // A bad rule anywhere changes neither the calendar nor the tables.
  cCalendar before;
  before.FromFileBytes(calendar.ToFileBytes());
  EXPECT_EQ(ErrorOf([&] { ApplyHolidayRules({Fixed("New Year", 1, 1), Fixed("Bad", 2, 30)}, calendar); }),
            kInvalidProcedureCall);
  EXPECT_EQ(calendar.CompareToOtherCalendar(before), -1);
  EXPECT_EQ(HolidayLabels().Count(), 80u);
  EXPECT_EQ(HolidayDays()[DayNumberFromCivil(2024, 1, 1)], 0);
}

}  // namespace
}  // namespace quindo
