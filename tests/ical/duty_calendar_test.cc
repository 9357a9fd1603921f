// Schedules written as iCalendar: a stretch across midnight is one event,
// local times carry the zone's TZID and VTIMEZONE, a minute that daylight
// saving skips is written in UTC, and a stretch of no time is left out. The
// file is read back with libical's parser, so that what is checked is what a
// reader gets (unfolded and unescaped).
#include "ical/duty_calendar.h"

#include <cstdlib>

#include <gtest/gtest.h>
#include <libical/ical.h>

#include "ical/local_zone.h"
#include "scheduled_profile.h"

namespace quindo::ical {
namespace {

constexpr int16_t kSunday = 6;

struct ReadEvent {
  std::string uid, summary, description, start, end, start_zone;
};

// The VEVENTs of a file as a reader sees them, and the VTIMEZONE's TZID.
std::vector<ReadEvent> ReadBack(const std::string& text, std::string* vtimezone = nullptr) {
  icalcomponent* calendar = icalparser_parse_string(text.c_str());
  EXPECT_NE(calendar, nullptr);
  std::vector<ReadEvent> events;
  if (calendar == nullptr) return events;
  icalcomponent* tz = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
  if (vtimezone != nullptr) {
    *vtimezone = tz ? icalproperty_get_tzid(icalcomponent_get_first_property(tz, ICAL_TZID_PROPERTY)) : "";
  }
  for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e != nullptr;
       e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
    icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
    icalparameter* zone = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
    events.push_back({icalcomponent_get_uid(e), icalcomponent_get_summary(e), icalcomponent_get_description(e),
                      icaltime_as_ical_string(icalproperty_get_dtstart(start)),
                      icaltime_as_ical_string(icalcomponent_get_dtend(e)), zone ? icalparameter_get_tzid(zone) : ""});
  }
  icalcomponent_free(calendar);
  return events;
}

TEST(DutyCalendarTest, NightShiftAcrossMidnightIsOneEventInLocalTimeOrUtc) {
  auto night = ScheduledProfile(42, "Night, shift; Köln \"B\" with a name long enough to be folded by the writer");
  AddPeriod(*night, 2, 1320, 1440);  // Wednesday 22:00 into Thursday 06:00
  AddPeriod(*night, 3, 0, 360);
  const ScheduleTime from = At(2024, 1, 10, 0, 0);
  const ScheduleTime to = At(2024, 1, 12, 0, 0);
  const std::vector<DutyEvent> events = DutyEventsOf(*night, nullptr, from, to);
  ASSERT_EQ(events.size(), 1u);

  DutyCalendarOptions options{from, to, false, "Europe/Berlin", 1704067200};
  const DutyCalendar local = WriteDutyCalendar(events, options);
  EXPECT_EQ(local.zone, "Europe/Berlin");
  EXPECT_NE(local.text.find("\r\n "), std::string::npos) << "long lines are folded";
  std::string vtimezone;
  const std::vector<ReadEvent> read = ReadBack(local.text, &vtimezone);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(vtimezone, "Europe/Berlin");
  EXPECT_EQ(read[0].start_zone, "Europe/Berlin");
  EXPECT_EQ(read[0].start, "20240110T220000");
  EXPECT_EQ(read[0].end, "20240111T060000");
  EXPECT_EQ(read[0].summary, night->GetName());
  EXPECT_EQ(read[0].description, "Schedule day types: Wednesday (by the weekday), then Thursday (by the weekday).");
  EXPECT_EQ(read[0].uid, "profile-42-20240110T2200@quindo-profiles");

  options.utc = true;
  const DutyCalendar utc = WriteDutyCalendar(events, options);
  EXPECT_EQ(utc.zone, "");
  EXPECT_EQ(utc.text.find("VTIMEZONE"), std::string::npos);
  const std::vector<ReadEvent> read_utc = ReadBack(utc.text);
  ASSERT_EQ(read_utc.size(), 1u);
  EXPECT_EQ(read_utc[0].start, "20240110T210000Z");
  EXPECT_EQ(read_utc[0].end, "20240111T050000Z");
  EXPECT_EQ(read_utc[0].uid, read[0].uid);

  // A stretch that ends at midnight names its own day only.
  auto late = ScheduledProfile(43, "Late");
  AddPeriod(*late, 2, 1320, 1440);
  EXPECT_EQ(DutyEventsOf(*late, nullptr, from, to).at(0).description,
            "Schedule day type: Wednesday (by the weekday).");
}

// The minutes that daylight saving skips or repeats are written in UTC;
// the agenda command's test reads such files back with a second reader on
// both Sundays of 2024. 02:00 or 02:30 to 03:00 on the day the clocks skip
// 02:00-03:00 would end, read as RFC 5545 reads it, when or half an hour
// before it starts: it is left out.
TEST(DutyCalendarTest, SkippedMinutesAreWrittenInUtcAndStretchesOfNoTimeLeftOut) {
  const ScheduleTime day = At(2024, 3, 31, 0, 0), next = At(2024, 4, 1, 0, 0);
  auto early = ScheduledProfile(7, "Early");
  AddPeriod(*early, kSunday, 150, 240);  // 02:30 is 01:30 UTC (+01:00)
  const auto read = ReadBack(WriteDutyCalendar(DutyEventsOf(*early, nullptr, day, next),
                                               {day, next, false, "Europe/Berlin", 0}).text);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].start, "20240331T013000Z");

  for (const int16_t start : {120, 150}) {
    auto skipped = ScheduledProfile(8, "Skipped");
    AddPeriod(*skipped, kSunday, start, 180);
    const std::vector<DutyEvent> events = DutyEventsOf(*skipped, nullptr, day, next);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(ReadBack(WriteDutyCalendar(events, {day, next, true, "Europe/Berlin", 0}).text).empty()) << start;
    EXPECT_TRUE(ReadBack(WriteDutyCalendar(events, {day, next, false, "Europe/Berlin", 0}).text).empty()) << start;
  }
}

TEST(DutyCalendarTest, SystemZoneIsNamedByTzOrWrittenAsUtc) {
  const char* saved = std::getenv("TZ");
  const std::string restore = saved ? saved : "";
  const struct {
    const char* tz;
    const char* name;
  } cases[] = {{"Europe/Berlin", "Europe/Berlin"},
               {":America/New_York", "America/New_York"},
               {"/usr/share/zoneinfo/Asia/Tokyo", "Asia/Tokyo"},
               {"", "UTC"}};
  for (const auto& c : cases) {
    ::setenv("TZ", c.tz, 1);
    EXPECT_EQ(SystemZoneName(), c.name);
  }
  saved ? ::setenv("TZ", restore.c_str(), 1) : ::unsetenv("TZ");
  // UTC and zones libical does not know are written in UTC.
  EXPECT_FALSE(LocalZone::Named("Etc/UTC"));
  EXPECT_FALSE(LocalZone::Named("Nowhere/Special"));
  const DutyCalendarOptions options{At(2024, 1, 1, 0, 0), At(2024, 1, 2, 0, 0), false, "Nowhere/Special", 0};
  EXPECT_EQ(WriteDutyCalendar({}, options).zone, "");
}

}  // namespace
}  // namespace quindo::ical
