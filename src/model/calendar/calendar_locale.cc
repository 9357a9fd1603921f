#include "model/calendar/calendar_locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <ctime>
#include <memory>

#include "common/dates.h"

namespace quindo {
namespace {

const std::array<std::string, 12> kEnglishMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// Monday = 0 .. Sunday = 6 of a date serial; day 0 (1899-12-30) was a Saturday.
int32_t WeekdayOf(int64_t serial) {
  return static_cast<int32_t>(((serial + 5) % 7 + 7) % 7);
}

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3
                                          : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

struct LocaleDeleter {
  void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleDeleter>;

// glibc keeps the week facts as numbers behind nl_langinfo's text pointer.
int32_t LangInfoByte(nl_item item, locale_t locale) {
  return static_cast<unsigned char>(*nl_langinfo_l(item, locale));
}
uint32_t LangInfoWord(nl_item item, locale_t locale) {
  union {
    const char* text;
    uint32_t word;
  } value{};
  value.text = nl_langinfo_l(item, locale);
  return value.word;
}

// The week rule of a locale: its "week" line gives the days of a week, a
// date (YYYYMMDD) whose weekday is day 1 of its weekday list and the least
// days of week 1; "first_weekday" counts from that day 1.
bool ReadWeekRule(locale_t locale, CalendarLocale& facts) {
  const int32_t days_per_week = LangInfoByte(_NL_TIME_WEEK_NDAYS, locale);
  const uint32_t list_start = LangInfoWord(_NL_TIME_WEEK_1STDAY, locale);
  const int32_t min_days = LangInfoByte(_NL_TIME_WEEK_1STWEEK, locale);
  const int32_t first_in_list = LangInfoByte(_NL_TIME_FIRST_WEEKDAY, locale);
  const int32_t year = static_cast<int32_t>(list_start / 10000);
  const int32_t month = static_cast<int32_t>(list_start / 100 % 100);
  const int32_t day = static_cast<int32_t>(list_start % 100);
  if (days_per_week != 7 || min_days < 1 || min_days > 7 || first_in_list < 1 ||
      first_in_list > 7 || year < 1583 || month < 1 || month > 12 || day < 1 || day > 31) {
    return false;
  }
  facts.first_weekday = (WeekdayOf(DaysFromCivil(year, month, day)) + first_in_list - 1) % 7;
  facts.min_days_in_first_week = min_days;
  return true;
}

// The caption names a month on its own, which languages such as Polish and
// Russian say otherwise than inside a date ("marzec 2024", not "marca"):
// the standalone form (%OB) where the C library and the locale have one,
// else the full name (%B).
void ReadMonthNames(locale_t locale, CalendarLocale& facts) {
  for (int month = 0; month < 12; ++month) {
    std::tm date{};
    date.tm_year = 2000 - 1900;
    date.tm_mon = month;
    date.tm_mday = 1;
    for (const char* format : {"%OB", "%B"}) {
      char name[128];
      const size_t length = strftime_l(name, sizeof name, format, &date, locale);
      const std::string text(name, length);
      // A C library without %OB leaves it as it is (or gives nothing); a
      // locale in a legacy code set gives bytes that are not our UTF-8 text.
      if (length > 0 && text.find('%') == std::string::npos && IsUtf8(text)) {
        facts.month_names[month] = text;
        break;
      }
    }
  }
}

bool IsPosixName(const std::string& name) {
  return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

}  // namespace

CalendarLocale CalendarLocale::Iso8601() {
  CalendarLocale facts;
  facts.month_names = kEnglishMonths;
  return facts;
}

std::optional<CalendarLocale> CalendarLocale::FromName(const std::string& name) {
  LocaleHandle locale(newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(nullptr)));
  if (!locale) return std::nullopt;
  CalendarLocale facts = Iso8601();
  ReadMonthNames(locale.get(), facts);
  // The C locale's week line is a placeholder (Sunday first, four days), not
  // a custom anyone keeps: it, and a malformed line, get ISO 8601 weeks.
  if (!IsPosixName(name) && !ReadWeekRule(locale.get(), facts)) {
    facts.first_weekday = 0;
    facts.min_days_in_first_week = 4;
  }
  return facts;
}

CalendarLocale CalendarLocale::FromProcess() {
  const char* name = setlocale(LC_TIME, nullptr);
  return FromName(name ? name : "C").value_or(Iso8601());
}

int32_t WeekOfYear(const CalendarLocale& locale, int64_t date_serial) {
  // First day of week 1 of a year: the week start on or before 1 January,
  // or the next one when fewer than min days of that week lie in January.
  const auto first_week_start = [&locale](int32_t year) {
    const int64_t january_first = DaysFromCivil(year, 1, 1);
    const int32_t into_week = (WeekdayOf(january_first) - locale.first_weekday + 7) % 7;
    const int64_t start = january_first - into_week;
    return 7 - into_week >= locale.min_days_in_first_week ? start : start + 7;
  };
  const CivilDateTime civil = CivilFromDate(static_cast<double>(date_serial));
  int64_t start = first_week_start(civil.year);
  if (date_serial < start) {
    start = first_week_start(civil.year - 1);
  } else if (date_serial >= first_week_start(civil.year + 1)) {
    return 1;
  }
  return static_cast<int32_t>((date_serial - start) / 7 + 1);
}

std::string MonthCaption(const CalendarLocale& locale, int64_t date_serial) {
  const CivilDateTime civil = CivilFromDate(static_cast<double>(date_serial));
  return locale.month_names[civil.month - 1] + " " + std::to_string(civil.year);
}

}  // namespace quindo
