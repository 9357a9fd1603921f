#pragma once
// quindo-records alarm: append alarm records to a log and dump them.

#include <string>
#include <vector>

namespace quindo::records {

// Runs `alarm SUBCOMMAND ARGS...`; `args` starts with the subcommand. Bad
// arguments or input raise CommandLineError.
int RunAlarmCommand(const std::vector<std::string>& args);

// alarm dump FILE [--jsonl] [--from LOCATION] [--last N] [--read-only]
// (alarm_dump.cc): the arguments after "dump".
int AlarmDump(const std::vector<std::string>& args);

}  // namespace quindo::records
