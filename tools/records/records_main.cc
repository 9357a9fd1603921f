// quindo-records: shows, stores, lists and removes profile files from the
// command line. Run with --help for the usage.

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/shipped_files.h"
#include "model/profile/profile.h"
#include "model/profile/profile_naming.h"
#include "alarm_commands.h"
#include "answer_commands.h"
#include "calendar_commands.h"
#include "command_status.h"
#include "model/profile/profile_record.h"
#include "profile_json.h"
#include "receiver_commands.h"
#include "record_file_commands.h"
#include "stored_text.h"
#ifdef QUINDO_RECORDS_RENDER
#include "calendar_render_command.h"
#include "render_command.h"
#endif

namespace {

using namespace quindo;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage = R"(Usage:
  quindo-records profile show ID [OPTIONS] [--read-only]
      Loads profile file ID and prints it as JSON.
  quindo-records profile put [OPTIONS] [--lossy] < PROFILE.json
      Stores the profile read from standard input and prints its identity.
      A DiskIdentity of 0..9999 rewrites that file; none or -1 draws a new
      identity in 1..9991 that no other writer takes meanwhile. Missing
      fields take the values of a new profile. A text with a character that
      the code page cannot hold is refused (status 2, naming the field and
      the character); --lossy stores it with "?" in its place.
  quindo-records profile list [OPTIONS] [--read-only]
      One line per profile file, by ascending identity:
      identity <TAB> Enabled <TAB> name.
  quindo-records profile remove ID [OPTIONS] [--redundancy-role N]
      Logs the deletion for the redundant partner (only when N is 1 or 2;
      default 0) and deletes profile file ID. Without a file ID: status 1,
      and nothing is logged.
  quindo-records profile upgrade [ID]... [OPTIONS]
      Converts profile files ID (all when none is given) of version 4 to
      version 5, one line each: identity <TAB> version 4 -> 5. Status 1 when
      a file is missing or could not be converted.
  quindo-records profile active ID --at "YYYY-MM-DD HH:MM" [--calendar FILE] [OPTIONS] [--read-only]
      Whether profile ID's time schedule is active at that local time (a date
      of 2000..2039), on one line of JSON: {"Active": true|false,
      "CalendarDayType": t, "DayType": s, "DecidedBy": "calendar"|"weekday",
      "Period": [start, stop] or null, "NextChange": "YYYY-MM-DD HH:MM" or
      null}. t is the calendar FILE's day type of the date (0 without one or
      when the schedule does not use the calendar); s is t - 1 when that day
      type is active in the schedule, else the date's weekday (Monday = 0).
      A profile that does not use its schedule is active, "DecidedBy": "no
      schedule". Minutes are wall-clock minutes: a daylight-saving day is
      answered like any other.
  quindo-records calendar show FILE [--read-only]
      One line per day whose type is not 0, in date order:
      YYYY-MM-DD <TAB> type.
  quindo-records calendar set FILE DATE TYPE [DATE TYPE]...
      Sets each DATE (YYYY-MM-DD, 2000-01-01..2039-12-31) to the day type
      TYPE (-32768..32767; 0 = the date's own weekday, 1..7 = Monday..Sunday,
      8..23 = special day types 1..16) and saves FILE, which is created when
      missing. Every pair is checked before anything is written. A hidden
      file or a name that is no ordinary file is not changed (status 1).
  quindo-records calendar diff FILE1 FILE2 [--read-only]
      No output and status 0 when every day is equal; otherwise status 1 and
      the first differing day: YYYY-MM-DD <TAB> type1 <TAB> type2. A file
      that is missing or cannot be read gives status 2.
  quindo-records calendar apply-holidays RULES FILE
      Gives every date that the holiday rules file RULES yields in 2000..2039
      the rule's day type in calendar FILE (created when missing); other
      days keep theirs. FILE is refused as calendar set refuses it.
  quindo-records calendar holidays RULES [--year Y] [--read-only]
      Prints the dates the rules yield, in year Y only when given:
      YYYY-MM-DD <TAB> day type <TAB> label.
  quindo-records alarm append FILE [--lossy] < ALARMS.json
      Appends one alarm record per JSON object (an object or an array of
      them) at the end of FILE, created when missing, and prints the 1-based
      location of each record once it is on disk. Missing fields take the
      values of a new alarm; texts are refused or stored as profile put
      does. Each record is written whole, in one write under an exclusive
      lock of FILE, so concurrent appends never mix; a failed write leaves
      FILE as it was before that record (status 1).
  quindo-records alarm dump FILE [--jsonl] [--from LOCATION] [--last N] [--read-only]
      Reads the records back to back from location 1 (or LOCATION, a
      location that append printed) and prints them as one JSON array, or
      with --jsonl as one JSON object a line. --last N prints only the last N
      records. Records are read and printed one at a time; appends that
      finish after the dump started are left for the next one. An
      incomplete last record (of a write cut short by a power cut) is named
      on standard error by its location (status 1); the complete ones are
      still printed.

