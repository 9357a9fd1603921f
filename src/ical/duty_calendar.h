#pragma once
// Profiles' active stretches as an iCalendar file (RFC 5545), written by
// libical: one VEVENT per stretch in the window (a stretch across midnight
// is one event), with the profile's name as SUMMARY, the day types that
// decided as DESCRIPTION and a UID made of the profile's identity and the
// stretch's start, so that exporting a window again updates the same
// events. Times are local, in the system's zone (TZID and its VTIMEZONE),
// or UTC.

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <vector>

#include "model/agenda/agenda.h"

namespace quindo {
class cCalendar;
class cProfile;
}  // namespace quindo

namespace quindo::ical {

struct DutyEvent {
  int16_t disk_identity = -1;
  std::string name;
  ActiveStretch stretch;
  std::string description;
};

// The profile's stretches in [from, to) (ActiveStretches) as events.
std::vector<DutyEvent> DutyEventsOf(const cProfile& profile, const cCalendar* calendar, ScheduleTime from,
                                    ScheduleTime to);

struct DutyCalendarOptions {
  ScheduleTime from;  // the window the events lie in
  ScheduleTime to;
  bool utc = false;  // UTC times instead of local ones
  // The zone of local times; empty for the system's (SystemZoneName). A
  // zone that libical does not know, or UTC, gives UTC times.
  std::string zone;
  std::time_t stamp = 0;  // DTSTAMP: when the file is made
};

struct DutyCalendar {
  std::string text;  // the iCalendar file, CRLF line ends
  std::string zone;  // the TZID of its times; empty when they are UTC
};

DutyCalendar WriteDutyCalendar(std::span<const DutyEvent> events, const DutyCalendarOptions& options);

}  // namespace quindo::ical
