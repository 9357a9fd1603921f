#include "alarm_commands.h"

#include <cstdio>
#include <iostream>

#include "alarm_json.h"
#include "command_status.h"
#include "common/binary_file.h"
#include "common/error.h"

namespace quindo::records {
namespace {

// alarm append FILE < JSON: every record is checked before the file is
// opened, so bad input writes nothing.
int Append(const std::string& name) {
  nlohmann::json input;
  try {
    input = nlohmann::json::parse(std::cin);
  } catch (const nlohmann::json::exception& e) {
    throw CommandLineError(std::string("not valid JSON: ") + e.what());
  }
  const nlohmann::json objects = input.is_array() ? input : nlohmann::json::array({input});
  std::vector<cAlarm> alarms(objects.size());
  for (size_t i = 0; i < objects.size(); ++i) {
    try {
      AlarmFromJson(objects[i], alarms[i]);
    } catch (const CommandLineError& e) {
      throw CommandLineError(input.is_array() ? "alarm " + std::to_string(i) + ": " + e.what() : e.what());
    }
  }

  std::string locations;
  try {
    BinaryFile file;
    file.Open(name, BinaryFile::Mode::kReadWrite);
    file.Seek(file.Length());
    for (const cAlarm& alarm : alarms) {
      locations += std::to_string(file.Position() + 1) + '\n';
      alarm.WriteToDisk(file, 0);
    }
    file.Close();
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << name << ": " << e.Description() << '\n';
    return kExitFailed;
  }
  std::fwrite(locations.data(), 1, locations.size(), stdout);
  return kExitDone;
}

// alarm dump FILE: the records back to back from location 1.
int Dump(const std::string& name) {
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  int status = kExitDone;
  try {
    BinaryFile file;
    file.Open(name, BinaryFile::Mode::kRead);
    while (file.Position() < file.Length()) {
      const int64_t location = file.Position() + 1;
      cAlarm alarm;
      try {
        alarm.ReadFromDisk(file, 0);
      } catch (const Error& e) {
        if (e.Number() != kInputPastEndOfFile) throw;
        std::cerr << "quindo-records: " << name << ": the record at location " << location
                  << " is incomplete\n";
        status = kExitFailed;
        break;
      }
      records.push_back(AlarmToJson(alarm));
    }
    file.Close();
  } catch (const Error& e) {
    std::cerr << "quindo-records: " << name << ": " << e.Description() << '\n';
    return kExitFailed;
  }
  std::cout << records.dump(2) << '\n';
  return status;
}

}  // namespace

int RunAlarmCommand(const std::vector<std::string>& args) {
  if (args.empty()) throw CommandLineError("missing alarm command");
  const std::string& command = args[0];
  if (command != "append" && command != "dump") throw CommandLineError("unknown alarm command \"" + command + "\"");
  if (args.size() != 2) throw CommandLineError("usage: quindo-records alarm " + command + " FILE");
  return command == "append" ? Append(args[1]) : Dump(args[1]);
}

}  // namespace quindo::records
