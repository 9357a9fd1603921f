#include "tools/client/client_options.h"

#include "common/command_line.h"
#include "qt/command_line.h"

namespace quindo {

namespace {

bool IsOption(const QString& argument, const char* name) {
  return argument.startsWith(QStringLiteral("/%1:").arg(QLatin1String(name)), Qt::CaseInsensitive);
}

}  // namespace

ClientOptions ParseClientOptions(const QStringList& arguments) {
  ClientOptions options;
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      options.help = true;
    } else if (!IsOption(argument, "ServerAddress") && !IsOption(argument, "ServerPort")) {
      options.error = "unknown option '" + argument.toStdString() + "' (see --help)";
      return options;
    }
  }
  if (options.help) return options;
  options.command_line = JoinCommandLine(arguments);
  const std::string address = GetCommandLineParameter("ServerAddress", options.command_line);
  const std::string port = GetCommandLineParameter("ServerPort", options.command_line);
  if (address.empty() || port.empty()) {
    options.error = "no server: give /ServerAddress:HOST and /ServerPort:PORT (see --help)";
    return options;
  }
  bool whole = false;
  const int number = QString::fromStdString(port).toInt(&whole);
  if (!whole || number < 1 || number > 65535) {
    options.error = "bad /ServerPort: value '" + port + "': give a whole number from 1 to 65535";
  }
  return options;
}

const char* ClientUsage() {
  return R"usage(Usage: quindo-client /ServerAddress:HOST /ServerPort:PORT

Hosts the profile control without a display. Reads one command per line on
standard input and answers each on one line of standard output (list with a
count line first). An answer that begins with "error" or "timeout" is a
failure: quit, or the end of input, then exits with status 1, else 0.

Commands:
  connected                   1 while the link is up, else 0
  wait-connected [MS]         "connected" once the link is up, or "timeout"
                              (default 15000 ms); profiles may not have arrived yet
  wait-synced [MS]            "synced" once the server's first burst of profile
                              reports has ended (no profile message for 200 ms
                              after the first), or "timeout" (default 15000 ms)
  list                        "nodes N", then one line per profile in the
                              control's tree order (each report moves its profile
                              to the end): KEY <TAB> ICON <TAB> NAME, where ICON
                              is 1 for an enabled and 2 for a disabled profile;
                              in NAME a backslash, tab, line feed and carriage
                              return are written \\, \t, \n and \r
  enabled NAME                1 when the first profile of that name (case is
                              ignored) is enabled, else 0
  set VALUE NAME              asks the server to enable (VALUE not 0) or disable
                              the first profile of that name: "ok", "ok: N
                              profiles named NAME; the first in tree order was
                              used", or "error: no profile named NAME" or
                              "error: not connected"
  wait-enabled VALUE NAME [--ms MS]
                              "ok" once the profile shows that state, or "timeout"
  wait MS                     runs the link for MS ms, then "ok"
  status                      why the link is down and when the next attempt
                              comes, or the requests waiting for the server
  address [TEXT]              shows or sets the server address (next attempt)
  port [N]                    shows or sets the server port (next attempt)
  select KEY                  selects the node with that key (K12)
  click [ctrl|shift|alt]...   a left click on the tree with those keys held
  quit                        exits
)usage";
}

}  // namespace quindo
