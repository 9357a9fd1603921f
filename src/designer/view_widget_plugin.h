#pragma once
// The week chart and the month calendar as Designer shows them. Both views
// take only a parent, so one plugin class describes either; what differs is
// a small table of texts and the factory.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

namespace quindo {

struct ViewWidgetDescription {
  QString class_name;    // with its namespace, as Designer writes it in .ui files
  QString object_name;   // the name of a newly placed widget
  QString include_file;  // as installed under include/
  QString tool_tip;
  QString whats_this;
  int width = 0;
  int height = 0;
  std::function<QWidget*(QWidget*)> create;
};

class ViewWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  ViewWidgetPlugin(ViewWidgetDescription description, QObject* parent = nullptr);

  QString name() const override { return description_.class_name; }
  QString group() const override { return QStringLiteral("Quindo"); }
  QString toolTip() const override { return description_.tool_tip; }
  QString whatsThis() const override { return description_.whats_this; }
  QString includeFile() const override { return description_.include_file; }
  QIcon icon() const override { return QIcon(); }
  bool isContainer() const override { return false; }
  QString domXml() const override;
  QWidget* createWidget(QWidget* parent) override { return description_.create(parent); }
  bool isInitialized() const override { return initialized_; }
  void initialize(QDesignerFormEditorInterface* /*core*/) override { initialized_ = true; }

  // The week chart (TimeScheduleView) and the month calendar (CalendarView).
  static ViewWidgetDescription WeekChart();
  static ViewWidgetDescription MonthCalendar();

 private:
  ViewWidgetDescription description_;
  bool initialized_ = false;
};

}  // namespace quindo
