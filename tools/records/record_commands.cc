// show, put, list, remove and upgrade: one implementation for every record
// kind that keeps one file per record (record_kind.h).

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "arguments.h"
#include "command.h"
#include "common/file_system.h"
#include "common/settings.h"
#include "json/json_fields.h"
#include "messages.h"
#include "model/record_file.h"
#include "record_kind.h"
#include "stored_records.h"

namespace quindo::records {
namespace {

using nlohmann::json;

// A put's whole input: records of a few texts each, or tens of thousands.
constexpr size_t kLongestDocument = size_t{64} << 20;

// A name on one line of tab-separated output.
std::string OneField(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::vector<int16_t> Identities(const std::vector<std::string>& operands) {
  std::vector<int16_t> identities;
  for (const std::string& operand : operands) identities.push_back(IdentityArgument(operand));
  return identities;
}

// show ID...: one object, or an array of them for several identities. Those
// that cannot be loaded are named; the others are shown all the same.
int Show(const RecordKind& kind, const Invocation& in) {
  const std::vector<int16_t> identities = Identities(in.operands);
  RequireDirectory(kind.directory());
  nlohmann::ordered_json shown = nlohmann::ordered_json::array();
  int status = kExitDone;
  for (const int16_t identity : identities) {
    const std::unique_ptr<KindRecord> record = kind.make();
    try {
      LoadStoredRecord(kind.name, *record, identity);
      shown.push_back(record->ToJson());
    } catch (const CommandError& e) {
      SayLine(e.what(), e.Shape());
      status = e.Status();
    }
  }
  if (identities.size() == 1 && !shown.empty()) shown = std::move(shown[0]);
  if (identities.size() > 1 || !shown.empty()) Print(shown.dump(2) + "\n");
  return status;
}

// put [FILE]: every record of the document is read and checked before the
// first is saved, so that bad input stores nothing.
int Put(const RecordKind& kind, const Invocation& in) {
  // A document the JSON does not describe raises JsonInputError: status 2.
  const json document =
      ParseJsonDocument(ReadInputDocument(in.operands.empty() ? "" : in.operands[0], kLongestDocument));
  if (!document.is_object() && !document.is_array()) {
    throw UsageError("expected a " + kind.name + " object or an array of them");
  }
  std::vector<std::unique_ptr<KindRecord>> records;
  for (size_t i = 0; i < (document.is_array() ? document.size() : 1); ++i) {
    const std::string where = document.is_array() ? ElementPath("", i) : "";
    records.push_back(kind.make());
    records.back()->FromJson(document.is_array() ? document[i] : document, where);
    if (const auto unencodable = records.back()->Unencodable(); unencodable && !in.Has("--lossy")) {
      throw UnstorableTextError(MemberPath(where, unencodable->field), unencodable->character);
    }
  }
  RequireDirectory(kind.directory());
  std::string saved;
  for (const auto& record : records) {
    if (!record->Save()) {
      Print(saved);
      throw CommandError(kExitFailed, TakeRecordReports());
    }
    FlushRecordReports();
    saved += std::to_string(record->Identity()) + "\n";
  }
  Print(saved);
  return kExitDone;
}

// list: one line per file (identity, Enabled, name), or with --jsonl the
// record as show gives it, on one line.
int List(const RecordKind& kind, const Invocation& in) {
  RequireDirectory(kind.directory());
  const bool lines = in.Has("--jsonl");
  std::string out;
  int status = kExitDone;
  for (const int16_t identity : kind.stored()) {
    const std::unique_ptr<KindRecord> record = kind.make();
    try {
      LoadStoredRecord(kind.name, *record, identity);
    } catch (const CommandError& e) {
      SayLine(e.what(), e.Shape());
      status = e.Status();
      continue;
    }
    if (lines) {
      out += record->ToJson().dump() + "\n";
      continue;
    }
    out += std::to_string(identity);
    for (const std::string& column : record->ListColumns()) out += "\t" + OneField(column);
    out += "\n";
  }
  Print(out);
  return status;
}

// remove ID: an identity without a file is refused before anything is
// written, and no line goes to the log, which would make the partner
// delete its own.
int Remove(const RecordKind& kind, const Invocation& in) {
  const int16_t identity = IdentityArgument(in.operands[0]);
  const int16_t role = in.Value("--redundancy-role")
                           ? static_cast<int16_t>(WholeNumberArgument(*in.Value("--redundancy-role"), INT16_MIN,
                                                                      INT16_MAX, "--redundancy-role"))
                           : int16_t{0};
  RequireDirectory(kind.directory());
  const std::unique_ptr<KindRecord> record = kind.make();
  const std::string file_name = record->FileName(identity);
  RequireRecordFile(kind.name, identity, file_name);
  RewriteOldVersionsOnLoad() = false;  // a file about to go is not converted first
  record->Load(identity);              // for the name in the log and the message
  RedundancyRole() = role;
  record->LogAndRemove(identity);
  if (FileExists(file_name)) throw CommandError(kExitFailed, TakeRecordReports());
  return kExitDone;
}

// upgrade [ID]...: converts the files (every file when none is named) that
// hold an older version, one line each: ID <TAB> version OLD -> CURRENT.
int Upgrade(const RecordKind& kind, const Invocation& in) {
  const std::vector<int16_t> named = Identities(in.operands);
  RequireDirectory(kind.directory());
  RewriteOldVersionsOnLoad() = false;  // the conversion is this command's own, and checked
  int status = kExitDone;
  std::string out;
  for (const int16_t identity : named.empty() ? kind.stored() : named) {
    const std::unique_ptr<KindRecord> record = kind.make();
    const std::string file_name = record->FileName(identity);
    const auto version = StoredRecordVersion(file_name);  // none for a file too short to load
    try {
      RequireRecordFile(kind.name, identity, file_name);
      if (version == kind.current_version) continue;
      if (!record->Load(identity) || !record->Save()) {
        const std::string why = TakeRecordReports();
        throw CommandError(kExitFailed, file_name + ": not converted" + (why.empty() ? "" : ": " + why));
      }
      FlushRecordReports();
      out += std::to_string(identity) + "\tversion " + std::to_string(*version) + " -> " +
             std::to_string(kind.current_version) + "\n";
    } catch (const CommandError& e) {
      SayLine(e.what(), e.Shape());
      status = kExitFailed;
    }
  }
  Print(out);
  return status;
}

}  // namespace

std::vector<Command> RecordCommands(const RecordKind& kind) {
  const std::string& k = kind.name;
  const auto run = [&kind](int (*command)(const RecordKind&, const Invocation&)) {
    return [&kind, command](const Invocation& in) {
      if (kind.prepare) kind.prepare(in);
      return command(kind, in);
    };
  };
  const auto with = [&kind](std::vector<std::string> options) {
    options.insert(options.end(), kind.options.begin(), kind.options.end());
    return options;
  };
  return {
      {k + " show", "ID... [--read-only]",
       "Loads " + k + " file ID and prints it as JSON; several IDs give an\n"
       "array of the " + k + "s, those that cannot be loaded left out (status 1).\n",
       with({"--read-only"}), 1, kAnyNumber, run(Show)},
      {k + " put", "[FILE] [--lossy] [< " + k + ".json]",
       "Stores the " + k + " read from FILE (standard input without one, or\n"
       "for -), or each of an array of them, and prints the identity of each.\n"
       "A DiskIdentity of 0..9999 rewrites that file; none or -1 draws a new\n"
       "identity in 1..9991 that no other writer takes meanwhile. Missing fields\n"
       "take the values of a new " + k + ". Every record is checked before the\n"
       "first is stored. A text with a character that the code page cannot hold\n"
       "is refused (status 2, naming the field and the character); --lossy\n"
       "stores it with \"?\" in its place.\n",
       with({"--lossy"}), 0, 1, run(Put)},
      {k + " list", "[--jsonl] [--read-only]",
       "One line per " + k + " file, by ascending identity:\n"
       "identity <TAB> Enabled <TAB> name; with --jsonl each " + k + " as show\n"
       "prints it, one compact JSON object a line.\n",
       with({"--jsonl", "--read-only"}), 0, 0, run(List)},
      {k + " remove", "ID [--redundancy-role N]",
       "Logs the deletion for the redundant partner (only when N is 1 or 2;\n"
       "default 0) and deletes " + k + " file ID. Without a file ID: status 1,\n"
       "and nothing is logged.\n",
       with({"--redundancy-role"}), 1, 1, run(Remove)},
      {k + " upgrade", "[ID]...",
       "Converts " + k + " files ID (all when none is given) of an older version\n"
       "to version " + std::to_string(kind.current_version) + ", one line each: identity <TAB> version N -> " +
           std::to_string(kind.current_version) + ".\n"
       "Status 1 when a file is missing or could not be converted.\n",
       with({}), 0, kAnyNumber, run(Upgrade)},
  };
}

}  // namespace quindo::records
