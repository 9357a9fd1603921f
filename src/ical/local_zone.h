#pragma once
// The time zone that local times of an iCalendar file are written in: the
// system's zone by its IANA name, with libical's rules for it (from the
// system's zone data).

#include <cstdint>
#include <optional>
#include <string>

#include <libical/ical.h>

#include "model/schedule/schedule_answers.h"

namespace quindo::ical {

// The IANA name of the system's time zone: TZ when it names one
// ("Europe/Berlin", ":Europe/Berlin" or a path below a "zoneinfo/"
// directory), else the first line of /etc/timezone, else the zone that
// /etc/localtime links to; "UTC" when none names one.
std::string SystemZoneName();

// Seconds since 1970-01-01 00:00 UTC of a minute read as UTC, and libical's
// UTC time of such seconds.
int64_t UtcSecondsOfMinute(ScheduleTime time);
icaltimetype UtcTime(int64_t seconds);

class LocalZone {
 public:
  // None for UTC and for a name libical does not know.
  static std::optional<LocalZone> Named(const std::string& name);

  const std::string& Name() const { return name_; }

  // The instant of a wall-clock minute, as RFC 5545 reads a local time: a
  // minute that the change to summer time skips takes the offset from before
  // the change (02:30 is 03:30 summer time), and a minute that the change
  // back repeats is its first pass.
  int64_t UtcSecondsOf(ScheduleTime wall) const;

  // False for a wall-clock minute that the zone skips or repeats: readers
  // of local times differ on what such a minute is, so a file writes it in
  // UTC (as UtcSecondsOf reads it).
  bool HasOneInstant(ScheduleTime wall) const;

  // The zone's VTIMEZONE for times between the two instants, named Name();
  // the caller owns it.
  icalcomponent* NewVTimezone(int64_t from_utc, int64_t to_utc) const;

 private:
  LocalZone(std::string name, icaltimezone* zone) : name_(std::move(name)), zone_(zone) {}
  int OffsetAt(int64_t utc_seconds) const;

  std::string name_;
  icaltimezone* zone_;  // libical's, kept until the process ends
};

}  // namespace quindo::ical
