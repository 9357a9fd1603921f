#pragma once
// The host process's command line as the control reads its options from it:
// the arguments after the program name, joined with single blanks exactly as
// given. No quoting is added, so an argument that holds a blank reads as two
// words unless the user quoted it inside the argument itself.

#include <string>

#include <QStringList>

namespace quindo {

// Joins arguments[1..] with single blanks, as UTF-8.
std::string JoinCommandLine(const QStringList& arguments);
// The running application's command line; empty without a QCoreApplication.
std::string HostCommandLine();

}  // namespace quindo
