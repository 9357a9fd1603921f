#include "receiver_commands.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <iostream>
#include <optional>

#include "common/error.h"
#include "common/file_system.h"
#include "common/language.h"
#include "common/settings.h"
#include "model/receiver/receiver.h"
#include "model/receiver/receiver_naming.h"
#include "model/receiver/receiver_record.h"
#include "receiver_json.h"
#include "record_file_commands.h"
#include "stored_text.h"

namespace quindo::records {

const char* const kReceiverUsage = R"(Receiver commands (the same options and exit status):
  quindo-records receiver show ID [OPTIONS] [--read-only]
      Loads receiver file ID and prints it as JSON.
  quindo-records receiver put [OPTIONS] [--lossy] < RECEIVER.json
      Stores the receiver read from standard input and prints its identity.
      A DiskIdentity of 0..9999 rewrites that file; none or -1 draws a new
      identity in 1..9991 that no other writer takes meanwhile. Missing
      fields take the values of a new receiver. Texts are refused or stored
      as profile put does.
  quindo-records receiver list [OPTIONS] [--read-only]
      One line per receiver file, by ascending identity:
      identity <TAB> Enabled <TAB> name.
  quindo-records receiver remove ID [OPTIONS] [--redundancy-role N]
      Logs the deletion for the redundant partner (only when N is 1 or 2;
      default 0) and deletes receiver file ID. Without a file ID: status 1,
      and nothing is logged.
  quindo-records receiver upgrade [ID]... [OPTIONS]
      Converts receiver files ID (all when none is given) of versions 3 and
      4 to version 5, one line each: identity <TAB> version N -> 5. Status 1
      when a file is missing or could not be converted.

Receiver options (besides --data-dir, whose DIR/Receivers must exist, and
--language):
  --receiver-types FILE  The receiver type table: a JSON array of at most 300
                     rows {"TypeId": n, "TypeName": "...", "Protocol": "...",
                     "TemplateFile": "..."}, looked up in order (the first
                     row of an id wins). Template files are settings files
                     relative to the data directory; "ILM"/"ILMTCP" receivers
                     take their keep-alive interval from setting 1, "T940SI"
                     receivers from key T11 of section [ReceiverTypeSettings].

Receiver JSON fields: DiskIdentity, Enabled, ReceiverTypeId, ReceiverName,
BackupReceiver, Settings [4 x {"Kind": k, "Value": v}], FileDateTimeStamp,
and the derived ReceiverTypeIndex, ReceiverTypeName, KeepAliveInterval
(FileDateTimeStamp and the derived fields are ignored by put). Kinds:
0 empty and 1 null (no Value), 2 16-bit, 3 32-bit and 17 byte (whole
numbers), 4 single and 5 double (numbers), 6 currency (units, kept to four
decimals), 7 date (days since 1899-12-30), 8 text, 11 flag (-1 or 0).
Loading a version 3 or 4 file rewrites it as version 5 (see --read-only).
)";

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Options {
  std::string command;
  std::optional<int16_t> id;
  std::string data_dir;
  std::string language;
  std::string receiver_types;
  int16_t redundancy_role = 0;
  std::vector<int16_t> ids;  // upgrade
  bool read_only = false;
  bool lossy = false;
};

int16_t ParseNumber(const std::string& text, long lo, long hi, const std::string& what) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < lo || value > hi) {
    throw UsageError(what + " must be a number in " + std::to_string(lo) + ".." +
                     std::to_string(hi) + ", not \"" + text + "\"");
  }
  return static_cast<int16_t>(value);
}

Options ParseArguments(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError("missing receiver command");
  options.command = args[0];
  if (options.command != "show" && options.command != "put" && options.command != "list" &&
      options.command != "remove" && options.command != "upgrade") {
    throw UsageError("unknown receiver command \"" + options.command + "\"");
  }
  const bool takes_id = options.command == "show" || options.command == "remove";
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--data-dir") {
      options.data_dir = value();
    } else if (arg == "--language") {
      options.language = value();
    } else if (arg == "--receiver-types") {
      options.receiver_types = value();
    } else if (arg == "--redundancy-role" && options.command == "remove") {
      options.redundancy_role = ParseNumber(value(), SHRT_MIN, SHRT_MAX, "--redundancy-role");
    } else if (arg == "--read-only" && (options.command == "show" || options.command == "list")) {
      options.read_only = true;
    } else if (arg == "--lossy" && options.command == "put") {
      options.lossy = true;
    } else if (!arg.starts_with("-") && options.command == "upgrade") {
      options.ids.push_back(ParseNumber(arg, 0, 9999, "ID"));
    } else if (!arg.starts_with("-") && !options.id && takes_id) {
      options.id = ParseNumber(arg, 0, 9999, "ID");
    } else {
      throw UsageError("unexpected argument \"" + arg + "\"");
    }
  }
  if (takes_id && !options.id) throw UsageError("missing ID");
  return options;
}

