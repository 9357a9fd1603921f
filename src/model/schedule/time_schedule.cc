#include "model/schedule/time_schedule.h"

#include "common/error.h"

namespace quindo {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The working week that SetDefaultPeriod fills: Monday to Friday.
constexpr int kLastWorkingDay = 4;
constexpr int16_t kDefaultStart = 7 * 60;  // 07:00
constexpr int16_t kDefaultStop = 16 * 60;  // 16:00

}  // namespace

cTimeSchedule::cTimeSchedule() {
  // Monday to Sunday are in use from the start; special day types are not.
  for (int d = 0; d < 7; ++d) m_DayTypeActive[d] = kTrue;
}

void cTimeSchedule::CheckDayType(int32_t day_type) {
  if (day_type < 0 || day_type >= kDayTypes) throw Error(kSubscriptOutOfRange);
}

int16_t cTimeSchedule::SetActive(int16_t day_type, int16_t state) {
  CheckDayType(day_type);
  m_DayTypeActive[day_type] = state != 0 ? kTrue : kFalse;
  return 0;
}

int16_t cTimeSchedule::GetActive(int16_t day_type) const {
  CheckDayType(day_type);
  return m_DayTypeActive[day_type];
}

PeriodRef cTimeSchedule::GetNextTimePeriod(int16_t day_type, int16_t& start_time,
                                           int16_t& stop_time, const PeriodRef& last) const {
  CheckDayType(day_type);
  if (m_DayTypeActive[day_type] == 0) return nullptr;
  const std::vector<PeriodRef>& list = m_Periods[day_type];
  PeriodRef result;
  if (last == nullptr) {
    if (!list.empty()) result = list.front();
  } else {
    // Identity, not value: two periods with equal times are still different
    // steps of the iteration.
    for (size_t i = 0; i < list.size(); ++i) {
      if (list[i].get() == last.get()) {
        if (i + 1 < list.size()) result = list[i + 1];
        break;
      }
    }
  }
  if (result != nullptr) {
    start_time = result->m_StartMinute;
    stop_time = result->m_StopMinute;
  }
  return result;
}

void cTimeSchedule::SetDefaultPeriod() {
  for (int d = 0; d <= kLastWorkingDay; ++d) {
    m_DayTypeActive[d] = kTrue;
    m_DayTypeGrouped[d] = kTrue;
    auto period = std::make_shared<cTimeSchedulePeriod>();
    period->m_StartMinute = kDefaultStart;
    period->m_StopMinute = kDefaultStop;
    m_Periods[d].push_back(std::move(period));
  }
}

void cTimeSchedule::Copy() { m_CopiedDayType = m_SelectedDayType; }

void cTimeSchedule::notused_ActivateUsedPeriods(const std::shared_ptr<cCalendar>&) {}

const std::vector<PeriodRef>& cTimeSchedule::Periods(int16_t day_type) const {
  CheckDayType(day_type);
  return m_Periods[day_type];
}

std::vector<PeriodRef>& cTimeSchedule::Periods(int16_t day_type) {
  CheckDayType(day_type);
  return m_Periods[day_type];
}

int16_t cTimeSchedule::GetGrouped(int16_t day_type) const {
  CheckDayType(day_type);
  return m_DayTypeGrouped[day_type];
}

void cTimeSchedule::SetGrouped(int16_t day_type, int16_t state) {
  CheckDayType(day_type);
  m_DayTypeGrouped[day_type] = state != 0 ? kTrue : kFalse;
}

int16_t cTimeSchedule::GetAxisOfDayType(int16_t day_type) const {
  CheckDayType(day_type);
  return m_AxisOfDayType[day_type];
}

void cTimeSchedule::SetAxisOfDayType(int16_t day_type, int16_t axis) {
  CheckDayType(day_type);
  m_AxisOfDayType[day_type] = axis;
}

}  // namespace quindo
