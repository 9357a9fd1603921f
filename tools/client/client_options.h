#pragma once
// The command line of quindo-client: the control's two options and --help.
// The control itself tolerates a missing or garbled option (it then never
// connects); a headless client that did so would wait for nothing, so every
// argument is checked here first.

#include <string>

#include <QStringList>

namespace quindo {

struct ClientOptions {
  bool help = false;
  std::string command_line;  // the arguments as the control reads them
  std::string error;         // why the arguments cannot be used; empty when they can
};

ClientOptions ParseClientOptions(const QStringList& arguments);

// The usage text of --help: options, commands and the columns of `list`.
const char* ClientUsage();

}  // namespace quindo
