// check: the directory's records searched for rules that never fire and
// other silent surprises (model/check), one finding a line.

#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "calendar_files.h"
#include "command.h"
#include "common/dates.h"
#include "common/settings.h"
#include "directory_records.h"
#include "json/receiver_json.h"
#include "messages.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/check/findings.h"

namespace quindo::records {
namespace {

using nlohmann::ordered_json;

// Whose identity a finding carries.
std::string_view Owner(FindingKind kind) {
  switch (kind) {
    case FindingKind::kUnreadableFile: return "file";
    case FindingKind::kUnknownReceiverType:
    case FindingKind::kBackupMissing: return "receiver";
    default: return "profile";
  }
}

std::string FindingLine(const Finding& f, bool jsonl) {
  if (jsonl) {
    ordered_json line;
    line["Kind"] = FindingKindName(f.kind);
    line["DiskIdentity"] = f.disk_identity ? ordered_json(*f.disk_identity) : ordered_json(nullptr);
    line["Dates"] = ordered_json::array();
    for (const int32_t day : f.dates) line["Dates"].push_back(DayNumberText(day));
    line["Message"] = f.message;
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  }
  std::string text = std::string(FindingKindName(f.kind)) + ": ";
  if (f.disk_identity) text += std::string(Owner(f.kind)) + " " + std::to_string(*f.disk_identity) + ": ";
  text += f.message;
  for (size_t i = 0; i < f.dates.size(); ++i) text += (i == 0 ? " (" : ", ") + DayNumberText(f.dates[i]);
  if (!f.dates.empty()) text += ")";
  return Printable(text) + "\n";
}

Finding UnreadableFinding(const UnreadableFile& file) {
  Finding finding;
  finding.kind = FindingKind::kUnreadableFile;
  finding.disk_identity = file.disk_identity;
  finding.message = file.file_name + ": " + file.message;
  return finding;
}

int32_t ThisYear() { return CivilFromDate(Now()).year; }

int Check(const Invocation& in) {
  const std::string* year_text = in.Value("--year");
  const int32_t year = year_text ? YearArgument(*year_text, "--year") : ThisYear();
  if (year < 2000 || year > 2039) throw UsageError("this year lies outside 2000..2039: give --year");
  if (const std::string* types = in.Value("--receiver-types")) {
    try {
      LoadReceiverTypesFile(*types);
    } catch (const JsonInputError& e) {
      throw UsageError(std::string("--receiver-types ") + e.what());
    }
  }
  std::unique_ptr<cCalendar> calendar;
  if (const std::string* name = in.Value("--calendar")) calendar = LoadCalendar(*name, kExitBadInput);
  const LoadedRecords<cProfile> profiles = LoadAllProfiles(kExitBadInput);
  const LoadedRecords<cReceiver> receivers = LoadAllReceivers();
  const std::vector<const cProfile*> profile_pointers = profiles.Pointers();
  const std::vector<const cReceiver*> receiver_pointers = receivers.Pointers();
  const std::span<const ReceiverType> types(ReceiverTypes().data(),
                                            in.Value("--receiver-types") ? NumberOfReceiverTypes() : 0);
  const CheckInput input{.profiles = profile_pointers, .receivers = receiver_pointers, .calendar = calendar.get(),
                         .receiver_types = types, .year = year};
  std::vector<Finding> findings;
  for (const auto* unreadable : {&profiles.unreadable, &receivers.unreadable}) {
    for (const UnreadableFile& file : *unreadable) findings.push_back(UnreadableFinding(file));
  }
  for (Finding& f : CheckRecords(input)) findings.push_back(std::move(f));
  std::string out;
  for (const Finding& f : findings) out += FindingLine(f, in.Has("--jsonl"));
  Print(out);
  return findings.empty() ? kExitDone : kExitFailed;
}

}  // namespace

std::vector<Command> CheckCommands() {
  return {{"check", "[--calendar FILE] [--receiver-types FILE] [--year Y] [--jsonl] [--read-only]",
           R"(Searches the directory's profiles and receivers for rules that never fire
and other silent surprises in year Y (default: this year), one finding a
line: KIND: profile|receiver|file N: MESSAGE (DATES). Kinds:
unreadable-file (with the loader's message), never-active and
always-active (a profile that uses its schedule), weekday-decides
(calendar dates whose special day type the schedule has inactive, so the
weekday decides instead), period-beyond-day (minutes 1441..1445 left by
older saves), overlapping-periods (that a save would merge), no-receivers,
duplicate-name, unknown-receiver-type (with --receiver-types only) and
backup-missing (a backup receiver that is missing or disabled).
--jsonl: one object a line, {"Kind": "...", "DiskIdentity": n or null,
"Dates": ["YYYY-MM-DD", ...], "Message": "..."}. Exits 0 when it found
nothing, 1 when it found something, 2 when it could not read its input (the
data directory, the calendar, the type table).
)",
           {"--calendar", "--receiver-types", "--year", "--jsonl", "--read-only"}, 0, 0, Check}};
}

}  // namespace quindo::records
