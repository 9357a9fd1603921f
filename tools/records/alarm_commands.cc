#include "alarm_commands.h"

#include <cstdio>
#include <iostream>

#include "alarm_json.h"
#include "command_args.h"
#include "command_status.h"
#include "common/binary_file.h"
#include "common/error.h"
#include "common/file_system.h"
#include "stored_text.h"

namespace quindo::records {
namespace {

// alarm append FILE [--lossy] < JSON: every record is checked before the log
// is opened, so bad input writes nothing. Each record is appended whole, in
// one write under the log's lock, so concurrent appenders lose nothing; its
// location is printed once it is on disk.
int Append(const std::vector<std::string>& args) {
  const CommandArgs read = ReadCommandArgs(args, {}, 1, "alarm append FILE [--lossy]", {kLossySwitch});
  const std::string& name = read.positional[0];
  nlohmann::json input;
  try {
    input = nlohmann::json::parse(std::cin);
  } catch (const nlohmann::json::exception& e) {
    throw CommandLineError(std::string("not valid JSON: ") + e.what());
  }
  const nlohmann::json objects = input.is_array() ? input : nlohmann::json::array({input});
  std::vector<cAlarm> alarms(objects.size());
  for (size_t i = 0; i < objects.size(); ++i) {
    const std::string which = input.is_array() ? "alarm " + std::to_string(i) + ": " : "";
    try {
      AlarmFromJson(objects[i], alarms[i]);
    } catch (const CommandLineError& e) {
      throw CommandLineError(which + e.what());
    }
    if (const auto unencodable = UnencodableText(alarms[i]); unencodable && !read.Switch(kLossySwitch)) {
      throw CommandLineError(which + *unencodable);
    }
  }

  std::string locations;
  int status = kExitDone;
  try {
    BinaryFile log;
    log.Open(name, BinaryFile::Mode::kAppend);
    const bool new_log = log.Length() == 0;
    for (const cAlarm& alarm : alarms) {
      alarm.WriteToDisk(log, 0);
      locations += std::to_string(log.LastAppendStart() + 1) + '\n';
    }
    log.Close();
    if (new_log) SyncDirectoryOf(name);  // the log's name survives a power cut too
  } catch (const Error& e) {
    // The records before the failing one are in the log: their locations
    // are printed all the same.
    std::cerr << "quindo-records: " << name << ": " << e.Description() << '\n';
    status = kExitFailed;
  }
  std::fwrite(locations.data(), 1, locations.size(), stdout);
  return status;
}

}  // namespace

int RunAlarmCommand(const std::vector<std::string>& args) {
  if (args.empty()) throw CommandLineError("missing alarm command");
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "append") return Append(rest);
  if (command == "dump") return AlarmDump(rest);
  throw CommandLineError("unknown alarm command \"" + command + "\"");
}

}  // namespace quindo::records
