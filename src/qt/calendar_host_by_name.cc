#include "qt/calendar_host_by_name.h"

#include "qt/call_by_name.h"

namespace quindo {

std::optional<std::string> CalendarHostByName::Get_Combo_Calendar_DayType_SelectedItem() {
  const QVariant item = CallByName(host_, "Get_Combo_Calendar_DayType_SelectedItem");
  if (!item.isValid() || item.isNull()) return std::nullopt;
  return item.toString().toStdString();
}

double CalendarHostByName::Get_Combo_Calendar_DayType_SelectedItem_Index() {
  return CallByName(host_, "Get_Combo_Calendar_DayType_SelectedItem_Index").toDouble();
}

std::string CalendarHostByName::Get_Combo_Calendar_DayType_ComboItems(int16_t index) {
  return CallByName(host_, "Get_Combo_Calendar_DayType_ComboItems", {index}).toString().toStdString();
}

void CalendarHostByName::Set_Text_Calendar_Month(const std::string& text) {
  CallByName(host_, "Set_Text_Calendar_Month", {QString::fromStdString(text)});
}

void CalendarHostByName::Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x,
                                                   int32_t y, std::optional<int16_t> style) {
  QVariantList arguments{index, device_context, x, y};
  if (style) arguments.append(*style);
  CallByName(host_, "Draw_ImageList_ListImages", arguments);
}

}  // namespace quindo
