// quindo-demo: a small desktop host of the profile control; --help prints
// its options (kUsage below).

#include <cstdlib>
#include <cstring>
#include <iostream>

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include "common/error.h"
#include "common/language.h"
#include "common/shipped_files.h"
#include "json/holiday_rules_json.h"
#include "qt/active_profiles_widget.h"
#include "qt/calendar_view.h"
#include "tools/demo/demo_window.h"
#include "tools/demo/schedule_pane.h"

namespace {

constexpr char kUsage[] = R"usage(Usage: quindo-demo [options] /ServerAddress:HOST /ServerPort:PORT

A desktop host of the profile control: the server's profiles as a live tree
(Ctrl-click or Ctrl+Space asks the server to enable or disable one), the
selected profile's sample week chart and a month calendar. The control reads
/ServerAddress: and /ServerPort: itself; Apply switches servers at once.

Options:
  --holidays RULES            the calendar takes the day types of a holiday
                              rules file (data/holidays/sample-rules.json)
  --toggle NAME               asks the server to flip profile NAME, as a host
                              would, --toggle-after MS after the start (1500)
  --quit-after MS             after MS ms: saves the screenshots asked for,
                              prints the link state, the tree (key, [x] enabled
                              or [ ] disabled, name, and "(waiting for the
                              server)" for a request without its report yet),
                              the control's reason line and status line, and exits
  --screenshot FILE           the window as a PNG (with --quit-after)
  --schedule-screenshot FILE  the week chart alone
  --calendar-screenshot FILE  the month calendar alone
  --help                      this text

Without a display the demo runs on the offscreen platform.
)usage";

struct Options {
  QString screenshot;
  QString schedule_screenshot;  // the week chart alone
  QString calendar_screenshot;  // the month calendar alone
  QString holidays;             // a holiday rules file
  QString toggle;               // a profile to flip
  int toggle_after_ms = 1500;
  int quit_after_ms = -1;
};

// Our options; everything else belongs to the control (or to Qt).
Options ParseOptions(const QStringList& arguments) {
  Options options;
  for (int i = 1; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--screenshot")) {
      options.screenshot = arguments[++i];
    } else if (arguments[i] == QLatin1String("--schedule-screenshot")) {
      options.schedule_screenshot = arguments[++i];
    } else if (arguments[i] == QLatin1String("--calendar-screenshot")) {
      options.calendar_screenshot = arguments[++i];
    } else if (arguments[i] == QLatin1String("--holidays")) {
      options.holidays = arguments[++i];
    } else if (arguments[i] == QLatin1String("--quit-after")) {
      options.quit_after_ms = arguments[++i].toInt();
    } else if (arguments[i] == QLatin1String("--toggle")) {
      options.toggle = arguments[++i];
    } else if (arguments[i] == QLatin1String("--toggle-after")) {
      options.toggle_after_ms = arguments[++i].toInt();
    }
  }
  return options;
}

bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
  }
  if (!HasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  const Options options = ParseOptions(QApplication::arguments());
  quindo::SetReportErrorHandler([](const std::string& message) { std::cerr << message << std::endl; });
  // The shipped texts; without them the views show their built-in English.
  if (const auto language = quindo::FindShippedLanguageFile()) {
    try {
      quindo::LoadLanguageFile(*language);
    } catch (const quindo::Error& e) {
      std::cerr << "quindo-demo: " << *language << ": " << e.Description() << std::endl;
    }
  }

  try {
    quindo::DemoWindow window;
    if (!options.holidays.isEmpty()) {
      try {
        const std::string rules = options.holidays.toStdString();
        window.Calendar().ApplyHolidayRules(quindo::ReadHolidayRulesFile(rules));
      } catch (const quindo::JsonInputError& e) {
        std::cerr << "quindo-demo: " << e.what() << std::endl;
        return 2;
      }
    }
    window.show();
    if (!options.toggle.isEmpty()) {
      QTimer::singleShot(options.toggle_after_ms, &window, [&] { window.Toggle(options.toggle); });
    }

    if (options.quit_after_ms >= 0) {
      QTimer::singleShot(options.quit_after_ms, &window, [&] {
        if (!options.screenshot.isEmpty()) {
          if (window.grab().save(options.screenshot, "PNG")) {
            std::cout << "screenshot " << options.screenshot.toStdString() << '\n';
          } else {
            std::cerr << "quindo-demo: cannot save " << options.screenshot.toStdString() << std::endl;
          }
        }
        if (!options.schedule_screenshot.isEmpty()) {
          if (window.Schedule().grab().save(options.schedule_screenshot, "PNG")) {
            std::cout << "screenshot " << options.schedule_screenshot.toStdString() << '\n';
          } else {
            std::cerr << "quindo-demo: cannot save " << options.schedule_screenshot.toStdString() << std::endl;
          }
        }
        if (!options.calendar_screenshot.isEmpty()) {
          if (window.Calendar().grab().save(options.calendar_screenshot, "PNG")) {
            std::cout << "screenshot " << options.calendar_screenshot.toStdString() << '\n';
          } else {
            std::cerr << "quindo-demo: cannot save " << options.calendar_screenshot.toStdString() << std::endl;
          }
        }
        std::cout << window.StateAsText().toStdString() << std::flush;
        QApplication::quit();
      });
    }
    return QApplication::exec();
  } catch (const std::exception& e) {
    // The control could not be created.
    std::cerr << "quindo-demo: " << e.what() << std::endl;
    return 1;
  }
}
