#include "ical/duty_calendar.h"

#include <cstdio>
#include <memory>

#include <libical/ical.h>

#include "ical/local_zone.h"
#include "model/profile/profile.h"

namespace quindo::ical {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

// What decided a stretch: the deciding day type of each day it touches,
// at its first active minute of that day.
std::string DescriptionOf(const cProfile& profile, const cCalendar* calendar, const ActiveStretch& stretch) {
  std::vector<std::string> deciders;
  const int32_t last_day = TimeOfMinutes(MinutesOf(stretch.stop) - 1).day_number;
  for (int32_t day = stretch.start.day_number; day <= last_day; ++day) {
    const int32_t minute = day == stretch.start.day_number ? stretch.start.minute : 0;
    const ProfileState state = ProfileStateAt(profile, calendar, {day, minute});
    if (!state.day_type) return "Active at all times: the profile does not use its time schedule.";
    const std::string decider = DayTypeLabel(*state.day_type) + " (by the " +
                                std::string(DeciderName(state.decided_by)) + ")";
    if (deciders.empty() || deciders.back() != decider) deciders.push_back(decider);
  }
  std::string text = deciders.size() == 1 ? "Schedule day type: " : "Schedule day types: ";
  for (size_t i = 0; i < deciders.size(); ++i) text += (i ? ", then " : "") + deciders[i];
  return text + ".";
}

std::string UidOf(const DutyEvent& event) {
  const CivilDateTime c = CivilFromDayNumber(event.stretch.start.day_number);
  char uid[96];
  std::snprintf(uid, sizeof uid, "profile-%d-%04d%02d%02dT%02d%02d@quindo-profiles", event.disk_identity, c.year,
                c.month, c.day, event.stretch.start.minute / 60, event.stretch.start.minute % 60);
  return uid;
}

icaltimetype FloatingTime(ScheduleTime t) {
  const CivilDateTime c = CivilFromDayNumber(t.day_number);
  icaltimetype time = icaltime_null_time();
  time.year = c.year;
  time.month = c.month;
  time.day = c.day;
  time.hour = t.minute / 60;
  time.minute = t.minute % 60;
  return time;
}

// Wall-clock minutes of the zone (none: of UTC), written as local times
// with the zone's TZID or as UTC; a minute that the zone skips or repeats
// is always written in UTC, which every reader reads alike.
struct TimeWriter {
  const LocalZone* zone = nullptr;
  bool local = false;

  // DTSTART or DTEND.
  icalproperty* operator()(icalproperty* (*make)(icaltimetype), ScheduleTime t) const {
    if (!local || !zone->HasOneInstant(t)) return make(UtcTime(zone ? zone->UtcSecondsOf(t) : UtcSecondsOfMinute(t)));
    icalproperty* property = make(FloatingTime(t));
    icalproperty_add_parameter(property, icalparameter_new_tzid(zone->Name().c_str()));
    return property;
  }
};

struct ComponentDeleter {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

}  // namespace

std::vector<DutyEvent> DutyEventsOf(const cProfile& profile, const cCalendar* calendar, ScheduleTime from,
                                    ScheduleTime to) {
  std::vector<DutyEvent> events;
  for (const ActiveStretch& stretch : ActiveStretches(profile, calendar, from, to)) {
    events.push_back({profile.m_DiskIdentity, profile.GetName(), stretch, DescriptionOf(profile, calendar, stretch)});
  }
  return events;
}

DutyCalendar WriteDutyCalendar(std::span<const DutyEvent> events, const DutyCalendarOptions& options) {
  const std::optional<LocalZone> zone = LocalZone::Named(options.zone.empty() ? SystemZoneName() : options.zone);
  const TimeWriter write_time{zone ? &*zone : nullptr, zone && !options.utc};

  std::unique_ptr<icalcomponent, ComponentDeleter> calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Quindo Profiles//quindo-records//EN"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
  if (write_time.local) {
    // A day's margin on each side covers every offset a local time may have.
    icalcomponent_add_component(calendar.get(),
                                zone->NewVTimezone(UtcSecondsOfMinute(options.from) - kSecondsPerDay,
                                                   UtcSecondsOfMinute(options.to) + kSecondsPerDay));
  }
  for (const DutyEvent& e : events) {
    // A stretch from a skipped minute to the end of the skipped hour
    // (02:30-03:00) would end before it starts, as RFC 5545 reads it.
    if (zone && zone->UtcSecondsOf(e.stretch.stop) <= zone->UtcSecondsOf(e.stretch.start)) continue;
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(UidOf(e).c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(UtcTime(options.stamp)));
    icalcomponent_add_property(event, write_time(icalproperty_new_dtstart, e.stretch.start));
    icalcomponent_add_property(event, write_time(icalproperty_new_dtend, e.stretch.stop));
    icalcomponent_add_property(event, icalproperty_new_summary(e.name.c_str()));
    icalcomponent_add_property(event, icalproperty_new_description(e.description.c_str()));
    icalcomponent_add_component(calendar.get(), event);
  }
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  DutyCalendar result{text, write_time.local ? zone->Name() : std::string()};
  icalmemory_free_buffer(text);
  return result;
}

}  // namespace quindo::ical
