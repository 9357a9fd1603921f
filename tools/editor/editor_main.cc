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
// The language file is by default the one shipped with the program
// (share/quindo/language/english.txt beside its bin/ folder, or the build
// tree's copy; QUINDO_DATA_DIR names another folder holding language/).
//
// With --quit-after the editor waits for the directory to load, then for MS
// more milliseconds, saves the window as a PNG when --screenshot names a
// file, prints the language file it loaded, the selected profile and the
// list's size, and exits. Without a display it runs on the offscreen
// platform.

#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QCommandLineParser>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/shipped_files.h"
#include "json/receiver_json.h"
#include "model/profile/profile.h"
#include "tools/editor/editor_window.h"

namespace {

bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

// The icon's PNGs built into the program, every size.
QIcon BuiltInIcon() {
  QIcon icon;
  for (QDirIterator it(QStringLiteral(":/icons"), QDirIterator::Subdirectories); it.hasNext();) {
    const QString file = it.next();
    if (file.endsWith(QLatin1String(".png"))) icon.addFile(file);
  }
  return icon;
}

void Finish(quindo::EditorWindow& window, const QString& screenshot, const QString& language) {
  int status = 0;
  if (!screenshot.isEmpty()) {
    if (window.grab().save(screenshot, "PNG")) {
      std::cout << "screenshot " << screenshot.toStdString() << '\n';
    } else {
      std::cerr << "quindo-editor: cannot save " << screenshot.toStdString() << std::endl;
      status = 1;
    }
  }
  std::cout << "language " << (language.isEmpty() ? "built-in" : language.toStdString()) << '\n';
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
  // The desktop entry and icon that the install puts under share/.
  QGuiApplication::setDesktopFileName(QStringLiteral("quindo-editor"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quindo-editor"), BuiltInIcon()));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Edits the profile files of a data directory."));
  parser.addHelpOption();
  const QCommandLineOption dir_option(QStringLiteral("data-dir"), QStringLiteral("Data directory to open."),
                                      QStringLiteral("DIR"));
  const QCommandLineOption calendar_option(QStringLiteral("calendar"),
                                           QStringLiteral("Calendar file shown beside the week chart."),
                                           QStringLiteral("FILE"));
  const QCommandLineOption language_option(
      QStringLiteral("language"), QStringLiteral("Language file (default: the one shipped with the program)."),
      QStringLiteral("FILE"), QString::fromStdString(quindo::FindShippedLanguageFile().value_or(std::string())));
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
  const QCommandLineOption tab_option(QStringLiteral("tab"),
                                     QStringLiteral("Tab to show once the directory is loaded (Agenda, ...)."),
                                     QStringLiteral("NAME"));
  const QCommandLineOption types_option(QStringLiteral("receiver-types"),
                                       QStringLiteral("Receiver type table (JSON)."), QStringLiteral("FILE"));
  parser.addOptions({dir_option, calendar_option, select_option, tab_option, language_option, types_option,
                     role_option, screenshot_option, quit_option});
  parser.process(app);

  // Without a language file the views still show their built-in English texts.
  QString language = parser.value(language_option);
  if (language.isEmpty()) {
    std::cerr << "quindo-editor: no language file found (in QUINDO_DATA_DIR when set, else in share/quindo "
                 "beside the program); the views show their built-in English texts"
              << std::endl;
  } else {
    try {
      quindo::LoadLanguageFile(language.toStdString());
    } catch (const quindo::Error& e) {
      std::cerr << "quindo-editor: language file not loaded: " << e.Description() << std::endl;
      language.clear();
    }
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
  if (parser.isSet(tab_option)) {
    const QString tab = parser.value(tab_option);
    QObject::connect(&window, &quindo::EditorWindow::directoryLoaded, &window, [&window, tab] {
      for (int i = 0; i < window.Tabs()->count(); ++i) {
        if (window.Tabs()->tabText(i) == tab) window.Tabs()->setCurrentIndex(i);
      }
    });
  }
  if (parser.isSet(dir_option)) window.OpenDirectory(parser.value(dir_option));

  if (parser.isSet(quit_option)) {
    const int ms = parser.value(quit_option).toInt();
    const QString screenshot = parser.value(screenshot_option);
    auto finish_later = [&window, ms, screenshot, language] {
      QTimer::singleShot(ms, &window, [&window, screenshot, language] { Finish(window, screenshot, language); });
    };
    if (window.Loading()) {
      QObject::connect(&window, &quindo::EditorWindow::directoryLoaded, &window, finish_later);
    } else {
      finish_later();
    }
  }
  return QApplication::exec();
}