Options:
  --data-dir DIR     Directory holding "Profiles/" (default: the current one);
                     DIR/Profiles must exist.
  --language FILE    Language file of the message texts (default: the English
                     texts shipped with the program).
  --read-only        Loads without converting: a profile or receiver file of
                     an older version is read as it is and left untouched.
                     Without it, every command that loads such a file
                     rewrites it in the current version ("File converted"),
                     as the record files' loads always do; the upgrade
                     commands convert on purpose.
  -h, --help         Shows this text.

JSON fields are the profile's member names without "m_": Name, Enabled,
States [3], UseTimeSchedule, ParallellReceivers, SequentialReceivers,
Conditions [6], TimeSchedule_ViewDayType, Calendar_ViewTimeAxis,
UseExternalTag, ExternalTagName, IgnoreExternalTagInOtherProfiles,
UseExternalFile, ExternalFileName, ExternalFileText, ScanSpecificSystems,
Systems [64], OffDutyAlarmBehaviour, FileDateTimeStamp (days since
1899-12-30), DiskIdentity, and TimeSchedule: {"UseCalendar": n, "DayTypes":
[23 x {"Active": n, "Grouped": n, "Axis": n, "Periods": [[start, stop], ...]}]}.
Numbers are the stored 16-bit values; flags are -1 (true) and 0 (false).

A holiday rules file is a JSON array of rules, each {"Label": text,
"DayType": 1..7 (Monday..Sunday) or 8..23 (special day types 1..16),
"ViewInCalendar": true|false} plus one of
  "Rule": "fixed", "Month": m, "Day": d
  "Rule": "nth-weekday", "Month": m, "Weekday": 1..7 (Monday = 1), "N": 1..5 or -1 (last)
  "Rule": "easter", "Offset": days after Western Easter Sunday (-365..365)
and optionally "FromYear" and "ToYear" (for Easter rules, the Easter years).
Where rules share a date, the later rule wins. A month without an N-th
weekday gives no date that year.

Alarm JSON fields are the record's member names without "m_":
TimeStampFromSCADA, TimeStampFromPC (days since 1899-12-30), EventId (32-bit),
Status, Conditions [6 texts], SequenceReceivers, SequenceReceiverConfirm,
SequenceNumbers, ParallellReceivers, ParallellNumbers (16-bit numbers); dump
adds EventIdHex (last four hexadecimal digits), which append ignores. Texts
hold at most 32767 characters of the code page.

Messages of the record files go to standard error, one line each.
Loading a version 4 file rewrites it as version 5 (see --read-only).

Every file is saved whole through a temporary file beside it that is forced
to disk and renamed over it: a failure or a power cut leaves the old file
byte for byte. A symbolic link stays a link (its target is replaced); the
file keeps its permissions, and its owner where the tool may set it; a file
the tool may not write is not replaced. A hard link keeps the old content.

Exit status: 0 done, 1 the operation failed, 2 bad usage or bad JSON.
)";