nlohmann::json ParseJson(std::istream& in, const std::string& what) {
  try {
    return nlohmann::json::parse(in);
  } catch (const nlohmann::json::exception& e) {
    throw InputError(what + ": not valid JSON: " + e.what());
  }
}

void LoadReceiverTypes(const std::string& path) {
  // 300 rows of a few texts each; a huge or endless file is refused first.
  constexpr size_t kLongestTypeTable = 1 << 20;
  std::istringstream in;
  try {
    in.str(ReadWholeFile(path, kLongestTypeTable));
  } catch (const Error& e) {
    throw InputError("receiver types: cannot read " + path + ": " + e.Description());
  }
  LoadReceiverTypesFromJson(ParseJson(in, path));
}

std::string OneLine(std::string text, bool tabs_too) {
  for (char& c : text) {
    if (c == '\r' || c == '\n' || (tabs_too && c == '\t')) c = ' ';
  }
  return text;
}

int Show(int16_t id) {
  cReceiver receiver;
  if (!receiver.LoadFromDisk(id)) {
    std::cerr << receiver.CreateFileName(id) << ": not loaded\n";
    return kExitFailed;
  }
  std::cout << ReceiverToJson(receiver).dump(2) << '\n';
  return kExitOk;
}

int Put(bool lossy) {
  const nlohmann::json input = ParseJson(std::cin, "standard input");
  cReceiver receiver;
  ReceiverFromJson(input, receiver);
  if (const auto unencodable = UnencodableText(receiver); unencodable && !lossy) throw InputError(*unencodable);
  if (receiver.m_DiskIdentity > 9999) {
    throw InputError("DiskIdentity: " + std::to_string(receiver.m_DiskIdentity) +
                     " is outside -1..9999");
  }
  if (receiver.m_DiskIdentity < 0) receiver.m_DiskIdentity = -1;
  if (!receiver.SaveToDisk()) return kExitFailed;
  std::cout << receiver.m_DiskIdentity << '\n';
  return kExitOk;
}

int List() {
  if (!std::filesystem::is_directory(ReceiversDirectory())) {
    std::cerr << "quindo-records: no directory " << ReceiversDirectory() << '\n';
    return kExitFailed;
  }
  std::string out;
  int status = kExitOk;
  for (const int16_t id : ListStoredReceiverIdentities()) {
    cReceiver receiver;
    if (!receiver.LoadFromDisk(id)) {
      std::cerr << receiver.CreateFileName(id) << ": not loaded\n";
      status = kExitFailed;
      continue;
    }
    out += std::to_string(id) + "\t" + std::to_string(receiver.m_Enabled) + "\t" +
           OneLine(receiver.m_ReceiverName, true) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return status;
}

}  // namespace

int RunReceiverCommand(const std::vector<std::string>& args,
                       const std::function<void(const std::string&)>& load_language) {
  Options options;
  try {
    options = ParseArguments(args);
    load_language(options.language);
  } catch (const UsageError& e) {
    std::cerr << "quindo-records: " << e.what() << "\n" << "Try 'quindo-records --help'.\n";
    return kExitUsage;
  } catch (const Error& e) {
    std::cerr << "quindo-records: language file " << options.language << ": " << e.Description() << '\n';
    return kExitUsage;
  }
  if (!options.data_dir.empty()) {
    DataDirectory() = options.data_dir.ends_with('/') ? options.data_dir : options.data_dir + "/";
  }
  SetReportErrorHandler([](const std::string& message) { std::cerr << OneLine(message, false) << '\n'; });

  if (options.read_only) RewriteOldVersionsOnLoad() = false;

  try {
    if (!options.receiver_types.empty()) LoadReceiverTypes(options.receiver_types);
    if (options.command == "show") return Show(*options.id);
    if (options.command == "put") return Put(options.lossy);
    if (options.command == "list") return List();
    if (options.command == "upgrade") {
      return UpgradeRecordFiles<cReceiver>("receiver", options.ids, ListStoredReceiverIdentities(),
                                           kReceiverFileVersion);
    }
    return RemoveRecordFile<cReceiver>("receiver", *options.id, options.redundancy_role);
  } catch (const InputError& e) {
    std::cerr << "quindo-records: " << e.what() << '\n';
    return kExitUsage;
  }
}

}  // namespace quindo::records
