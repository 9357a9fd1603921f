// quindo-sim: an alarm-server simulator for the control, the demo's server
// and the integration tests' peer.
//
//   quindo-sim [--listen ADDR] [--port N] [--data-dir DIR | --sample N] [--level L]
//
// Without a directory it serves a built-in sample of profiles (12 unless
// --sample says otherwise); with --data-dir it serves the profile files there
// and saves enable/disable changes to them (an empty directory is seeded with
// the sample). --port 0 picks a free port; the first output line is always
// "listening ADDR PORT". Commands on standard input, one per line:
//   remove N   type 211 for N to every client; N is no longer served
//   report N   type 210 for profile N to every client
//   add N NAME [enabled]
//              serves a new profile N (1..9991, disabled unless the last
//              word is "enabled") and reports it to every client
//   list       "profiles N", then N lines NUMBER<TAB>ENABLED<TAB>NAME
//   quit       exits
// End of input does not stop the simulator, so it can run in the background.

#include <iostream>
#include <memory>
#include <string>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

#include "common/error.h"
#include "common/language.h"
#include "model/profile/profile.h"
#include "model/profile/sample_profiles.h"
#include "qt/line_reader.h"
#include "tools/sim/profile_store.h"
#include "tools/sim/sim_server.h"

namespace {

constexpr int kDefaultSampleCount = 12;
constexpr int kMostProfiles = 9991;  // four digits in the file name
constexpr quint16 kDefaultPort = 58658;
constexpr int16_t kDefaultLevel = 8;

// add N NAME [enabled]: the answer line.
std::string AddProfile(int number, QStringList name_words, quindo::SimServer& server, quindo::ProfileStore& store) {
  if (number < 1 || number > kMostProfiles) return "error: a profile number is 1 to 9991";
  const bool enabled = name_words.size() > 1 && name_words.last() == QLatin1String("enabled");
  if (enabled) name_words.removeLast();
  auto profile = std::make_unique<quindo::cProfile>();
  profile->m_DiskIdentity = static_cast<int16_t>(number);
  profile->m_Enabled = enabled ? -1 : 0;
  profile->SetName(name_words.join(QLatin1Char(' ')).toStdString());
  profile->m_TimeSchedule = std::make_shared<quindo::cTimeSchedule>();
  if (!store.Add(std::move(profile))) return "error: profile " + std::to_string(number) + " exists or cannot be saved";
  server.ReportProfile(number);
  return "ok";
}

// Runs one command line of standard input; false for quit.
bool RunCommand(const QString& line, quindo::SimServer& server, quindo::ProfileStore& store) {
  const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  const QString command = words.value(0);
  bool number_ok = false;
  const int number = words.value(1).toInt(&number_ok);
  if (command == QLatin1String("quit")) {
    std::cout << "bye" << std::endl;
    return false;
  } else if (command == QLatin1String("list")) {
    const auto all = store.All();
    std::cout << "profiles " << all.size() << '\n';
    for (const quindo::cProfile* profile : all) {
      std::cout << profile->m_DiskIdentity << '\t' << (profile->m_Enabled != 0 ? 1 : 0) << '\t'
                << profile->GetName() << '\n';
    }
    std::cout << std::flush;
  } else if (command == QLatin1String("remove") && words.size() == 2 && number_ok) {
    try {
      server.RemoveProfile(number);
      std::cout << "ok" << std::endl;
    } catch (const quindo::Error& e) {
      std::cout << "error: " << e.Description() << std::endl;
    }
  } else if (command == QLatin1String("report") && words.size() == 2 && number_ok) {
    std::cout << (server.ReportProfile(number) ? "ok" : "error: no such profile") << std::endl;
  } else if (command == QLatin1String("add") && words.size() >= 3 && number_ok) {
    std::cout << AddProfile(number, words.mid(2), server, store) << std::endl;
  } else {
    std::cout << "error: unknown command" << std::endl;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("quindo-sim"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Alarm-server simulator for the profile control.\n"
      "Commands on standard input: remove N, report N, add N NAME [enabled], list, quit."));
  parser.addHelpOption();
  const QCommandLineOption listen_option(QStringLiteral("listen"), QStringLiteral("Address to listen on."),
                                         QStringLiteral("ADDR"), QStringLiteral("127.0.0.1"));
  const QCommandLineOption port_option(QStringLiteral("port"), QStringLiteral("TCP port, 0 for any free one."),
                                       QStringLiteral("N"), QString::number(kDefaultPort));
  const QCommandLineOption dir_option(QStringLiteral("data-dir"),
                                      QStringLiteral("Serve the profile files of this directory."),
                                      QStringLiteral("DIR"));
  const QCommandLineOption sample_option(QStringLiteral("sample"),
                                         QStringLiteral("Number of built-in sample profiles."),
                                         QStringLiteral("N"), QString::number(kDefaultSampleCount));
  const QCommandLineOption level_option(QStringLiteral("level"), QStringLiteral("Protocol level of the greeting."),
                                        QStringLiteral("L"), QString::number(kDefaultLevel));
  parser.addOptions({listen_option, port_option, dir_option, sample_option, level_option});
  parser.process(app);

  // Each refusal says which value and why.
  const auto refuse = [](const QCommandLineOption& option, const QString& value, const char* why) {
    std::cerr << "quindo-sim: --" << option.names().first().toStdString() << " " << value.toStdString() << ": "
              << why << std::endl;
    return 2;
  };
  bool ok = true;
  const QHostAddress address(parser.value(listen_option));
  if (address.isNull()) return refuse(listen_option, parser.value(listen_option), "not an IP address");
  const uint port = parser.value(port_option).toUInt(&ok);
  if (!ok || port > 65535) return refuse(port_option, parser.value(port_option), "a port is 0 (any free one) to 65535");
  const int sample_count = parser.value(sample_option).toInt(&ok);
  if (!ok || sample_count < 0) return refuse(sample_option, parser.value(sample_option), "not a number of profiles");
  if (sample_count > kMostProfiles) return refuse(sample_option, parser.value(sample_option), "at most 9 991 profiles");
  const int level = parser.value(level_option).toInt(&ok);
  if (!ok || level < -32768 || level > 32767) {
    return refuse(level_option, parser.value(level_option), "a level is a 16-bit number, -32768 to 32767");
  }

  quindo::SetReportErrorHandler([](const std::string& message) { std::cerr << message << std::endl; });

  quindo::ProfileStore store;
  try {
    if (parser.isSet(dir_option)) {
      store.LoadDirectory(parser.value(dir_option).toStdString(), quindo::MakeSampleProfiles(sample_count));
    } else {
      store.Adopt(quindo::MakeSampleProfiles(sample_count));
    }
  } catch (const std::exception& e) {
    std::cerr << "quindo-sim: " << e.what() << std::endl;
    return 1;
  }

  quindo::SimServer server(store, static_cast<int16_t>(level), std::cout);
  if (!server.Listen(address, static_cast<quint16>(port))) {
    std::cerr << "quindo-sim: cannot listen on " << address.toString().toStdString() << ":" << port << ": "
              << server.ErrorString().toStdString() << std::endl;
    return 1;
  }
  std::cout << "listening " << address.toString().toStdString() << " " << server.Port() << std::endl;

  quindo::LineReader reader;
  QObject::connect(&reader, &quindo::LineReader::lineRead, &app, [&](const QString& line) {
    if (!RunCommand(line, server, store)) QCoreApplication::exit(0);
  });
  reader.Start();
  return app.exec();
}
