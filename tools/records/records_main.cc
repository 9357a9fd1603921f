// quindo-records: shows, stores, lists and removes the record files from the
// command line, with the records as JSON. Run with --help for the usage.
//
// This file reads the arguments, finds the command (command.h) and turns
// whatever happens into an exit status and one message line (messages.h);
// the commands themselves live in the files their entries name.

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "command.h"
#include "command_line.h"
#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "common/shipped_files.h"
#include "json/json_fields.h"
#include "messages.h"
#include "records_help.h"

namespace {

using namespace quindo;
using namespace quindo::records;

// The language file: the one named, else the one shipped with the program.
void LoadLanguage(const std::string& named) {
  if (!named.empty()) {
    LoadLanguageFile(named);
  } else if (const auto shipped = FindShippedLanguageFile()) {
    LoadLanguageFile(*shipped);
  }
}

// The command that the words name; the words after its own become the
// operands.
const Command& FindCommand(Invocation& in) {
  if (in.words.empty()) throw UsageError("missing command (quindo-records --help lists them)");
  const std::string& kind = in.words[0];
  const auto& all = AllCommands();
  // A command of one word (agenda, check) answers for the whole directory.
  const auto single = std::find_if(all.begin(), all.end(), [&](const Command& c) { return c.words == kind; });
  if (single != all.end()) {
    in.operands.assign(in.words.begin() + 1, in.words.end());
    return *single;
  }
  const bool known_kind = std::any_of(all.begin(), all.end(), [&](const Command& c) {
    return c.words.starts_with(kind + " ");
  });
  if (!known_kind) throw UsageError("unknown record kind \"" + kind + "\"");
  if (in.words.size() < 2) throw UsageError("missing " + kind + " command");
  const std::string words = kind + " " + in.words[1];
  const auto found = std::find_if(all.begin(), all.end(), [&](const Command& c) { return c.words == words; });
  if (found == all.end()) throw UsageError("unknown " + kind + " command \"" + in.words[1] + "\"");
  in.operands.assign(in.words.begin() + 2, in.words.end());
  return *found;
}

// The options and the number of operands that the command takes.
void CheckArguments(const Command& command, const Invocation& in) {
  const auto takes = [&command](const std::string& name) {
    return name == "--data-dir" || name == "--language" ||
           std::find(command.options.begin(), command.options.end(), name) != command.options.end();
  };
  for (const auto& [name, value] : in.values) {
    if (!takes(name)) throw UsageError(name + " is no option of " + command.words);
  }
  for (const std::string& name : in.switches) {
    if (!takes(name)) throw UsageError(name + " is no option of " + command.words);
  }
  if (in.operands.size() < command.min_operands) throw UsageError("usage: " + UsageLine(command));
  if (in.operands.size() > command.max_operands) {
    throw UsageError("unexpected argument \"" + in.operands[command.max_operands] + "\"");
  }
}

int Run(const std::vector<std::string>& args) {
  Invocation in = ReadArguments(args);
  if (in.Has("--version")) {
    Print("quindo-records " QUINDO_VERSION "\n");
    return kExitDone;
  }
  const Command& command = FindCommand(in);
  SetMessageCommand(command.words);
  CheckArguments(command, in);
  const std::string* language = in.Value("--language");
  try {
    LoadLanguage(language ? *language : std::string());
  } catch (const Error& e) {
    throw UsageError("language file " + (language ? *language : std::string()) + ": " + e.Description());
  }
  if (const std::string* dir = in.Value("--data-dir"); dir != nullptr && !dir->empty()) {
    DataDirectory() = dir->ends_with('/') ? *dir : *dir + "/";
  }
  if (in.Has("--read-only")) RewriteOldVersionsOnLoad() = false;
  return command.run(in);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "-h" || a == "--help"; })) {
    Print(HelpText());
    return kExitDone;
  }
  CollectRecordReports();
  int status = kExitDone;
  // Whatever a command raises ends here as one line: no input aborts.
  try {
    status = Run(args);
  } catch (const CommandError& e) {
    FlushRecordReports();
    SayLine(e.what(), e.Shape());
    status = e.Status();
  } catch (const JsonInputError& e) {  // a document that describes no record: bad input
    FlushRecordReports();
    SayLine(e.what());
    status = kExitBadInput;
  } catch (const Error& e) {
    FlushRecordReports();
    SayLine(e.Description());
    status = kExitFailed;
  } catch (const nlohmann::json::exception& e) {
    FlushRecordReports();
    SayLine(JsonLibraryMessage(e));
    status = kExitFailed;
  } catch (const std::bad_alloc&) {
    SayLine("out of memory");
    status = kExitFailed;
  } catch (const std::exception& e) {
    SayLine(e.what());
    status = kExitFailed;
  }
  FlushRecordReports();
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    SayLine("standard output: cannot be written");
    status = std::max(status, kExitFailed);
  }
  return status;
}
