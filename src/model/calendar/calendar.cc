#include "model/calendar/calendar.h"

#include <bit>
#include <cstring>

#include "common/error.h"

namespace quindo {
namespace {

static_assert(std::endian::native == std::endian::little, "the calendar file is little-endian");

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

void RequireDay(int32_t the_day) {
  if (the_day < 0 || the_day >= cCalendar::kDays) throw Error(kSubscriptOutOfRange);
}

}  // namespace

void cCalendar::SetDayType(int32_t the_day, int16_t day_type) {
  RequireDay(the_day);
  m_DayTypes[the_day] = day_type;
}

int16_t cCalendar::GetDayType(int32_t the_day) const {
  RequireDay(the_day);
  return m_DayTypes[the_day];
}

int16_t cCalendar::IsDayTypeUsed(int16_t day_type) const {
  if (day_type < 0 || day_type >= kUsedFlags) throw Error(kSubscriptOutOfRange);
  return m_DayTypeUsed[day_type];
}

int16_t cCalendar::CompareToOtherCalendar(const cCalendar& other_calendar) const {
  for (int32_t day = 0; day < kDays; ++day) {
    if (other_calendar.GetDayType(day) != m_DayTypes[day]) return kFalse;
  }
  return kTrue;
}

std::string cCalendar::ToFileBytes() const {
  std::string bytes(kFileSize, '\0');
  std::memcpy(bytes.data(), m_DayTypes.data(), kFileSize);
  return bytes;
}

void cCalendar::FromFileBytes(std::string_view bytes) {
  if (bytes.size() < static_cast<size_t>(kFileSize)) throw Error(kInputPastEndOfFile);
  std::memcpy(m_DayTypes.data(), bytes.data(), kFileSize);
}

}  // namespace quindo