struct Options {
  std::string command;
  std::optional<int16_t> id;
  std::vector<int16_t> ids;  // upgrade
  std::string data_dir;
  std::string language;
  int16_t redundancy_role = 0;
  bool read_only = false;
  bool lossy = false;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

int16_t ParseNumber(const std::string& text, long lo, long hi, const std::string& what) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < lo || value > hi) {
    throw UsageError(what + " must be a number in " + std::to_string(lo) + ".." + std::to_string(hi) +
                     ", not \"" + text + "\"");
  }
  return static_cast<int16_t>(value);
}

Options ParseArguments(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError("missing command");
  if (args[0] != "profile") throw UsageError("unknown record kind \"" + args[0] + "\"");
  if (args.size() < 2) throw UsageError("missing profile command");
  options.command = args[1];
  if (options.command != "show" && options.command != "put" && options.command != "list" &&
      options.command != "remove" && options.command != "upgrade") {
    throw UsageError("unknown profile command \"" + options.command + "\"");
  }
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--data-dir") {
      options.data_dir = value();
    } else if (arg == "--language") {
      options.language = value();
    } else if (arg == "--redundancy-role" && options.command == "remove") {
      options.redundancy_role = ParseNumber(value(), SHRT_MIN, SHRT_MAX, "--redundancy-role");
    } else if (arg == "--read-only" && (options.command == "show" || options.command == "list")) {
      options.read_only = true;
    } else if (arg == "--lossy" && options.command == "put") {
      options.lossy = true;
    } else if (!arg.starts_with("-") && options.command == "upgrade") {
      options.ids.push_back(ParseNumber(arg, 0, 9999, "ID"));
    } else if (!arg.starts_with("-") && !options.id &&
               (options.command == "show" || options.command == "remove")) {
      options.id = ParseNumber(arg, 0, 9999, "ID");
    } else {
      throw UsageError("unexpected argument \"" + arg + "\"");
    }
  }
  if ((options.command == "show" || options.command == "remove") && !options.id) {
    throw UsageError("missing ID");
  }
  return options;
}

// The language file: the one named, else the one shipped with the program.
void LoadLanguage(const std::string& named) {
  if (!named.empty()) {
    LoadLanguageFile(named);
  } else if (const auto shipped = FindShippedLanguageFile()) {
    LoadLanguageFile(*shipped);
  }
}

std::string OneLine(std::string text, bool tabs_too) {
  for (char& c : text) {
    if (c == '\r' || c == '\n' || (tabs_too && c == '\t')) c = ' ';
  }
  return text;
}

int Show(int16_t id) {
  cProfile profile;
  const std::string path = profile.CreateFileName(id);
  if (!FileExists(path)) {
    std::cerr << "no profile file " << id << " (" << path << ")\n";
    return kExitFailed;
  }
  if (!profile.LoadFromDisk(id)) {
    std::cerr << path << ": not loaded\n";
    return kExitFailed;
  }
  std::cout << records::ProfileToJson(profile).dump(2) << '\n';
  return kExitOk;
}

int Put(bool lossy) {
  nlohmann::json input;
  try {
    input = nlohmann::json::parse(std::cin);
  } catch (const nlohmann::json::exception& e) {
    throw records::InputError(std::string("not valid JSON: ") + e.what());
  }
  cProfile profile;
  records::ProfileFromJson(input, profile);
  if (const auto unencodable = records::UnencodableText(profile); unencodable && !lossy) {
    throw records::InputError(*unencodable);
  }
  if (profile.m_DiskIdentity > 9999) {
    throw records::InputError("DiskIdentity: " + std::to_string(profile.m_DiskIdentity) +
                              " is outside -1..9999");
  }
  if (profile.m_DiskIdentity < 0) profile.m_DiskIdentity = -1;
  if (!profile.SaveToDisk()) return kExitFailed;
  std::cout << profile.m_DiskIdentity << '\n';
  return kExitOk;
}

