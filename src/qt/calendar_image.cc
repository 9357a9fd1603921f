#include "qt/calendar_image.h"

#include <cmath>

#include "model/calendar/calendar.h"
#include "model/calendar/calendar_geometry.h"
#include "model/calendar/calendar_host.h"
#include "qt/day_type_images.h"
#include "qt/qpainter_surface.h"

namespace quindo {
namespace {

// A host without a day-type list: an image is drawn, never edited.
class ImageOnlyHost : public CalendarHost {
 public:
  std::optional<std::string> Get_Combo_Calendar_DayType_SelectedItem() override { return std::nullopt; }
  double Get_Combo_Calendar_DayType_SelectedItem_Index() override { return 0; }
  std::string Get_Combo_Calendar_DayType_ComboItems(int16_t) override { return {}; }
  void Set_Text_Calendar_Month(const std::string&) override {}
  void Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                 std::optional<int16_t>) override {
    DrawMonthDayTypeImage(index, device_context, x, y);
  }
};

}  // namespace

void DrawMonthDayTypeImage(int32_t index, int32_t device_context, double x, int32_t y) {
  using namespace calendar_layout;
  // The column whose image place x is; its abbreviations end 2 units left
  // of the next column's grid line.
  const auto column = static_cast<int32_t>(std::floor((x - kGridLeft) / kCellWidth));
  const double right = CellLeft(column + 1) - 2;
  DrawDayTypeImage(index, device_context, right - kDayTypeImageSize, y);
}

QImage RenderCalendarMonth(cCalendar& calendar, const CalendarLocale& locale, double today) {
  QImage image(CalendarImageSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  calendar.RecalculateAndPrepareToPaint(today);
  QPainterSurface surface(&image);
  surface.SetBackColor(Rgb{255, 255, 255});
  ImageOnlyHost host;
  calendar.Paint(host, &surface, locale);
  surface.End();
  return image;
}

}  // namespace quindo
