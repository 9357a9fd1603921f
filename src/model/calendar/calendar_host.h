#pragma once
// What a host view offers to a calendar it shows: its day-type list, the
// caption of the shown month and the image list of the special day types.
// The member names are those the calendar has always called on its host's
// form, so a host implements this interface directly; hosts that prefer late
// binding use the Qt adapter that calls members of these names by name.
//
// A member that fails raises; the error goes to the caller of the calendar's
// operation (MouseMove alone ignores it).

#include <cstdint>
#include <optional>
#include <string>

namespace quindo {

class CalendarHost {
 public:
  virtual ~CalendarHost() = default;

  // The text of the selected item of the day-type list; nothing when no item
  // is selected.
  virtual std::optional<std::string> Get_Combo_Calendar_DayType_SelectedItem() = 0;
  // The selected item's position counted from 1. Item k stands for calendar
  // day type k - 1.
  virtual double Get_Combo_Calendar_DayType_SelectedItem_Index() = 0;
  // The text of item `index` (from 1): the name of day type index - 1.
  virtual std::string Get_Combo_Calendar_DayType_ComboItems(int16_t index) = 0;

  // Shows the caption of the shown month ("March 2024").
  virtual void Set_Text_Calendar_Month(const std::string& text) = 0;

  // Draws image `index` (1..16) of the host's image list with its top left
  // at (x, y) onto the paint surface whose hDC is `device_context`; the
  // calendar always passes style 1 (transparent). The same member as the
  // week chart's, so one host serves both views.
  virtual void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                         std::optional<int16_t> style) = 0;
};

}  // namespace quindo
