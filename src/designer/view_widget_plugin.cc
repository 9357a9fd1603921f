#include "view_widget_plugin.h"

#include <utility>

#include "qt/calendar_view.h"
#include "qt/time_schedule_view.h"

namespace quindo {

ViewWidgetPlugin::ViewWidgetPlugin(ViewWidgetDescription description, QObject* parent)
    : QObject(parent), description_(std::move(description)) {}

QString ViewWidgetPlugin::domXml() const {
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"%1\" name=\"%2\">\n"
             "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect></property>\n"
             " </widget>\n"
             "</ui>\n")
      .arg(description_.class_name, description_.object_name)
      .arg(description_.width)
      .arg(description_.height);
}

ViewWidgetDescription ViewWidgetPlugin::WeekChart() {
  return {QStringLiteral("quindo::TimeScheduleView"), QStringLiteral("weekChart"),
          QStringLiteral("quindo/qt/time_schedule_view.h"),
          QStringLiteral("A profile's weekly time schedule, edited with the mouse"),
          QStringLiteral("Shows the periods of every active day type as bars on a 00-24 axis; "
                         "drag to draw or move a period, right-click for the editing menu."),
          360, 260, [](QWidget* parent) { return new TimeScheduleView(parent); }};
}

ViewWidgetDescription ViewWidgetPlugin::MonthCalendar() {
  return {QStringLiteral("quindo::CalendarView"), QStringLiteral("monthCalendar"),
          QStringLiteral("quindo/qt/calendar_view.h"),
          QStringLiteral("A month of the holiday calendar, day types painted with the mouse"),
          QStringLiteral("Shows a month of the calendar with day types, holidays and week numbers; "
                         "pick a day type from the list and drag across dates to set it."),
          360, 260, [](QWidget* parent) { return new CalendarView(parent); }};
}

}  // namespace quindo
