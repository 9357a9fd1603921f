// quindo-client: the control without a display. The control runs with
// in-memory tree and label, the real Qt socket and timer, and takes its
// server from the command line (/ServerAddress:HOST /ServerPort:PORT);
// commands come on standard input, answers go to standard output. --help
// lists the commands.

#include <iostream>
#include <string>

#include <QCoreApplication>

#include "common/language.h"
#include "control/active_profiles.h"
#include "control/memory_tree_view.h"
#include "control/memory_window.h"
#include "qt/control_binding.h"
#include "qt/line_reader.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"
#include "tools/client/client_options.h"
#include "tools/client/client_shell.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const quindo::ClientOptions options = quindo::ParseClientOptions(QCoreApplication::arguments());
  if (options.help) {
    std::cout << quindo::ClientUsage();
    return 0;
  }
  if (!options.error.empty()) {
    std::cerr << "quindo-client: " << options.error << std::endl;
    return 2;
  }

  // Messages of the control go to stderr; stdout carries the answers only.
  quindo::SetReportErrorHandler([](const std::string& message) {
    std::cerr << "report: " << message << std::endl;
  });

  quindo::MemoryTreeView tree;
  quindo::MemoryLabel label;
  quindo::QtSocket socket;
  quindo::QtTimer timer(quindo::ActiveProfiles::kTimerInterval);

  try {
    quindo::ActiveProfiles control(quindo::ChildControls{&tree, &label, &socket, &timer}, options.command_line);
    quindo::ClientShell shell(control, tree, std::cout);
    quindo::BindLinkEvents(control, socket, timer, [&shell] { shell.ObserveControl(); });

    quindo::LineReader reader;
    QObject::connect(&reader, &quindo::LineReader::lineRead, &shell, &quindo::ClientShell::AddLine);
    QObject::connect(&reader, &quindo::LineReader::finished, &shell, &quindo::ClientShell::EndOfInput);
    QObject::connect(&shell, &quindo::ClientShell::finished, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    reader.Start();
    const int code = app.exec();
    quindo::UnbindLinkEvents(socket, timer);
    return code;
  } catch (const std::exception& e) {
    std::cerr << "quindo-client: " << e.what() << std::endl;
    return 1;
  }
}
