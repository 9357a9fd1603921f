// The two serialised forms of a schedule. Both are the same sequence of
// 16-bit values, with no header, separator, length or check value:
//
//   for day type 0, 1, ..., 22:
//     active flag, grouped flag, n = number of periods,
//     n x (start minute, stop minute)   -- list order; a negative n has none
//     row (axis) of the day type
//   then m_UseCalendar
//
// so a schedule with P periods takes 23 x 4 x 2 + 2 + 4 x P = 186 + 4 x P
// bytes. The period array text holds each value as two code-page bytes, high
// byte first; the schedule block of a record file holds it little-endian.
// Both layouts travel between programs and must not change.

#include <limits>

#include "common/binary_file.h"
#include "common/error.h"
#include "model/schedule/period_codec.h"
#include "model/schedule/time_schedule.h"

namespace quindo {

template <typename ReadValue>
cTimeSchedule::Tables cTimeSchedule::ReadTables(ReadValue&& read) {
  Tables tables;
  for (int d = 0; d < kDayTypes; ++d) {
    tables.active[d] = read();
    tables.grouped[d] = read();
    const int16_t count = read();
    for (int16_t i = 0; i < count; ++i) {
      auto period = std::make_shared<cTimeSchedulePeriod>();
      period->m_StartMinute = read();
      period->m_StopMinute = read();
      tables.periods[d].push_back(std::move(period));
    }
    tables.axis[d] = read();
  }
  tables.use_calendar = read();
  return tables;
}

template <typename WriteValue>
void cTimeSchedule::WriteTables(WriteValue&& write) const {
  // Checked before anything is written, so that an oversized schedule leaves
  // no partial text or block behind.
  for (const auto& list : m_Periods) {
    if (list.size() > static_cast<size_t>(std::numeric_limits<int16_t>::max())) {
      throw Error(kOverflow);
    }
  }
  for (int d = 0; d < kDayTypes; ++d) {
    write(m_DayTypeActive[d]);
    write(m_DayTypeGrouped[d]);
    write(static_cast<int16_t>(m_Periods[d].size()));
    for (const PeriodRef& period : m_Periods[d]) {
      write(period->m_StartMinute);
      write(period->m_StopMinute);
    }
    write(m_AxisOfDayType[d]);
  }
  write(m_UseCalendar);
}

// Only a completely read form replaces the schedule; selection, clipboard and
// drag state keep their values.
void cTimeSchedule::Commit(Tables&& tables) {
  m_DayTypeActive = tables.active;
  m_DayTypeGrouped = tables.grouped;
  m_Periods = std::move(tables.periods);
  m_AxisOfDayType = tables.axis;
  m_UseCalendar = tables.use_calendar;
}

std::string cTimeSchedule::ComposePeriodArray() const {
  size_t periods = 0;
  for (const auto& list : m_Periods) periods += list.size();
  std::string text;
  text.reserve(2 * (4 * kDayTypes + 1 + 2 * periods));
  WriteTables([&text](int16_t value) { AppendIntegerChars(text, value); });
  return text;
}

void cTimeSchedule::ExtractPeriodArray(const std::string& period_array) {
  std::string_view rest = period_array;
  Tables tables = ReadTables([&rest]() {
    const int16_t value = CharsToInteger(rest);  // error 5 when the text ended
    rest.remove_prefix(2);
    return value;
  });
  Commit(std::move(tables));
}

void cTimeSchedule::SaveToDisk(BinaryFile& file) const {
  WriteTables([&file](int16_t value) { file.WriteInt16(value); });
}

void cTimeSchedule::ReadFromDisk(BinaryFile& file) {
  // A block cut short raises the file's error (62) with the schedule intact;
  // the file position is then wherever the failing read left it.
  Tables tables = ReadTables([&file]() { return file.ReadInt16(); });
  Commit(std::move(tables));
}

}  // namespace quindo
