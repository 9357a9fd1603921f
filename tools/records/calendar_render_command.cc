// calendar render: a month of a calendar file as a PNG, drawn by the month
// view's own painting.

#include <memory>
#include <optional>

#include "arguments.h"
#include "calendar_files.h"
#include "command.h"
#include "common/dates.h"
#include "common/settings.h"
#include "json/holiday_rules_json.h"
#include "messages.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_locale.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_rules.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "png_file.h"
#include "qt/calendar_image.h"
#include "qt/day_type_names.h"
#include "stored_records.h"

namespace quindo::records {
namespace {

// "YYYY-MM" of 2000-01..2039-12: the months the calendar holds.
std::pair<int, int> MonthArgument(const std::string& text) {
  const auto digits = [&](size_t from, size_t count) {
    return text.substr(from, count).find_first_not_of("0123456789") == std::string::npos;
  };
  const bool shaped = text.size() == 7 && text[4] == '-' && digits(0, 4) && digits(5, 2);
  const int year = shaped ? std::stoi(text.substr(0, 4)) : 0;
  const int month = shaped ? std::stoi(text.substr(5, 2)) : 0;
  if (month < 1 || month > 12 || year < kFirstCalendarYear || year > kLastCalendarYear) {
    throw UsageError("--month must be YYYY-MM in 2000-01..2039-12, not \"" + text + "\"");
  }
  return {year, month};
}

// Today as a date serial: --today's date, a real date of any year.
double TodayArgument(const std::string& text) {
  const auto digits = [&](size_t from, size_t count) {
    return text.substr(from, count).find_first_not_of("0123456789") == std::string::npos;
  };
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && digits(0, 4) && digits(5, 2) &&
                      digits(8, 2);
  const int year = shaped ? std::stoi(text.substr(0, 4)) : 0;
  const int month = shaped ? std::stoi(text.substr(5, 2)) : 0;
  const int day = shaped ? std::stoi(text.substr(8, 2)) : 0;
  if (!shaped || !IsRealDate(year, month, day)) {
    throw UsageError("--today must be a date YYYY-MM-DD, not \"" + text + "\"");
  }
  return static_cast<double>(DaysFromCivil(year, month, day));
}

int CalendarRender(const Invocation& in) {
  if (in.Value("--month") == nullptr) throw UsageError("missing --month YYYY-MM");
  if (in.Value("--png") == nullptr) throw UsageError("missing --png OUT");
  const auto [year, month] = MonthArgument(*in.Value("--month"));
  const double today = in.Value("--today") ? TodayArgument(*in.Value("--today")) : Now();
  std::optional<int16_t> profile_identity;
  if (in.Value("--profile")) profile_identity = IdentityArgument(*in.Value("--profile"), "--profile");
  // Read before anything is drawn: bad rules write no image.
  if (const std::string* rules = in.Value("--holidays")) LoadHolidayLabels(ReadHolidayRulesFile(*rules));

  const RenderingApplication application;
  const std::unique_ptr<cCalendar> calendar = LoadCalendar(in.operands[0], kExitFailed);
  cProfile profile;
  if (profile_identity) {
    LoadStoredRecord("profile", ProfilesDirectory(), profile, *profile_identity);
    calendar->m_AssociatedTimeSchedule = profile.m_TimeSchedule;
    calendar->m_ShowTimeAxis = -1;
  }
  calendar->m_SelectedYear = year;
  calendar->m_SelectedMonth = month;
  FillDayTypeNamesFromLanguage();
  WritePng(RenderCalendarMonth(*calendar, CalendarLocale::FromProcess(), today), *in.Value("--png"));
  return kExitDone;
}

}  // namespace

Command CalendarRenderCommand() {
  return {"calendar render",
          "FILE --month YYYY-MM --png OUT|- [--profile ID] [--holidays RULES]\n"
          "                 [--today YYYY-MM-DD] [--read-only]",
          R"(Draws month YYYY-MM (2000-01..2039-12) of calendar file FILE as the
month view shows it onto a 320 x 180 image and saves it as PNG file
OUT (- writes it to standard output). With --profile each date also
shows the periods of that profile's time schedule (from --data-dir).
With --holidays the holidays of rules file RULES that are to be shown
in calendars get the holiday strip; the day types drawn stay those of
FILE. Today (default: the current date) gets the today strip; week
numbers and month names follow the locale (LC_TIME). OUT is saved as
record files are: a failure (status 1) leaves an earlier OUT as it was.
Says OUT WIDTHxHEIGHT on standard error.
)",
          {"--month", "--png", "--profile", "--holidays", "--today", "--read-only"}, 1, 1, CalendarRender};
}

}  // namespace quindo::records
