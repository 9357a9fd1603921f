#include "model/calendar/holiday_rules.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/error.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/holiday_dates.h"
#include "model/calendar/holiday_label.h"

namespace quindo {
namespace {

// Raises error 5 with "Holiday rule N: " and the reason.
class RuleChecker {
 public:
  explicit RuleChecker(size_t index) : prefix_("Holiday rule " + std::to_string(index + 1) + ": ") {}

  void InRange(const char* field, int32_t value, int32_t lo, int32_t hi) const {
    if (value < lo || value > hi) {
      Fail(std::string(field) + " " + std::to_string(value) + " is outside " + std::to_string(lo) +
           ".." + std::to_string(hi));
    }
  }
  [[noreturn]] void Fail(const std::string& reason) const {
    throw Error(kInvalidProcedureCall, prefix_ + reason);
  }

 private:
  std::string prefix_;
};

void CheckRule(const HolidayRule& rule, size_t index) {
  const RuleChecker check(index);
  check.InRange("DayType", rule.day_type, kFirstHolidayDayType, kLastHolidayDayType);
  check.InRange("FromYear", rule.from_year, kFirstRuleYear, kLastRuleYear);
  check.InRange("ToYear", rule.to_year, kFirstRuleYear, kLastRuleYear);
  if (rule.from_year > rule.to_year) {
    check.Fail("FromYear " + std::to_string(rule.from_year) + " is after ToYear " +
               std::to_string(rule.to_year));
  }
  switch (rule.kind) {
    case HolidayRule::Kind::kFixed:
      check.InRange("Month", rule.month, 1, 12);
      // A leap year holds every date any year can have.
      check.InRange("Day", rule.day, 1, DaysInMonth(2000, rule.month));
      break;
    case HolidayRule::Kind::kNthWeekday:
      check.InRange("Month", rule.month, 1, 12);
      check.InRange("Weekday", rule.weekday, 1, 7);
      if (rule.n != -1) check.InRange("N", rule.n, 1, 5);
      break;
    case HolidayRule::Kind::kEaster:
      check.InRange("Offset", rule.offset, -kMaxEasterOffset, kMaxEasterOffset);
      break;
    default:
      check.Fail("unknown rule kind");
  }
}

// The rule's date in one year, or -1 when it has none that year. Easter
// with an offset may leave the year, and the caller drops dates outside
// the calendar.
int32_t DateInYear(const HolidayRule& rule, int32_t year) {
  switch (rule.kind) {
    case HolidayRule::Kind::kFixed:
      return rule.day <= DaysInMonth(year, rule.month) ? DayNumberFromCivil(year, rule.month, rule.day) : -1;
    case HolidayRule::Kind::kNthWeekday:
      return NthWeekdayOfMonth(year, rule.month, rule.weekday - 1, rule.n).value_or(-1);
    case HolidayRule::Kind::kEaster: {
      const MonthDay easter = EasterSunday(year);
      return DayNumberFromCivil(year, easter.month, easter.day) + rule.offset;
    }
  }
  return -1;
}

}  // namespace

void CheckHolidayRules(const std::vector<HolidayRule>& rules) {
  for (size_t i = 0; i < rules.size(); ++i) CheckRule(rules[i], i);
}

std::vector<HolidayDate> ExpandHolidayRules(const std::vector<HolidayRule>& rules) {
  CheckHolidayRules(rules);
  // Every (day, rule) the rules give, sorted so that the later rule comes
  // last among those of one day: that one wins.
  std::vector<std::pair<int32_t, size_t>> hits;
  for (size_t i = 0; i < rules.size(); ++i) {
    const HolidayRule& rule = rules[i];
    // An Easter offset may move a date of the year before or after into the calendar.
    const int32_t margin = rule.kind == HolidayRule::Kind::kEaster ? 1 : 0;
    const int32_t first = std::max(rule.from_year, kFirstCalendarYear - margin);
    const int32_t last = std::min(rule.to_year, kLastCalendarYear + margin);
    for (int32_t year = first; year <= last; ++year) {
      const int32_t day = DateInYear(rule, year);
      if (day >= 0 && day < kCalendarDays) hits.emplace_back(day, i);
    }
  }
  std::sort(hits.begin(), hits.end());
  std::vector<HolidayDate> dates;
  for (size_t h = 0; h < hits.size(); ++h) {
    if (h + 1 < hits.size() && hits[h + 1].first == hits[h].first) continue;
    const auto [day, index] = hits[h];
    const HolidayRule& rule = rules[index];
    dates.push_back({day, static_cast<int16_t>(rule.day_type), rule.view_in_calendar, rule.label, index});
  }
  return dates;
}

namespace {

// Replaces the process-wide tables with one label per expanded date, keyed
// "K" and its day number (one label per date, so the key is unique).
void FillHolidayTables(const std::vector<HolidayDate>& dates) {
  std::vector<int16_t>& days = HolidayDays();
  KeyedCollection<cHolidayLabel>& labels = HolidayLabels();
  days.assign(kHolidayDayCount, 0);
  labels.Clear();
  for (const HolidayDate& date : dates) {
    days[date.day_number] = -1;
    auto label = std::make_shared<cHolidayLabel>();
    label->m_Day = static_cast<int16_t>(date.day_number);
    label->m_DayType = date.day_type;
    label->m_ViewInCalendar = date.view_in_calendar ? -1 : 0;
    label->m_Label = date.label;
    labels.Add("K" + std::to_string(date.day_number), std::move(label));
  }
}

}  // namespace

void ApplyHolidayRules(const std::vector<HolidayRule>& rules, cCalendar& calendar) {
  const std::vector<HolidayDate> dates = ExpandHolidayRules(rules);
  for (const HolidayDate& date : dates) calendar.SetDayType(date.day_number, date.day_type);
  FillHolidayTables(dates);
}

void LoadHolidayLabels(const std::vector<HolidayRule>& rules) { FillHolidayTables(ExpandHolidayRules(rules)); }

}  // namespace quindo
