#include "ical/local_zone.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <fstream>

namespace quindo::ical {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// 1970-01-01 to 2000-01-01.
constexpr int64_t kDaysBeforeDayZero = 10957;

// "…/zoneinfo/Europe/Berlin" -> "Europe/Berlin"; other texts unchanged.
std::string AfterZoneinfo(const std::string& path) {
  const std::string marker = "zoneinfo/";
  const size_t at = path.rfind(marker);
  return at == std::string::npos ? path : path.substr(at + marker.size());
}

bool IsUtcName(const std::string& name) {
  for (const char* utc : {"UTC", "Etc/UTC", "UCT", "Etc/UCT", "Universal", "Etc/Universal", "Zulu", "Etc/Zulu"}) {
    if (name == utc) return true;
  }
  return false;
}

}  // namespace

icaltimetype UtcTime(int64_t seconds) {
  return icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0, icaltimezone_get_utc_timezone());
}

std::string SystemZoneName() {
  if (const char* tz = std::getenv("TZ"); tz != nullptr) {
    std::string name = tz;
    if (name.starts_with(':')) name.erase(0, 1);
    return name.empty() ? "UTC" : AfterZoneinfo(name);
  }
  std::string line;
  if (std::ifstream file("/etc/timezone"); file && std::getline(file, line) && !line.empty()) return line;
  std::array<char, 512> link{};
  const ssize_t length = ::readlink("/etc/localtime", link.data(), link.size() - 1);
  if (length > 0) return AfterZoneinfo(std::string(link.data(), static_cast<size_t>(length)));
  return "UTC";
}

int64_t UtcSecondsOfMinute(ScheduleTime time) {
  return (time.day_number + kDaysBeforeDayZero) * kSecondsPerDay + int64_t{time.minute} * 60;
}

std::optional<LocalZone> LocalZone::Named(const std::string& name) {
  if (IsUtcName(name)) return std::nullopt;
  icaltimezone* zone = icaltimezone_get_builtin_timezone(name.c_str());
  if (zone == nullptr) return std::nullopt;
  return LocalZone(name, zone);
}

int LocalZone::OffsetAt(int64_t utc_seconds) const {
  icaltimetype t = UtcTime(utc_seconds);
  int is_daylight = 0;
  return icaltimezone_get_utc_offset_of_utc_time(zone_, &t, &is_daylight);
}

int64_t LocalZone::UtcSecondsOf(ScheduleTime wall) const {
  // The offsets a day before and a day after: a wall-clock time that either
  // gives back is real; the earlier one wins (the first pass), and one that
  // neither gives back lies in the skipped hour and takes the earlier.
  const int64_t local = UtcSecondsOfMinute(wall);
  const int before = OffsetAt(local - kSecondsPerDay);
  const int after = OffsetAt(local + kSecondsPerDay);
  if (OffsetAt(local - before) != before && OffsetAt(local - after) == after) return local - after;
  return local - before;
}

bool LocalZone::HasOneInstant(ScheduleTime wall) const {
  const int64_t local = UtcSecondsOfMinute(wall);
  const int before = OffsetAt(local - kSecondsPerDay);
  const int after = OffsetAt(local + kSecondsPerDay);
  if (before == after) return true;
  // Exactly one of the two offsets gives the minute back.
  return (OffsetAt(local - before) == before) != (OffsetAt(local - after) == after);
}

icalcomponent* LocalZone::NewVTimezone(int64_t from_utc, int64_t to_utc) const {
  icalcomponent* vtimezone = icalcomponent_new_clone(icaltimezone_get_component(zone_));
  icaltimezone_truncate_vtimezone(vtimezone, UtcTime(from_utc), UtcTime(to_utc), 0);
  // libical names the zones it builds from the system's data with a prefix
  // of its own; the file names the zone as the system does.
  icalproperty* tzid = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
  icalproperty_set_tzid(tzid, name_.c_str());
  return vtimezone;
}

}  // namespace quindo::ical