int List() {
  if (!std::filesystem::is_directory(ProfilesDirectory())) {
    std::cerr << "quindo-records: no directory " << ProfilesDirectory() << '\n';
    return kExitFailed;
  }
  std::string out;
  int status = kExitOk;
  for (const int16_t id : ListStoredProfileIdentities()) {
    cProfile profile;
    if (!profile.LoadFromDisk(id)) {
      std::cerr << profile.CreateFileName(id) << ": not loaded\n";
      status = kExitFailed;
      continue;
    }
    out += std::to_string(id) + "\t" + std::to_string(profile.m_Enabled) + "\t" +
           OneLine(profile.GetName(), true) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "-h" || arg == "--help") {
      std::cout << kUsage << '\n' << records::kReceiverUsage;
#ifdef QUINDO_RECORDS_RENDER
      std::cout << "\nWeek chart:\n" << records::kRenderUsage;
      std::cout << "\nMonth view:\n" << records::kCalendarRenderUsage;
#endif
      return kExitOk;
    }
  }
  if (!args.empty() && args[0] == "receiver") {
    return records::RunReceiverCommand({args.begin() + 1, args.end()}, LoadLanguage);
  }
#ifdef QUINDO_RECORDS_RENDER
  if (args.size() >= 2 && args[0] == "profile" && args[1] == "render") {
    return records::RunProfileRender(args, LoadLanguage);
  }
  if (args.size() >= 2 && args[0] == "calendar" && args[1] == "render") {
    return records::RunCalendarRender({args.begin() + 2, args.end()}, LoadLanguage);
  }
#endif
  // profile active: a profile's schedule at a time, arguments of its own.
  if (args.size() >= 2 && args[0] == "profile" && args[1] == "active") {
    try {
      return records::ProfileActiveCommand(std::vector<std::string>(args.begin() + 2, args.end()), LoadLanguage);
    } catch (const records::CommandLineError& e) {
      std::cerr << "quindo-records: " << e.what() << "\n" << "Try 'quindo-records --help'.\n";
      return kExitUsage;
    }
  }
  // Record kinds with commands of their own; the arguments after the kind.
  using KindCommand = int (*)(const std::vector<std::string>&);
  for (const auto& [kind, run] : {std::pair<const char*, KindCommand>{"calendar", records::RunCalendarCommand},
                                  std::pair<const char*, KindCommand>{"alarm", records::RunAlarmCommand}}) {
    if (args.empty() || args[0] != kind) continue;
    try {
      return run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const records::CommandLineError& e) {
      std::cerr << "quindo-records: " << e.what() << "\n" << "Try 'quindo-records --help'.\n";
      return kExitUsage;
    }
  }
  Options options;
  try {
    options = ParseArguments(args);
    LoadLanguage(options.language);
  } catch (const UsageError& e) {
    std::cerr << "quindo-records: " << e.what() << "\n" << "Try 'quindo-records --help'.\n";
    return kExitUsage;
  } catch (const quindo::Error& e) {
    std::cerr << "quindo-records: language file " << options.language << ": " << e.Description() << '\n';
    return kExitUsage;
  }

  if (!options.data_dir.empty()) {
    DataDirectory() = options.data_dir.ends_with('/') ? options.data_dir : options.data_dir + "/";
  }
  SetReportErrorHandler([](const std::string& message) { std::cerr << OneLine(message, false) << '\n'; });

  if (options.read_only) RewriteOldVersionsOnLoad() = false;

  try {
    if (options.command == "show") return Show(*options.id);
    if (options.command == "put") return Put(options.lossy);
    if (options.command == "list") return List();
    if (options.command == "upgrade") {
      return records::UpgradeRecordFiles<cProfile>("profile", options.ids, ListStoredProfileIdentities(),
                                                   kProfileFileVersion);
    }
    return records::RemoveRecordFile<cProfile>("profile", *options.id, options.redundancy_role);
  } catch (const records::InputError& e) {
    std::cerr << "quindo-records: " << e.what() << '\n';
    return kExitUsage;
  }
}
