#include "active_profiles_widget_plugin.h"

#include <string>

#include "qt/active_profiles_widget.h"
#include "qt/check_box_icons.h"

namespace quindo {

ActiveProfilesWidgetPlugin::ActiveProfilesWidgetPlugin(QObject* parent) : QObject(parent) {}

QString ActiveProfilesWidgetPlugin::name() const { return QStringLiteral("quindo::ActiveProfilesWidget"); }

QString ActiveProfilesWidgetPlugin::group() const { return QStringLiteral("Quindo"); }

QString ActiveProfilesWidgetPlugin::toolTip() const {
  return QStringLiteral("Profiles of the alarm server, enabled and disabled");
}

QString ActiveProfilesWidgetPlugin::whatsThis() const {
  return QStringLiteral(
      "Connects to the alarm server at ServerAddress:ServerPort, shows its profiles as a tree of "
      "enabled and disabled nodes, and enables or disables a profile on a Ctrl-click.");
}

QString ActiveProfilesWidgetPlugin::includeFile() const {
  return QStringLiteral("quindo/qt/active_profiles_widget.h");
}

QIcon ActiveProfilesWidgetPlugin::icon() const { return CheckBoxIcon(kIconEnabled, 16); }

QString ActiveProfilesWidgetPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\">\n"
      " <widget class=\"quindo::ActiveProfilesWidget\" name=\"activeProfiles\">\n"
      "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>320</width><height>240</height></rect></property>\n"
      " </widget>\n"
      "</ui>\n");
}

QWidget* ActiveProfilesWidgetPlugin::createWidget(QWidget* parent) {
  return new ActiveProfilesWidget(std::string(), parent);
}

void ActiveProfilesWidgetPlugin::initialize(QDesignerFormEditorInterface* /*core*/) { initialized_ = true; }

}  // namespace quindo
