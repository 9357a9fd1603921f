// quindo-demo: a small desktop host of the profile control.
//
//   quindo-demo [--screenshot FILE [--schedule-screenshot FILE] [--calendar-screenshot FILE]
//                --quit-after MS] [--holidays RULES]
//               /ServerAddress:HOST /ServerPort:PORT
//
// The control reads /ServerAddress: and /ServerPort: from the command line
// itself. With --quit-after the demo saves the window as a PNG (when
// --screenshot names a file, and the week chart beside the tree when
// --schedule-screenshot does, and the month calendar when
// --calendar-screenshot does), prints the link state and the tree as text on
// stdout, and exits. Without a display it runs on the offscreen platform.
// With --holidays the calendar takes the day types of holiday rules file
// RULES (data/holidays/sample-rules.json is one) and shows their labels.

#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include "common/error.h"
#include "common/language.h"
#include "qt/active_profiles_widget.h"
#include "holiday_rules_json.h"
#include "profile_json.h"
#include "qt/calendar_view.h"
#include "tools/demo/demo_window.h"
#include "tools/demo/schedule_pane.h"

namespace {

struct Options {
  QString screenshot;
  QString schedule_screenshot;  // the week chart alone
  QString calendar_screenshot;  // the month calendar alone
  QString holidays;             // a holiday rules file
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
    }
  }
  return options;
}

bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  const Options options = ParseOptions(QApplication::arguments());
  quindo::SetReportErrorHandler([](const std::string& message) { std::cerr << message << std::endl; });
  // Day-type labels of the week chart; without the file the rows go unlabelled.
  try {
    quindo::LoadLanguageFile(QUINDO_LANGUAGE_FILE);
  } catch (const quindo::Error&) {
  }

  try {
    quindo::DemoWindow window;
    if (!options.holidays.isEmpty()) {
      try {
        const std::string rules = options.holidays.toStdString();
        window.Calendar().ApplyHolidayRules(quindo::records::ReadHolidayRulesFile(rules));
      } catch (const quindo::records::InputError& e) {
        std::cerr << "quindo-demo: " << e.what() << std::endl;
        return 2;
      }
    }
    window.show();

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
        std::cout << "IsConnectedToServer " << window.Profiles().IsConnectedToServer() << '\n'
                  << window.TreeAsText().toStdString() << std::flush;
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
