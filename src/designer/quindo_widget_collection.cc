#include "quindo_widget_collection.h"

#include "active_profiles_widget_plugin.h"

namespace quindo {

QuindoWidgetCollection::QuindoWidgetCollection(QObject* parent) : QObject(parent) {
  widgets_.append(new ActiveProfilesWidgetPlugin(this));
}

}  // namespace quindo
