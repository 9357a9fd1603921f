// Holidays read from an iCalendar file: all-day events and the days they
// cover, recurrences with their exceptions and moved instances, and what is
// left out (timed, cancelled, outside 2000..2039) with its count.
#include "ical/all_day_dates.h"

#include <gtest/gtest.h>

#include "error_number.h"
#include "model/calendar/day_number.h"

namespace quindo::ical {
namespace {

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + events + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& uid, const std::string& lines) {
  return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\n" + lines + "END:VEVENT\r\n";
}

int32_t Day(int y, int m, int d) { return DayNumberFromCivil(y, m, d); }

TEST(AllDayDatesTest, ExpandsAllDayEventsAndCountsWhatItLeavesOut) {
  const std::string text = Calendar(
      Event("christmas", "DTSTART;VALUE=DATE:20241225\r\nDTEND;VALUE=DATE:20241227\r\nSUMMARY:Christmas\r\n") +
      // Yearly from 1999: 2000 excluded, 2001 moved to 2 May, 2002 cancelled;
      // the rule ends in 2003, one more date comes by RDATE.
      Event("may", "DTSTART;VALUE=DATE:19990501\r\nRRULE:FREQ=YEARLY;UNTIL=20030501\r\n"
                   "EXDATE;VALUE=DATE:20000501\r\nRDATE;VALUE=DATE:20100501\r\n") +
      Event("may", "RECURRENCE-ID;VALUE=DATE:20010501\r\nDTSTART;VALUE=DATE:20010502\r\n") +
      Event("may", "RECURRENCE-ID;VALUE=DATE:20020501\r\nDTSTART;VALUE=DATE:20020501\r\nSTATUS:CANCELLED\r\n") +
      // Two days by DURATION, every year without end: through 2039 only.
      Event("eve", "DTSTART;VALUE=DATE:20381231\r\nDURATION:P2D\r\nRRULE:FREQ=YEARLY\r\n") +
      Event("old", "DTSTART;VALUE=DATE:19900101\r\n") +
      Event("meeting", "DTSTART:20240102T090000Z\r\nDTEND:20240102T100000Z\r\n"));
  const AllDayDates read = ReadAllDayDates(text);
  EXPECT_EQ(read.day_numbers, (std::vector<int32_t>{Day(2001, 5, 2), Day(2003, 5, 1), Day(2010, 5, 1),
                                                    Day(2024, 12, 25), Day(2024, 12, 26), Day(2038, 12, 31),
                                                    Day(2039, 1, 1), Day(2039, 12, 31)}));
  EXPECT_EQ(read.events, 5);
  EXPECT_EQ(read.skipped_events, 1);  // 1990
  EXPECT_EQ(read.ignored_events, 2);  // the cancelled instance and the meeting

  EXPECT_EQ(ErrorOf([] { ReadAllDayDates("not a calendar"); }), kInvalidProcedureCall);
}

}  // namespace
}  // namespace quindo::ical
