// alarm append: alarm records from JSON onto the end of a log of records.
// (alarm dump: alarm_dump.cc.)

#include <string>
#include <vector>

#include "arguments.h"
#include "command.h"
#include "common/binary_file.h"
#include "common/error.h"
#include "common/file_system.h"
#include "json/alarm_json.h"
#include "json/stored_text.h"
#include "messages.h"

namespace quindo::records {
namespace {

// Alarms of a few hundred bytes each; hundreds of thousands of them.
constexpr size_t kLongestDocument = size_t{64} << 20;

// Every record is checked before the log is opened, so bad input writes
// nothing. Each record is appended whole, in one write under the log's lock,
// so concurrent appenders lose nothing; its location is printed once it is
// on disk.
int Append(const Invocation& in) {
  const std::string& name = in.operands[0];
  // A document the JSON does not describe raises JsonInputError: status 2.
  const nlohmann::json input = ParseJsonDocument(ReadInputDocument("-", kLongestDocument));
  const nlohmann::json objects = input.is_array() ? input : nlohmann::json::array({input});
  std::vector<cAlarm> alarms(objects.size());
  for (size_t i = 0; i < objects.size(); ++i) {
    const std::string where = input.is_array() ? ElementPath("", i) : "";
    AlarmFromJson(objects[i], alarms[i], where);
    if (const auto unencodable = FirstUnencodableText(alarms[i]); unencodable && !in.Has("--lossy")) {
      throw UnstorableTextError(MemberPath(where, unencodable->field), unencodable->character);
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
    SayLine(name + ": " + e.Description());
    status = kExitFailed;
  }
  Print(locations);
  return status;
}

}  // namespace

int AlarmDump(const Invocation& in);  // alarm_dump.cc

std::vector<Command> AlarmCommands() {
  return {
      {"alarm append", "FILE [--lossy] < ALARMS.json",
       R"(Appends one alarm record per JSON object (an object or an array of
them) at the end of FILE, created when missing, and prints the 1-based
location of each record once it is on disk. Missing fields take the
values of a new alarm; texts are refused or stored as profile put
does. Each record is written whole, in one write under an exclusive
lock of FILE, so concurrent appends never mix; a failed write leaves
FILE as it was before that record (status 1).
)",
       {"--lossy"}, 1, 1, Append},
      {"alarm dump", "FILE [--jsonl] [--from LOCATION] [--last N] [--read-only]",
       R"(Reads the records back to back from location 1 (or LOCATION, a
location that append printed) and prints them as one JSON array, or
with --jsonl as one JSON object a line. --last N prints only the last N
records. Records are read and printed one at a time; appends that
finish after the dump started are left for the next one. An
incomplete last record (of a write cut short by a power cut) is named
on standard error by its location (status 1); the complete ones are
still printed.
)",
       {"--jsonl", "--from", "--last", "--read-only"}, 1, 1, AlarmDump},
  };
}

}  // namespace quindo::records
