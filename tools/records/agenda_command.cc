// agenda: every change of every profile's active state in a window, every
// profile's state at one minute, or every profile's active stretches as an
// iCalendar file.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "arguments.h"
#include "calendar_files.h"
#include "command.h"
#include "directory_records.h"
#include "ical/duty_calendar.h"
#include "messages.h"
#include "model/agenda/agenda.h"
#include "model/calendar/calendar.h"
#include "model/profile/profile_naming.h"
#include "model/schedule/time_schedule.h"
#include "stored_records.h"

namespace quindo::records {
namespace {

using nlohmann::ordered_json;

constexpr size_t kLongestNameColumn = 24;
// "special day type 16 (calendar)"
constexpr size_t kDecisionColumn = 30;

std::string MinuteText(int32_t minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", minute / 60, minute % 60);
  return text;
}

ordered_json PeriodJson(const ProfileState& state) {
  return state.period ? ordered_json{state.period->m_StartMinute, state.period->m_StopMinute} : ordered_json(nullptr);
}

// The fields that `profile active` gives, from Active to Period.
void AddStateFields(ordered_json& out, const ProfileState& state) {
  out["Active"] = state.active;
  out["CalendarDayType"] = state.calendar_day_type;
  out["DayType"] = state.day_type ? ordered_json(*state.day_type) : ordered_json(nullptr);
  out["DecidedBy"] = DeciderName(state.decided_by);
  out["Period"] = PeriodJson(state);
}

// "special day type 1 (calendar)", "Monday (weekday)", "no schedule".
std::string DecisionText(const ProfileState& state) {
  if (!state.day_type) return std::string(DeciderName(state.decided_by));
  return DayTypeLabel(*state.day_type) + " (" + std::string(DeciderName(state.decided_by)) + ")";
}

std::string PeriodText(const ProfileState& state) {
  if (!state.period) return "-";
  return MinuteText(state.period->m_StartMinute) + "-" + MinuteText(state.period->m_StopMinute);
}

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

// Names on one line, cut to the column's width (at a character's start).
std::string NameColumn(const std::string& name, size_t width) {
  std::string text = name;
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  if (text.size() > width) {
    size_t cut = width;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
  }
  return Padded(text, width);
}

size_t NameWidth(const std::vector<const cProfile*>& profiles) {
  size_t width = 4;
  for (const cProfile* p : profiles) width = std::max(width, std::min(p->GetName().size(), kLongestNameColumn));
  return width;
}

std::unique_ptr<cCalendar> CalendarOption(const Invocation& in) {
  if (const std::string* name = in.Value("--calendar")) return LoadCalendar(*name, kExitFailed);
  return nullptr;
}

void WarnOfMissingCalendar(const std::vector<const cProfile*>& profiles, const cCalendar* calendar) {
  if (calendar) return;
  size_t using_calendar = 0;
  for (const cProfile* p : profiles) {
    using_calendar += p->m_UseTimeSchedule != 0 && p->m_TimeSchedule && p->m_TimeSchedule->m_UseCalendar != 0;
  }
  if (using_calendar > 0) {
    SayLine(std::to_string(using_calendar) + (using_calendar == 1 ? " profile uses" : " profiles use") +
            " the calendar, and no --calendar was given: the weekday decides every date");
  }
}

struct Window {
  ScheduleTime from;
  ScheduleTime to;
};

Window WindowOf(const Invocation& in) {
  const std::string* from_text = in.Value("--from");
  if (from_text == nullptr) throw UsageError("missing --from \"YYYY-MM-DD HH:MM\" (or --at)");
  const ScheduleTime from = WallClockArgument(*from_text, "--from");
  const std::string* to_text = in.Value("--to");
  const std::string* hours_text = in.Value("--hours");
  if ((to_text == nullptr) == (hours_text == nullptr)) throw UsageError("give either --to or --hours");
  ScheduleTime to;
  if (to_text != nullptr) {
    to = WallClockArgument(*to_text, "--to");
    if (to <= from) throw UsageError("--to " + *to_text + " is not after --from " + *from_text);
  } else {
    const int64_t room = (MinutesOf(kEndOfCalendar) - MinutesOf(from)) / 60;
    const int64_t hours = WholeNumberArgument(*hours_text, 1, std::max<int64_t>(room, 1), "--hours");
    to = TimeOfMinutes(MinutesOf(from) + static_cast<int32_t>(hours) * 60);
    if (to > kEndOfCalendar) throw UsageError("--hours " + *hours_text + " reaches beyond 2039");
  }
  return {from, to};
}

void PrintChanges(const std::vector<const cProfile*>& profiles, const cCalendar* calendar, Window window,
                  bool jsonl) {
  const std::vector<AgendaEntry> entries = Agenda(profiles, calendar, window.from, window.to);
  const size_t name_width = NameWidth(profiles);
  std::string out;
  if (!jsonl) {
    out += Padded("Time", 16) + "    ID  " + Padded("Name", name_width) + "  State     " +
           Padded("Decided by", kDecisionColumn) + "  Period\n";
  }
  for (const AgendaEntry& e : entries) {
    if (jsonl) {
      ordered_json line;
      line["Time"] = FormatScheduleTime(e.time);
      line["DiskIdentity"] = e.disk_identity;
      line["Name"] = e.name;
      AddStateFields(line, e.state);
      out += line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    } else {
      char identity[16];
      std::snprintf(identity, sizeof identity, "%4d", e.disk_identity);
      out += FormatScheduleTime(e.time) + "  " + identity + "  " + NameColumn(e.name, name_width) + "  " +
             Padded(e.state.active ? "active" : "inactive", 8) + "  " +
             Padded(DecisionText(e.state), kDecisionColumn) + "  " + PeriodText(e.state) + "\n";
    }
    if (out.size() > (1 << 16)) {
      Print(out);
      out.clear();
    }
  }
  Print(out);
}

void PrintStates(const std::vector<const cProfile*>& profiles, const cCalendar* calendar, ScheduleTime at,
                 bool jsonl) {
  const size_t name_width = NameWidth(profiles);
  std::string out;
  if (!jsonl) {
    out += "  ID  " + Padded("Name", name_width) + "  State     " + Padded("Decided by", kDecisionColumn) +
           "  Period       Next change\n";
  }
  for (const cProfile* p : profiles) {
    const ProfileState state = ProfileStateAt(*p, calendar, at);
    const std::optional<ScheduleTime> next = ProfileNextChange(*p, calendar, at);
    if (jsonl) {
      ordered_json line;
      line["DiskIdentity"] = p->m_DiskIdentity;
      line["Name"] = p->GetName();
      AddStateFields(line, state);
      line["NextChange"] = next ? ordered_json(FormatScheduleTime(*next)) : ordered_json(nullptr);
      out += line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    } else {
      char identity[16];
      std::snprintf(identity, sizeof identity, "%4d", p->m_DiskIdentity);
      out += std::string(identity) + "  " + NameColumn(p->GetName(), name_width) + "  " +
             Padded(state.active ? "active" : "inactive", 8) + "  " + Padded(DecisionText(state), kDecisionColumn) +
             "  " + Padded(PeriodText(state), 11) + "  " + (next ? FormatScheduleTime(*next) : "never") + "\n";
    }
  }
  Print(out);
}

void PrintIcs(const std::vector<const cProfile*>& profiles, const cCalendar* calendar, Window window, bool utc) {
  std::vector<ical::DutyEvent> events;
  for (const cProfile* p : profiles) {
    for (ical::DutyEvent& e : ical::DutyEventsOf(*p, calendar, window.from, window.to)) events.push_back(std::move(e));
  }
  const ical::DutyCalendarOptions options{
      .from = window.from, .to = window.to, .utc = utc, .zone = {}, .stamp = std::time(nullptr)};
  Print(ical::WriteDutyCalendar(events, options).text);
}

int AgendaCommand(const Invocation& in) {
  const bool jsonl = in.Has("--jsonl");
  const bool ics = in.Has("--ics");
  if (jsonl && ics) throw UsageError("give either --jsonl or --ics");
  if (in.Has("--utc") && !ics) throw UsageError("--utc is for --ics");
  const std::string* at_text = in.Value("--at");
  if (at_text != nullptr && (in.Value("--from") || in.Value("--to") || in.Value("--hours") || ics)) {
    throw UsageError("--at takes no window (--from, --to, --hours) and no --ics");
  }
  std::optional<ScheduleTime> at;
  std::optional<Window> window;
  if (at_text != nullptr) {
    at = WallClockArgument(*at_text, "--at");
  } else {
    window = WindowOf(in);
  }
  const std::unique_ptr<cCalendar> calendar = CalendarOption(in);
  const LoadedRecords<cProfile> loaded = LoadAllProfiles(kExitFailed);
  const std::vector<const cProfile*> profiles = loaded.Pointers();
  WarnOfMissingCalendar(profiles, calendar.get());
  if (at) {
    PrintStates(profiles, calendar.get(), *at, jsonl);
  } else if (ics) {
    PrintIcs(profiles, calendar.get(), *window, in.Has("--utc"));
  } else {
    PrintChanges(profiles, calendar.get(), *window, jsonl);
  }
  // The others' answers stand; the status says that some are missing.
  SayUnreadable(loaded.unreadable);
  return loaded.unreadable.empty() ? kExitDone : kExitFailed;
}

int ProfileIcs(const Invocation& in) {
  const int16_t identity = IdentityArgument(in.operands[0]);
  const std::string* from_text = in.Value("--from");
  const std::string* to_text = in.Value("--to");
  if (from_text == nullptr || to_text == nullptr) throw UsageError("missing --from or --to YYYY-MM-DD");
  const int32_t first = DateArgument(*from_text, "--from");
  const int32_t last = DateArgument(*to_text, "--to");
  if (last < first) throw UsageError("--to " + *to_text + " lies before --from " + *from_text);
  const std::unique_ptr<cCalendar> calendar = CalendarOption(in);
  cProfile profile;
  LoadStoredRecord("profile", ProfilesDirectory(), profile, identity);
  WarnOfMissingCalendar({&profile}, calendar.get());
  PrintIcs({&profile}, calendar.get(), {{first, 0}, {last + 1, 0}}, in.Has("--utc"));
  return kExitDone;
}

}  // namespace

std::vector<Command> AgendaCommands() {
  return {
      {"agenda",
       "(--from TIME (--to TIME|--hours N) [--jsonl|--ics [--utc]] | --at TIME [--jsonl]) [--calendar FILE] "
       "[--read-only]",
       R"(TIME is a local time "YYYY-MM-DD HH:MM" of 2000..2039, or now.
Every change of a profile's active state from --from up to (not
including) --to, or for N hours: one line each, by time then identity,
with the time, identity, name, new state, the day type that decided (and
whether the calendar FILE or the weekday did) and the period that begins,
or for a change to inactive the period that ended. A profile that does not
use its schedule, or is disabled, is listed once at --from with why it
never changes. --jsonl: one JSON object a line, {"Time": "YYYY-MM-DD
HH:MM", "DiskIdentity": n, "Name": "...", "Active": true|false,
"CalendarDayType": t, "DayType": s or null, "DecidedBy": "calendar"|
"weekday"|"no schedule"|"disabled", "Period": [start, stop] or null}, the
fields as profile active gives them.
--at: every profile's state at that minute, by identity, with its next
change ("who is on now"); with --jsonl one object a profile with
DiskIdentity, Name, Active, CalendarDayType, DayType, DecidedBy, Period
and NextChange.
--ics: the window's active stretches of every profile as an iCalendar
file on standard output (as profile ics writes it).
Times are wall-clock minutes of the system's zone: a minute that the
change to summer time skips is answered as any other, and a change there
lies at that minute; a repeated hour is one hour of minutes. An
unreadable profile file is named on standard error and the others listed;
the status is then 1.
)",
       {"--from", "--to", "--hours", "--at", "--jsonl", "--ics", "--utc", "--calendar", "--read-only"}, 0, 0,
       AgendaCommand},
      {"profile ics", "ID --from YYYY-MM-DD --to YYYY-MM-DD [--calendar FILE] [--utc] [--read-only]",
       R"(Writes an iCalendar file (RFC 5545) of profile ID's active stretches from
the start of --from to the end of --to (both dates included) to standard
output: one event per stretch (a stretch across midnight is one event),
named after the profile, its description naming the day types that
decided, with a UID of the profile and the stretch's start, so that a
calendar app that imports a window again updates the same events. Times
are local with the system zone's TZID and VTIMEZONE (TZ, else
/etc/timezone, else /etc/localtime); --utc writes UTC. A local minute that
the change to summer time skips is read as RFC 5545 reads it (02:30 is
03:30 summer time); a repeated local minute is its first pass.
)",
       {"--from", "--to", "--calendar", "--utc", "--read-only"}, 1, 1, ProfileIcs},
  };
}

}  // namespace quindo::records
