// Loads the Designer plugin as Designer does, by file with QPluginLoader,
// and creates every widget it offers through its QDesignerCustomWidgetInterface:
// each lands under "Quindo", names a class its form XML uses and an include
// file, and shows the control's properties to the property editor.

#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>

class DesignerPluginTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyWidgetIsCreatedThroughThePluginWithItsProperties() {
    QPluginLoader loader(qEnvironmentVariable("QUINDO_DESIGNER_PLUGIN"));
    QVERIFY2(loader.load(), qPrintable(loader.errorString()));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    QVERIFY(collection != nullptr);
    const QList<QDesignerCustomWidgetInterface*> widgets = collection->customWidgets();
    QVERIFY(!widgets.isEmpty());

    QStringList names;
    QWidget form;
    for (QDesignerCustomWidgetInterface* plugin : widgets) {
      names << plugin->name();
      QCOMPARE(plugin->group(), QStringLiteral("Quindo"));
      QVERIFY(plugin->includeFile().startsWith(QStringLiteral("quindo/")));
      QVERIFY(plugin->domXml().contains(QStringLiteral("class=\"%1\"").arg(plugin->name())));
      std::unique_ptr<QWidget> widget(plugin->createWidget(&form));
      QVERIFY(widget != nullptr);
      QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), plugin->name());
      QCOMPARE(widget->parentWidget(), &form);
    }
    QVERIFY(names.contains(QStringLiteral("quindo::ActiveProfilesWidget")));
    QVERIFY(names.contains(QStringLiteral("quindo::TimeScheduleView")));
    QVERIFY(names.contains(QStringLiteral("quindo::CalendarView")));

    // The property editor reads and writes the control's properties by name;
    // at design time the control has no server (not Designer's command line).
    QDesignerCustomWidgetInterface* control = widgets.at(names.indexOf(QStringLiteral("quindo::ActiveProfilesWidget")));
    std::unique_ptr<QWidget> widget(control->createWidget(nullptr));
    const QMetaObject* meta = widget->metaObject();
    for (const char* name : {"ServerAddress", "ServerPort", "ReportOrder", "Command1Visible"}) {
      const QMetaProperty property = meta->property(meta->indexOfProperty(name));
      QVERIFY2(property.isValid() && property.isWritable() && property.isDesignable(), name);
    }
    QCOMPARE(widget->property("ServerAddress").toString(), QString());
    QCOMPARE(widget->property("ServerPort").toInt(), 0);
  }
};

QTEST_MAIN(DesignerPluginTest)
#include "designer_plugin_test.moc"
