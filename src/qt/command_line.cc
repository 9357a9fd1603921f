#include "qt/command_line.h"

#include <QCoreApplication>

namespace quindo {

std::string JoinCommandLine(const QStringList& arguments) {
  return arguments.mid(1).join(QLatin1Char(' ')).toStdString();
}

std::string HostCommandLine() {
  if (QCoreApplication::instance() == nullptr) return {};
  return JoinCommandLine(QCoreApplication::arguments());
}

}  // namespace quindo
