#pragma once
// A calendar host for tests: a day-type list whose selection a test sets,
// the month caption it was given, and each image drawn as a readable line
// ("1 4711 100 72 1": index, device context, x, y, style).

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

  std::vector<std::string> captions;
  std::vector<std::string> images;

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
    captions.push_back(text);
  }
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t> style) override {
    images.push_back(std::to_string(index) + " " + std::to_string(device_context) + " " +
                     std::to_string(static_cast<int>(x)) + " " + std::to_string(y) +
                     (style ? " " + std::to_string(*style) : ""));
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
