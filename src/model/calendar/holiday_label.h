#pragma once
// A named holiday of the process-wide HolidayLabels collection, which the
// month view reads to mark and name holidays. A record without operations.

#include <cstdint>
#include <string>

namespace quindo {

class cHolidayLabel {
 public:
  int16_t m_Day = 0;             // day number of the holiday
  int16_t m_DayType = 0;         // day type associated with the holiday
  int16_t m_ViewInCalendar = 0;  // flag: shown in calendars
  std::string m_Label;
};

}  // namespace quindo
