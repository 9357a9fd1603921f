#pragma once
// A calendar host for tests: a day-type list whose selection a test sets,
// and every "Set_" and "Draw_" call kept in order as a readable line
// ("Set_Text_Calendar_Month March 2024", "Draw_ImageList_ListImages 1 4711 100 72 1").

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/calendar/calendar_host.h"

namespace quindo {

class CalendarTestHost : public CalendarHost {
 public:
  // The list's items; item k (from 1) names calendar day type k - 1.
  std::vector<std::string> items;
  int selected = 0;  // 0: nothing selected
  bool fail_items = false;  // Get_Combo_Calendar_DayType_ComboItems raises

  std::vector<std::string> calls;

  std::vector<std::string> CallsOf(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    }
    return found;
  }

  std::optional<std::string> Get_Combo_Calendar_DayType_SelectedItem() override {
    if (selected == 0) return std::nullopt;
    return items.at(selected - 1);
  }
  double Get_Combo_Calendar_DayType_SelectedItem_Index() override { return selected; }
  std::string Get_Combo_Calendar_DayType_ComboItems(int16_t index) override {
    if (fail_items) throw std::runtime_error("list gone");
    return items.at(index - 1);
  }
  void Set_Text_Calendar_Month(const std::string& text) override {
    calls.push_back("Set_Text_Calendar_Month " + text);
  }
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t> style) override {
    calls.push_back("Draw_ImageList_ListImages " + std::to_string(index) + " " +
                    std::to_string(device_context) + " " + std::to_string(static_cast<int>(x)) + " " +
                    std::to_string(y) + (style ? " " + std::to_string(*style) : ""));
  }
};

// The 24 names of calendar day types 0..23, as the hosts list them.
inline std::vector<std::string> CalendarDayTypeItems() {
  std::vector<std::string> items = {"Own weekday", "Monday",   "Tuesday", "Wednesday",
                                    "Thursday",    "Friday",   "Saturday", "Sunday"};
  for (int k = 1; k <= 16; ++k) items.push_back("Special " + std::to_string(k));
  return items;
}

}  // namespace quindo
