// calendar show, set and diff: the day types of calendar files, as lines of
// text or as JSON (json/calendar_json.h).

#include <string>
#include <vector>

#include "arguments.h"
#include "calendar_files.h"
#include "command.h"
#include "json/calendar_json.h"
#include "messages.h"
#include "model/calendar/calendar.h"

namespace quindo::records {
namespace {

// A day list of a few thousand entries at most.
constexpr size_t kLongestDayList = size_t{16} << 20;

int Show(const Invocation& in) {
  const auto calendar = LoadCalendar(in.operands[0], kExitFailed);
  if (in.Has("--json")) {
    Print(CalendarDaysToJson(*calendar).dump(2) + "\n");
    return kExitDone;
  }
  std::string out;
  for (int32_t day = 0; day < cCalendar::kDays; ++day) {
    const int16_t type = calendar->GetDayType(day);
    if (type != 0) out += DayNumberText(day) + '\t' + std::to_string(type) + '\n';
  }
  Print(out);
  return kExitDone;
}

// Every change is checked before the file is read or written.
int Set(const Invocation& in) {
  const std::string& name = in.operands[0];
  const bool json = in.Has("--json");
  if (json ? in.operands.size() != 1 : in.operands.size() < 3 || in.operands.size() % 2 == 0) {
    throw UsageError(json ? "takes no DATE TYPE pairs with --json"
                          : "needs DATE TYPE pairs: calendar set FILE DATE TYPE [DATE TYPE]...");
  }
  std::vector<CalendarDay> changes;
  if (json) changes = CalendarDaysFromJson(ParseJsonDocument(ReadInputDocument("-", kLongestDayList)));
  for (size_t i = 1; i + 1 < in.operands.size(); i += 2) {
    changes.push_back({DateArgument(in.operands[i], "DATE"),
                       static_cast<int16_t>(WholeNumberArgument(in.operands[i + 1], -32768, 32767, "TYPE"))});
  }
  const std::unique_ptr<cCalendar> calendar = LoadCalendarForChange(name);
  for (const CalendarDay& change : changes) calendar->SetDayType(change.day_number, change.day_type);
  SaveCalendar(*calendar, name);
  return kExitDone;
}

// diff: 0 equal, 1 different, 2 trouble, as diff and cmp tell them apart.
int Diff(const Invocation& in) {
  const auto first = LoadCalendar(in.operands[0], kExitBadInput);
  const auto second = LoadCalendar(in.operands[1], kExitBadInput);
  const std::vector<int32_t> days = CalendarDifferences(*first, *second, in.Has("--all"));
  if (in.Has("--json")) {
    Print(CalendarDifferencesToJson(*first, *second, days).dump(2) + "\n");
  } else {
    std::string out;
    for (const int32_t day : days) {
      out += DayNumberText(day) + '\t' + std::to_string(first->GetDayType(day)) + '\t' +
             std::to_string(second->GetDayType(day)) + '\n';
    }
    Print(out);
  }
  return days.empty() ? kExitDone : kExitFailed;
}

}  // namespace

std::vector<Command> CalendarCommands() {
  return {
      {"calendar show", "FILE [--json] [--read-only]",
       R"(One line per day whose type is not 0, in date order:
YYYY-MM-DD <TAB> type; with --json an array of {"Date": "YYYY-MM-DD",
"DayType": type}.
)",
       {"--json", "--read-only"}, 1, 1, Show},
      {"calendar set", "FILE DATE TYPE [DATE TYPE]... | FILE --json < DAYS.json",
       R"(Sets each DATE (YYYY-MM-DD, 2000-01-01..2039-12-31) to the day type
TYPE (-32768..32767; 0 = the date's own weekday, 1..7 = Monday..Sunday,
8..23 = special day types 1..16), or with --json each day of the list read
from standard input (as calendar show --json prints it), and saves FILE,
which is created when missing. Every day is checked before anything is
written. A hidden file or a name that is no ordinary file is not changed
(status 1).
)",
       {"--json"}, 1, kAnyNumber, Set},
      {"calendar diff", "FILE1 FILE2 [--all] [--json] [--read-only]",
       R"(No output and status 0 when every day is equal; otherwise status 1 and
the first differing day (with --all every one): YYYY-MM-DD <TAB> type1
<TAB> type2, or with --json an array of {"Date": "YYYY-MM-DD", "DayTypes":
[type1, type2]}. A file that is missing or cannot be read gives status 2.
)",
       {"--all", "--json", "--read-only"}, 2, 2, Diff},
  };
}

}  // namespace quindo::records
