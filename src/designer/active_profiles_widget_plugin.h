#pragma once
// ActiveProfilesWidget as Designer shows it: its place in the widget box, its
// include file and the widget Designer places on a form. Its properties
// (ServerAddress, ServerPort) come from the widget's own Q_PROPERTYs.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace quindo {

class ActiveProfilesWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit ActiveProfilesWidgetPlugin(QObject* parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QString domXml() const override;
  // Not connected at design time: the widget gets an empty command line, not
  // Designer's.
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override { return initialized_; }
  void initialize(QDesignerFormEditorInterface* core) override;

 private:
  bool initialized_ = false;
};

}  // namespace quindo
