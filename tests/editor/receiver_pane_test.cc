// The editor's "Receivers" tab through its widgets: the receiver files
// listed, a typed name undone, a setting of the wrong range refused whole, a
// setting saved with its kind, the Save/Discard/Cancel question, and an
// unreadable file listed as such.

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QUndoStack>

#include "common/settings.h"
#include "model/receiver/receiver.h"
#include "tests/editor/editor_rig.h"
#include "tools/editor/receiver_pane.h"

using namespace quindo;

class ReceiverPaneTest : public QObject {
  Q_OBJECT

 private:
  EditorRig rig_;
  QList<SaveChoice>& answers_ = rig_.save_answers;

  ReceiverPane& Pane() { return *rig_.window->Receivers(); }
  QString ReceiverFile(int identity) const {
    return rig_.dir->path() + QStringLiteral("/Receivers/Receiver_%1.dat").arg(identity, 4, 10, QLatin1Char('0'));
  }

 private slots:
  // Two receivers of two types and an unreadable file.
  void init() {
    ReceiverTypes()[0] = ReceiverType{5, "Pager", "ESPA", ""};
    ReceiverTypes()[1] = ReceiverType{7, "Mail", "SMTP", ""};
    NumberOfReceiverTypes() = 2;
    QVERIFY(rig_.Start([this](EditorRig& rig) {
      QVERIFY(QDir().mkpath(rig.dir->path() + QStringLiteral("/Receivers")));
      for (int16_t identity : {int16_t{1}, int16_t{2}}) {
        cReceiver receiver;
        receiver.m_DiskIdentity = identity;
        receiver.m_ReceiverName = identity == 1 ? "Desk pager" : "Night mail";
        receiver.SetReceiverTypeId(identity == 1 ? 5 : 7);
        receiver.SaveSetting(0, TypedValue::Text("COM1"));
        QVERIFY(receiver.SaveToDisk());
      }
      QFile corrupt(ReceiverFile(3));
      QVERIFY(corrupt.open(QIODevice::WriteOnly) && corrupt.write("\x01\x00xx", 4) == 4);
    }));
    rig_.window->Tabs()->setCurrentWidget(rig_.window->Receivers());
  }
  void cleanup() {
    rig_.Stop();
    NumberOfReceiverTypes() = 0;
  }

  void receiversAreListedWithTheUnreadableOne() {
    QCOMPARE(Pane().List()->count(), 3);
    QVERIFY(Pane().List()->item(0)->text().contains(QLatin1String("Desk pager (Pager)")));
    QVERIFY(Pane().List()->item(2)->text().contains(QLatin1String("(unreadable)")));
    QVERIFY(Pane().Select(1));
    QCOMPARE(Pane().TypeField()->currentData().toInt(), 5);
    QCOMPARE(Pane().ValueField(0)->text(), QStringLiteral("COM1"));
    QCOMPARE(Pane().KindField(0)->currentText(), QStringLiteral("Text"));
    QVERIFY(Pane().TypeHint()->isHidden());
  }

