#include "calendar_render_command.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>

#include <QGuiApplication>
#include <QImage>

#include "common/dates.h"
#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "holiday_rules_json.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_locale.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_rules.h"
#include "model/profile/profile.h"
#include "png_file.h"
#include "profile_json.h"
#include "qt/calendar_image.h"
#include "qt/day_type_names.h"

namespace quindo::records {

const char* const kCalendarRenderUsage = R"(  quindo-records calendar render FILE --month YYYY-MM --png OUT
                 [--profile ID [--data-dir DIR]] [--holidays RULES] [--today YYYY-MM-DD]
                 [--language FILE] [--read-only]
      Draws month YYYY-MM (2000-01..2039-12) of calendar file FILE as the
      month view shows it onto a 320 x 180 image and saves it as PNG file
      OUT. With --profile each date also shows the periods of that profile's
      time schedule. With --holidays the holidays of rules file RULES that
      are to be shown in calendars get the holiday strip; the day types
      drawn stay those of FILE. Today (default: the current date) gets the
      today strip; week numbers and month names follow the locale (LC_TIME).
      OUT is saved as record files are: a failure (status 1) leaves an
      earlier OUT as it was.
)";

namespace {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RenderOptions {
  std::string file;
  int year = 0;
  int month = 0;
  std::string png;
  std::optional<int16_t> profile;
  std::string data_dir;
  std::string language;
  std::string holidays;
  std::optional<double> today;
  bool read_only = false;
};

// Whole digits only, within the bounds; anything else is a usage error.
int Digits(const std::string& text, size_t from, size_t count, const std::string& what) {
  if (from + count > text.size()) throw UsageError(what);
  int value = 0;
  for (size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') throw UsageError(what);
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

RenderOptions Parse(const std::vector<std::string>& args) {
  RenderOptions options;
  bool have_month = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--month") {
      const std::string& text = value();
      const std::string what = "--month must be YYYY-MM in 2000-01..2039-12, not \"" + text + "\"";
      if (text.size() != 7 || text[4] != '-') throw UsageError(what);
      options.year = Digits(text, 0, 4, what);
      options.month = Digits(text, 5, 2, what);
      // The calendar holds 2000..2039 only; another month cannot be drawn.
      if (options.month < 1 || options.month > 12 || options.year < kFirstCalendarYear ||
          options.year > kLastCalendarYear) {
        throw UsageError(what);
      }
      have_month = true;
    } else if (arg == "--png") {
      options.png = value();
    } else if (arg == "--read-only") {
      options.read_only = true;
    } else if (arg == "--profile") {
      const std::string& text = value();
      const std::string what = "--profile must be a number in 0..9999, not \"" + text + "\"";
      if (text.empty() || text.size() > 4) throw UsageError(what);
      options.profile = static_cast<int16_t>(Digits(text, 0, text.size(), what));
    } else if (arg == "--data-dir") {
      options.data_dir = value();
    } else if (arg == "--holidays") {
      options.holidays = value();
    } else if (arg == "--language") {
      options.language = value();
    } else if (arg == "--today") {
      const std::string& text = value();
      const std::string what = "--today must be a date YYYY-MM-DD, not \"" + text + "\"";
      if (text.size() != 10 || text[4] != '-' || text[7] != '-') throw UsageError(what);
      const int year = Digits(text, 0, 4, what), month = Digits(text, 5, 2, what);
      const int day = Digits(text, 8, 2, what);
      if (!IsRealDate(year, month, day)) throw UsageError(what);
      options.today = static_cast<double>(DaysFromCivil(year, month, day));
    } else if (!arg.starts_with("-") && options.file.empty()) {
      options.file = arg;
    } else {
      throw UsageError("unexpected argument \"" + arg + "\"");
    }
  }
  if (options.file.empty()) throw UsageError("missing calendar FILE");
  if (!have_month) throw UsageError("missing --month YYYY-MM");
  if (options.png.empty()) throw UsageError("missing --png OUT");
  if (!options.data_dir.empty() && !options.profile) throw UsageError("--data-dir needs --profile");
  return options;
}

int Render(const RenderOptions& options) {
  cCalendar calendar;
  if (!calendar.ReadFromDisk(options.file)) {
    std::cerr << "quindo-records: no calendar file " << options.file << '\n';
    return 1;
  }
  cProfile profile;
  if (options.profile) {
    if (!options.data_dir.empty()) {
      DataDirectory() = options.data_dir.ends_with('/') ? options.data_dir : options.data_dir + "/";
    }
    if (options.read_only) RewriteOldVersionsOnLoad() = false;
    if (!profile.LoadFromDisk(*options.profile)) {
      std::cerr << "quindo-records: " << profile.CreateFileName(*options.profile) << ": not loaded\n";
      return 1;
    }
    calendar.m_AssociatedTimeSchedule = profile.m_TimeSchedule;
    calendar.m_ShowTimeAxis = -1;
  }
  calendar.m_SelectedYear = options.year;
  calendar.m_SelectedMonth = options.month;
  FillDayTypeNamesFromLanguage();
  const QImage image =
      RenderCalendarMonth(calendar, CalendarLocale::FromProcess(), options.today.value_or(Now()));
  try {
    SavePngFile(image, options.png);
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << options.png << ": " << e.Description() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

int RunCalendarRender(const std::vector<std::string>& args,
                      const std::function<void(const std::string&)>& load_language) {
  RenderOptions options;
  try {
    options = Parse(args);
    load_language(options.language);
  } catch (const UsageError& e) {
    std::cerr << "quindo-records: calendar render: " << e.what() << "\nTry 'quindo-records --help'.\n";
    return 2;
  } catch (const Error& e) {
    std::cerr << "quindo-records: language file " << options.language << ": " << e.Description() << '\n';
    return 2;
  }
  // Read before anything is drawn: bad rules write no image.
  if (!options.holidays.empty()) {
    try {
      LoadHolidayLabels(ReadHolidayRulesFile(options.holidays));
    } catch (const InputError& e) {
      std::cerr << "quindo-records: " << e.what() << '\n';
      return 2;
    }
  }

  // Text needs a GUI application; no display is needed to draw an image.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "quindo-records";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);  // also takes the user's locale (LC_TIME)
  try {
    return Render(options);
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << options.file << ": Err:" << e.Number() << " " << e.Description() << '\n';
    return 1;
  }
}

}  // namespace quindo::records
