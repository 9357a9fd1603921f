// quindo-editor: a desktop application for the record files of a data
// directory.
//
//   quindo-editor [--data-dir DIR] [--calendar FILE] [--select N] [--language FILE]
//                 [--receiver-types FILE] [--redundancy-role 0|1|2] [--screenshot FILE --quit-after MS]
//
// --receiver-types loads the receiver type table from the JSON that
// quindo-records reads. --select shows profile N once the directory is
// loaded (the first readable one otherwise). With a redundancy role of 1 or 2 a deleted profile is also written to the
// deleted-profiles log, for the redundant partner server.
//
// With --quit-after the editor waits for the directory to load, then for MS
// more milliseconds, saves the window as a PNG when --screenshot names a
// file, prints the selected profile and the list's size, and exits. Without
// a display it runs on the offscreen platform.

#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QPixmap>
#include <QTimer>

#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "json/receiver_json.h"
#include "model/profile/profile.h"
#include "tools/editor/editor_window.h"

namespace {

bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

void Finish(quindo::EditorWindow& window, const QString& screenshot) {
  int status = 0;
  if (!screenshot.isEmpty()) {
    if (window.grab().save(screenshot, "PNG")) {
      std::cout << "screenshot " << screenshot.toStdString() << '\n';
    } else {
      std::cerr << "quindo-editor: cannot save " << screenshot.toStdString() << std::endl;
      status = 1;
    }
  }
  std::cout << "profiles " << window.Directory().Size() << '\n';
  if (const quindo::cProfile* profile = window.SelectedProfile()) {
    std::cout << "selected " << profile->m_DiskIdentity << ' ' << profile->GetName()
              << (window.SelectedHasChanges() ? " (changed)" : "") << '\n';
  }
  std::cout << std::flush;
  QApplication::exit(status);
}

// The type table the receivers' types are chosen from; false (said on
// stderr) when the file is missing or no table.
bool LoadReceiverTypes(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    std::cerr << "quindo-editor: " << file.toStdString() << ": " << in.errorString().toStdString() << std::endl;
    return false;
  }
  const QByteArray bytes = in.readAll();
  try {
    quindo::LoadReceiverTypesFromJson(nlohmann::json::parse(bytes.begin(), bytes.end()));
  } catch (const std::exception& e) {
    std::cerr << "quindo-editor: " << file.toStdString() << ": " << e.what() << std::endl;
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quindo-editor"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Edits the profile files of a data directory."));
  parser.addHelpOption();
  const QCommandLineOption dir_option(QStringLiteral("data-dir"), QStringLiteral("Data directory to open."),
                                      QStringLiteral("DIR"));
  const QCommandLineOption calendar_option(QStringLiteral("calendar"),
                                           QStringLiteral("Calendar file shown beside the week chart."),
                                           QStringLiteral("FILE"));
  const QCommandLineOption language_option(QStringLiteral("language"), QStringLiteral("Language file."),
                                           QStringLiteral("FILE"), QStringLiteral(QUINDO_LANGUAGE_FILE));
  const QCommandLineOption screenshot_option(QStringLiteral("screenshot"),
                                             QStringLiteral("Save the window as a PNG (with --quit-after)."),
                                             QStringLiteral("FILE"));
  const QCommandLineOption quit_option(QStringLiteral("quit-after"),
                                       QStringLiteral("Exit MS milliseconds after the directory loaded."),
                                       QStringLiteral("MS"));
  const QCommandLineOption role_option(QStringLiteral("redundancy-role"),
                                      QStringLiteral("1 or 2: log deletions for the redundant partner."),
                                      QStringLiteral("N"), QStringLiteral("0"));
  const QCommandLineOption select_option(QStringLiteral("select"),
                                        QStringLiteral("Profile to show once the directory is loaded."),
                                        QStringLiteral("N"));
  const QCommandLineOption types_option(QStringLiteral("receiver-types"),
                                       QStringLiteral("Receiver type table (JSON)."), QStringLiteral("FILE"));
  parser.addOptions({dir_option, calendar_option, select_option, language_option, types_option, role_option,
                     screenshot_option, quit_option});
  parser.process(app);

  try {
    quindo::LoadLanguageFile(parser.value(language_option).toStdString());
  } catch (const quindo::Error& e) {
    std::cerr << "quindo-editor: language file not loaded: " << e.Description() << std::endl;
  }

  bool role_ok = false;
  const int role = parser.value(role_option).toInt(&role_ok);
  if (!role_ok || role < 0 || role > 2) parser.showHelp(2);
  quindo::RedundancyRole() = static_cast<int16_t>(role);

  if (parser.isSet(types_option) && !LoadReceiverTypes(parser.value(types_option))) return 2;

  quindo::EditorWindow window;
  window.show();
  if (parser.isSet(calendar_option)) window.OpenCalendar(parser.value(calendar_option));
  if (parser.isSet(select_option)) {
    const auto identity = static_cast<int16_t>(parser.value(select_option).toInt());
    QObject::connect(&window, &quindo::EditorWindow::directoryLoaded, &window,
                     [&window, identity] { window.SelectProfile(identity); });
  }
  if (parser.isSet(dir_option)) window.OpenDirectory(parser.value(dir_option));

  if (parser.isSet(quit_option)) {
    const int ms = parser.value(quit_option).toInt();
    const QString screenshot = parser.value(screenshot_option);
    auto finish_later = [&window, ms, screenshot] {
      QTimer::singleShot(ms, &window, [&window, screenshot] { Finish(window, screenshot); });
    };
    if (window.Loading()) {
      QObject::connect(&window, &quindo::EditorWindow::directoryLoaded, &window, finish_later);
    } else {
      finish_later();
    }
  }
  return QApplication::exec();
}
