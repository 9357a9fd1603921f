// Locale facts read from glibc's LC_TIME data, pinned to locales compiled for
// the tests (LOCPATH), and the week numbers and captions they give.
#include "model/calendar/calendar_locale.h"

#include <locale.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "common/dates.h"

namespace quindo {
namespace {

class CalendarLocaleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("LOCPATH", QUINDO_TEST_LOCALE_DIR, 1); }
  static CalendarLocale Named(const char* name) {
    auto facts = CalendarLocale::FromName(name);
    if (!facts) ADD_FAILURE() << "locale " << name << " missing in " << QUINDO_TEST_LOCALE_DIR;
    return facts.value_or(CalendarLocale::Iso8601());
  }
};

int64_t Serial(int y, int m, int d) { return DaysFromCivil(y, m, d); }

TEST_F(CalendarLocaleTest, WeekRuleAndMonthNamesComeFromTheNamedOrProcessLocale) {
  const CalendarLocale us = Named("en_US.UTF-8");
  EXPECT_EQ(us.first_weekday, 6);  // Sunday
  EXPECT_EQ(us.min_days_in_first_week, 1);
  EXPECT_EQ(us.month_names[2], "March");

  const CalendarLocale de = Named("de_DE.UTF-8");
  EXPECT_EQ(de.first_weekday, 0);
  EXPECT_EQ(de.min_days_in_first_week, 4);
  EXPECT_EQ(de.month_names[2], "M\xC3\xA4rz");
  EXPECT_EQ(de.month_names[11], "Dezember");

  // The C locale carries no week custom of its own: ISO 8601.
  const CalendarLocale c = Named("C");
  EXPECT_EQ(c.first_weekday, 0);
  EXPECT_EQ(c.min_days_in_first_week, 4);
  EXPECT_EQ(c.month_names, CalendarLocale::Iso8601().month_names);

  EXPECT_FALSE(CalendarLocale::FromName("xx_NOWHERE.UTF-8").has_value());

  // The process's locale is the one setlocale last chose for LC_TIME.
  const std::string saved = setlocale(LC_TIME, nullptr);
  ASSERT_NE(setlocale(LC_TIME, "de_DE.UTF-8"), nullptr);
  EXPECT_EQ(CalendarLocale::FromProcess().month_names[0], "Januar");
  setlocale(LC_TIME, saved.c_str());
}

TEST_F(CalendarLocaleTest, WeekNumbersAcrossYearEnds) {
  const CalendarLocale iso = CalendarLocale::Iso8601();
  const CalendarLocale us = Named("en_US.UTF-8");
  struct Case {
    int y, m, d, iso_week, us_week;
  } cases[] = {
      {2024, 3, 1, 9, 9},
      {2024, 1, 1, 1, 1},     // a Monday
      {2023, 1, 1, 52, 1},    // a Sunday: last ISO week of 2022, first US week
      {2021, 1, 1, 53, 1},    // a Friday in ISO week 53 of 2020
      {2020, 12, 31, 53, 1},  // its US week holds 1 January 2021
      {2024, 12, 30, 1, 1},   // Monday of ISO week 1 of 2025
      {2026, 12, 31, 53, 1},
      {2039, 12, 31, 52, 53},  // a Saturday; the US week of 2040 starts next day
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
    EXPECT_EQ(WeekOfYear(iso, Serial(c.y, c.m, c.d)), c.iso_week);
    EXPECT_EQ(WeekOfYear(us, Serial(c.y, c.m, c.d)), c.us_week);
  }
}

TEST_F(CalendarLocaleTest, CaptionNamesTheMonthInTheLocalesLanguage) {
  EXPECT_EQ(MonthCaption(Named("de_DE.UTF-8"), Serial(2024, 3, 1)), "M\xC3\xA4rz 2024");
  // The caption names the month on its own: the standalone (nominative)
  // form where the language has one, not the form used inside a date.
  EXPECT_EQ(MonthCaption(Named("pl_PL.UTF-8"), Serial(2024, 3, 1)), "marzec 2024");
  EXPECT_EQ(MonthCaption(Named("ru_RU.UTF-8"), Serial(2024, 3, 1)),
            "\xD0\x9C\xD0\xB0\xD1\x80\xD1\x82 2024");  // "Март"
  EXPECT_EQ(MonthCaption(CalendarLocale::Iso8601(), Serial(2039, 12, 1)), "December 2039");
}

}  // namespace
}  // namespace quindo
