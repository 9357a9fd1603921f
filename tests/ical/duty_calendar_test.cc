// Schedules written as iCalendar: a stretch across midnight is one event,
// local times carry the zone's TZID and VTIMEZONE, and the minutes that
// daylight saving skips or repeats in Europe/Berlin are pinned in local and
// in UTC form. The file is read back with libical's parser, so that what
// is checked is what a reader gets (unfolded and unescaped).
#include "ical/duty_calendar.h"

#include <cstdlib>
#include <map>

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
}

// The two Sundays on which the clocks change in 2024: 02:30 on 31 March
// does not exist and 02:30 on 27 October exists twice. Such a minute is
// written in UTC, read as RFC 5545 reads a local time (readers of local
// times differ on the repeated one); other times stay local.
TEST(DutyCalendarTest, DaylightSavingDaysInBerlinKeepWallClockTimes) {
  auto early = ScheduledProfile(7, "Early");
  AddPeriod(*early, kSunday, 150, 240);  // 02:30-04:00
  struct {
    ScheduleTime day;
    const char* local_start;
    const char* utc_start;
    const char* utc_end;
  } const cases[] = {
      {At(2024, 3, 31, 0, 0), "20240331T013000Z", "20240331T013000Z", "20240331T020000Z"},   // skipped: +01:00
      {At(2024, 10, 27, 0, 0), "20241027T003000Z", "20241027T003000Z", "20241027T030000Z"},  // repeated: first pass
      {At(2024, 7, 7, 0, 0), "20240707T023000", "20240707T003000Z", "20240707T020000Z"},
      {At(2024, 1, 7, 0, 0), "20240107T023000", "20240107T013000Z", "20240107T030000Z"},
  };
  for (const auto& c : cases) {
    const ScheduleTime to = TimeOfMinutes(MinutesOf(c.day) + 1440);
    const std::vector<DutyEvent> events = DutyEventsOf(*early, nullptr, c.day, to);
    DutyCalendarOptions options{c.day, to, false, "Europe/Berlin", 0};
    const std::vector<ReadEvent> local = ReadBack(WriteDutyCalendar(events, options).text);
    options.utc = true;
    const std::vector<ReadEvent> utc = ReadBack(WriteDutyCalendar(events, options).text);
    ASSERT_EQ(local.size(), 1u);
    ASSERT_EQ(utc.size(), 1u);
    EXPECT_EQ(local[0].start, c.local_start);
    EXPECT_EQ(utc[0].start, c.utc_start) << c.local_start;
    EXPECT_EQ(utc[0].end, c.utc_end) << c.local_start;
  }
  // 02:30-03:00 on the day the clocks skip 02:00-03:00 would end, read as
  // RFC 5545 reads it, half an hour before it starts: it is left out.
  auto skipped = ScheduledProfile(8, "Skipped");
  AddPeriod(*skipped, kSunday, 150, 180);
  const ScheduleTime day = At(2024, 3, 31, 0, 0), next = At(2024, 4, 1, 0, 0);
  EXPECT_TRUE(ReadBack(WriteDutyCalendar(DutyEventsOf(*skipped, nullptr, day, next),
                                         {day, next, true, "Europe/Berlin", 0}).text).empty());
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
