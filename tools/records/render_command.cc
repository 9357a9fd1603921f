#include "render_command.h"

#include <cstdlib>
#include <iostream>
#include <optional>

#include <QGuiApplication>
#include <QImage>

#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "model/profile/profile.h"
#include "model/schedule/time_schedule.h"
#include "qt/day_type_names.h"
#include "png_file.h"
#include "qt/schedule_image.h"

namespace quindo::records {

const char* const kRenderUsage = R"(  quindo-records profile render ID --png FILE [OPTIONS] [--view-day-types] [--read-only]
      Draws the week chart of profile file ID into a PNG file as the schedule
      view shows it: 320 x (25 x rows + 4) pixels, labels and images of the
      special day types included; --view-day-types also prints the day-type
      names over the rows. Needs no display. FILE is saved as record files
      are: a failure (status 1) leaves an earlier FILE as it was.
)";

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct RenderOptions {
  std::optional<int16_t> id;
  std::string png;
  std::string data_dir;
  std::string language;
  bool view_day_types = false;
  bool read_only = false;
};

// Returns an error text for bad usage, empty when the options are complete.
std::string Parse(const std::vector<std::string>& args, RenderOptions& options) {
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--png" || arg == "--data-dir" || arg == "--language") {
      if (!has_value) return arg + " needs a value";
      std::string& target = arg == "--png"        ? options.png
                            : arg == "--data-dir" ? options.data_dir
                                                  : options.language;
      target = args[++i];
    } else if (arg == "--view-day-types") {
      options.view_day_types = true;
    } else if (arg == "--read-only") {
      options.read_only = true;
    } else if (!arg.starts_with("-") && !options.id) {
      char* end = nullptr;
      const long id = std::strtol(arg.c_str(), &end, 10);
      if (*end != '\0' || id < 0 || id > 9999) return "ID must be a number in 0..9999, not \"" + arg + "\"";
      options.id = static_cast<int16_t>(id);
    } else {
      return "unexpected argument \"" + arg + "\"";
    }
  }
  if (!options.id) return "missing ID";
  if (options.png.empty()) return "missing --png FILE";
  return {};
}

}  // namespace

int RunProfileRender(const std::vector<std::string>& args, void (*load_language)(const std::string& named)) {
  RenderOptions options;
  if (const std::string error = Parse(args, options); !error.empty()) {
    std::cerr << "quindo-records: " << error << "\nTry 'quindo-records --help'.\n";
    return kExitUsage;
  }
  try {
    load_language(options.language);
  } catch (const Error& e) {
    std::cerr << "quindo-records: language file " << options.language << ": " << e.Description() << '\n';
    return kExitUsage;
  }
  if (!options.data_dir.empty()) {
    DataDirectory() = options.data_dir.ends_with('/') ? options.data_dir : options.data_dir + "/";
  }
  SetReportErrorHandler([](const std::string& message) { std::cerr << message << '\n'; });
  if (options.read_only) RewriteOldVersionsOnLoad() = false;

  // Fonts need a GUI application; the offscreen platform needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char program[] = "quindo-records";
  char* argv[] = {program, nullptr};
  QGuiApplication app(argc, argv);

  cProfile profile;
  if (!profile.LoadFromDisk(*options.id)) {
    std::cerr << profile.CreateFileName(*options.id) << ": not loaded\n";
    return kExitFailed;
  }
  FillDayTypeNamesFromLanguage();
  try {
    ScheduleImageRenderer renderer(options.view_day_types);
    const QImage& image = renderer.Render(*profile.m_TimeSchedule);
    try {
      SavePngFile(image, options.png);
    } catch (const Error& e) {
      std::cerr << "quindo-records: " << options.png << ": " << e.Description() << '\n';
      return kExitFailed;
    }
    std::cout << options.png << ' ' << image.width() << 'x' << image.height() << '\n';
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << e.Description() << '\n';
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace quindo::records
