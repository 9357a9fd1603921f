#include "json/calendar_json.h"

#include <optional>
#include <string>
#include <vector>

#include "common/error.h"

namespace quindo {

using nlohmann::json;
using nlohmann::ordered_json;

ordered_json CalendarDaysToJson(const cCalendar& calendar) {
  ordered_json days = ordered_json::array();
  for (int32_t day = 0; day < cCalendar::kDays; ++day) {
    if (const int16_t type = calendar.GetDayType(day); type != 0) {
      days.push_back({{"Date", DayNumberText(day)}, {"DayType", type}});
    }
  }
  return days;
}

std::vector<CalendarDay> CalendarDaysFromJson(const json& days) {
  ArrayOf(days, 0, "input");
  std::vector<CalendarDay> listed;
  for (size_t i = 0; i < days.size(); ++i) {
    const std::string where = ElementPath("", i);
    std::optional<int32_t> day;
    std::optional<int16_t> type;
    ForEachMember(days[i], where, {
      {"Date", [&](const json& v, const std::string& w) {
        try {
          day = ParseDayNumberText(TextOf(v, w), w);
        } catch (const Error& e) {
          throw JsonInputError(e.Description());
        }
      }},
      {"DayType", [&](const json& v, const std::string& w) { type = Int16Of(v, w); }},
    });
    if (!day || !type) throw JsonInputError(where + ": expected {\"Date\": \"YYYY-MM-DD\", \"DayType\": t}");
    listed.push_back({*day, *type});
  }
  return listed;
}

std::vector<int32_t> CalendarDifferences(const cCalendar& first, const cCalendar& second, bool all) {
  std::vector<int32_t> days;
  for (int32_t day = 0; day < cCalendar::kDays && (all || days.empty()); ++day) {
    if (first.GetDayType(day) != second.GetDayType(day)) days.push_back(day);
  }
  return days;
}

ordered_json CalendarDifferencesToJson(const cCalendar& first, const cCalendar& second,
                                       const std::vector<int32_t>& days) {
  ordered_json differences = ordered_json::array();
  for (const int32_t day : days) {
    differences.push_back(
        {{"Date", DayNumberText(day)}, {"DayTypes", {first.GetDayType(day), second.GetDayType(day)}}});
  }
  return differences;
}

}  // namespace quindo
