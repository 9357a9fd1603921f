#include "quindo_widget_collection.h"

#include "active_profiles_widget_plugin.h"
#include "view_widget_plugin.h"

namespace quindo {

QuindoWidgetCollection::QuindoWidgetCollection(QObject* parent) : QObject(parent) {
  widgets_.append(new ActiveProfilesWidgetPlugin(this));
  widgets_.append(new ViewWidgetPlugin(ViewWidgetPlugin::WeekChart(), this));
  widgets_.append(new ViewWidgetPlugin(ViewWidgetPlugin::MonthCalendar(), this));
}

}  // namespace quindo
