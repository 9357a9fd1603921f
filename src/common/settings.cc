#include "common/settings.h"

namespace quindo {

std::string& DataDirectory() {
  thread_local std::string value;
  return value;
}

int16_t& RedundancyRole() {
  thread_local int16_t value = 0;
  return value;
}

int16_t& NestedProfileNames() {
  thread_local int16_t value = 0;
  return value;
}

bool& RewriteOldVersionsOnLoad() {
  thread_local bool value = true;
  return value;
}

KeyedCollection<cProfile>& ProfileCollection() {
  thread_local KeyedCollection<cProfile> value;
  return value;
}

KeyedCollection<cReceiver>& ReceiverCollection() {
  thread_local KeyedCollection<cReceiver> value;
  return value;
}

std::array<ReceiverType, kReceiverTypeRows>& ReceiverTypes() {
  thread_local std::array<ReceiverType, kReceiverTypeRows> value;
  return value;
}

int16_t& NumberOfReceiverTypes() {
  thread_local int16_t value = 0;
  return value;
}

std::vector<int16_t>& HolidayDays() {
  thread_local std::vector<int16_t> value(kHolidayDayCount, 0);
  return value;
}

KeyedCollection<cHolidayLabel>& HolidayLabels() {
  thread_local KeyedCollection<cHolidayLabel> value;
  return value;
}

std::array<std::string, kDayTypeCount>& DayTypeShortNames() {
  thread_local std::array<std::string, kDayTypeCount> value;
  return value;
}

std::array<std::string, kDayTypeCount>& DayTypeNames() {
  thread_local std::array<std::string, kDayTypeCount> value;
  return value;
}

}  // namespace quindo
