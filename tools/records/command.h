#pragma once
// A command of quindo-records as the program runs it, and how one is added.
//
// Every command is a Command entry: its words ("profile show"), its synopsis
// and help text (for --help), the options it takes besides the common ones,
// how many operands, and the function that does the work. The program
// reads the arguments (command_line.h), finds the entry, checks the options
// and operands against it, loads the language file, sets the data directory
// and turns whatever the function raises into one message line and an exit
// status (messages.h). A new command is one more entry in its area's list
// (command_table.cc names the lists), plus its words in the completion
// script quindo-records.bash; a new record kind with files of its own is one
// RecordKind (record_kind.h).

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "command_line.h"

namespace quindo::records {

constexpr size_t kAnyNumber = std::numeric_limits<size_t>::max();

struct Command {
  std::string words;     // "profile show"
  std::string synopsis;  // "ID... [--read-only]": what follows the words
  std::string help;      // lines under the synopsis in --help, indented by 6
  std::vector<std::string> options;  // taken besides --data-dir and --language
  size_t min_operands = 0;
  size_t max_operands = 0;  // kAnyNumber for no limit
  // Returns the exit status; raises CommandError (or an exception of the
  // library, which the program turns into a message) when it cannot go on.
  std::function<int(const Invocation&)> run;
};

// The commands of each area (command_table.cc lists them all).
std::vector<Command> ProfileAndReceiverCommands();  // record_kinds.cc
std::vector<Command> ProfileActiveCommands();       // profile_active_command.cc
std::vector<Command> CalendarCommands();            // calendar_commands.cc
std::vector<Command> HolidayCommands();             // holiday_commands.cc
std::vector<Command> AlarmCommands();               // alarm_commands.cc
// The whole directory: agenda and profile ics (agenda_command.cc), check
// (check_command.cc) and calendar import-ics (import_ics_command.cc).
std::vector<Command> AgendaCommands();
std::vector<Command> CheckCommands();
std::vector<Command> ImportIcsCommands();
// Built with Qt only: drawing needs Qt Gui.
Command ProfileRenderCommand();   // render_command.cc
Command CalendarRenderCommand();  // calendar_render_command.cc

// Every command of the build, grouped by their first word, in the order
// --help lists them.
const std::vector<Command>& AllCommands();

// The synopsis line of a command: "quindo-records profile show ID...".
std::string UsageLine(const Command& command);

}  // namespace quindo::records