  void typedNameIsUndoableAndSettingsKeepTheirKind() {
    QVERIFY(Pane().Select(1));
    QTest::keyClicks(Pane().NameField(), QStringLiteral("!"));
    QCOMPARE(Pane().SelectedReceiver()->m_ReceiverName, std::string("Desk pager!"));
    QVERIFY(Pane().SelectedHasChanges());
    rig_.window->UndoStack()->undo();
    QCOMPARE(Pane().SelectedReceiver()->m_ReceiverName, std::string("Desk pager"));
    QVERIFY(!Pane().SelectedHasChanges());

    // "7e" is no whole number: refused whole, and said so.
    Pane().ValueField(1)->setText(QStringLiteral("7e"));
    Pane().KindField(1)->setCurrentIndex(Pane().KindField(1)->findText(QStringLiteral("Whole number")));
    QCOMPARE(Pane().SelectedReceiver()->GetSetting(1).GetKind(), TypedValue::Kind::kEmpty);
    QVERIFY(rig_.LogText().contains(QLatin1String("Receiver not changed")));
    QCOMPARE(Pane().KindField(1)->currentText(), QStringLiteral("Empty"));  // the form shows what was kept
    // A whole number is kept, and saved with its kind.
    Pane().ValueField(1)->setText(QStringLiteral("70000"));
    Pane().KindField(1)->setCurrentIndex(Pane().KindField(1)->findText(QStringLiteral("Whole number")));
    QCOMPARE(Pane().SelectedReceiver()->GetSetting(1).GetKind(), TypedValue::Kind::kLong);
    QVERIFY(Pane().SaveSelected());
    cReceiver reread;
    QVERIFY(reread.LoadFromDisk(1));
    QCOMPARE(reread.GetSetting(1).GetKind(), TypedValue::Kind::kLong);
    QCOMPARE(reread.GetSetting(1).ToDouble(), 70000.0);
    QCOMPARE(reread.GetSetting(0).ToText(), std::string("COM1"));
  }

  void leavingAChangedReceiverAsks() {
    QVERIFY(Pane().Select(1));
    QTest::keyClicks(Pane().NameField(), QStringLiteral("X"));
    answers_ = {SaveChoice::kCancel};
    QVERIFY(!Pane().Select(2));
    QCOMPARE(Pane().SelectedIdentity(), int16_t{1});
    answers_ = {SaveChoice::kSave};
    QVERIFY(Pane().Select(2));
    cReceiver reread;
    QVERIFY(reread.LoadFromDisk(1));
    QCOMPARE(reread.m_ReceiverName, std::string("Desk pagerX"));
  }

  // Import and export go through the JSON of quindo-records; a receiver of
  // the same identity is replaced only when the user says so.
  void importAndExportWorkOnTheReceiversTab() {
    QVERIFY(Pane().Select(2));
    const QString json = Pane().SuggestedExportFile(rig_.dir->path());
    QCOMPARE(json, rig_.dir->path() + QStringLiteral("/Night mail.json"));
    QVERIFY(Pane().ExportSelected(json));
    rig_.answers = {0};  // replace
    QVERIFY(Pane().Select(1));
    QTest::keyClicks(Pane().NameField(), QStringLiteral("!"));
    answers_ = {SaveChoice::kDiscard};  // leaving the changed receiver 1 asks
    QCOMPARE(Pane().ImportReceiver(json), int16_t{2});
    QCOMPARE(Pane().SelectedIdentity(), int16_t{2});
    QCOMPARE(Pane().SelectedReceiver()->m_ReceiverName, std::string("Night mail"));
    rig_.answers = {1};  // a new receiver, written at once like New receiver
    const int16_t added = Pane().ImportReceiver(json);
    QVERIFY(added > 3 && QFile::exists(ReceiverFile(added)));
    QCOMPARE(Pane().List()->count(), 4);

    // Without a type table the list says how to load one; the unknown type
    // is named once in brackets.
    NumberOfReceiverTypes() = 0;
    Pane().RefreshTypes();
    QVERIFY(!Pane().SelectedHasChanges());  // a new row is no edit
    QVERIFY(Pane().Open());
    QVERIFY(Pane().Select(1));
    QVERIFY(!Pane().TypeHint()->isHidden());
    QVERIFY(Pane().SelectedReceiver()->m_ReceiverTypeName.starts_with("("));
    QVERIFY(!Pane().List()->currentItem()->text().contains(QLatin1String("((")));
    // New receiver makes the folder it needs.
    QVERIFY(QDir(rig_.dir->path() + QStringLiteral("/Receivers")).removeRecursively());
    QVERIFY(Pane().NewReceiver() > 0);
    QCOMPARE(rig_.Files(QStringLiteral("Receivers")).size(), 1);
    QVERIFY(Pane().SelectedReceiver()->m_Enabled != 0 && !Pane().SelectedHasChanges());
  }
};

QTEST_MAIN(ReceiverPaneTest)
#include "receiver_pane_test.moc"
