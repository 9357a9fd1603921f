// The editor's model code without its window: the field table bound to the
// profile's stored members, the undo commands' merging, and the nesting of
// the profile list.

#include <map>
#include <memory>

#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

#include "common/settings.h"
#include "model/profile/profile.h"
#include "tools/editor/edit_commands.h"
#include "tools/editor/profile_fields.h"
#include "tools/editor/profile_list.h"

using namespace quindo;

namespace {

class FakeTarget : public EditTarget {
 public:
  std::map<int16_t, cProfile> profiles;
  int edits = 0;
  cProfile* ProfileFor(int16_t identity) override {
    const auto found = profiles.find(identity);
    return found == profiles.end() ? nullptr : &found->second;
  }
  void ProfileEdited(int16_t, int) override { ++edits; }
};

cProfile NewProfile(const std::string& name) {
  cProfile profile;
  profile.SetName(name);
  profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
  profile.RememberOriginalSettings();
  return profile;
}

}  // namespace

class EditorModelTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { NestedProfileNames() = -1; }

  void everyFieldIsBoundToItsOwnStoredMember() {
    const auto& fields = ProfileFields();
    for (size_t i = 0; i < fields.size(); ++i) {
      const ProfileField& field = fields[i];
      cProfile profile = NewProfile("A");
      const QVariant value = field.kind == FieldKind::kText   ? QVariant(QStringLiteral("été %1").arg(i))
                             : field.kind == FieldKind::kFlag ? QVariant(field.Get(profile).toInt() != 0 ? 0 : -1)
                                                              : QVariant(static_cast<int>(i) + 100);
      field.Set(profile, value);
      QVERIFY2(field.Get(profile) == value, qPrintable(field.key));
      QVERIFY2(profile.HasChangedSinceLastLoadFromDisk(), qPrintable(field.key));
      // No other field moved.
      const cProfile fresh = NewProfile("A");
      for (size_t j = 0; j < fields.size(); ++j) {
        if (j != i) QVERIFY2(fields[j].Get(profile) == fields[j].Get(fresh), qPrintable(field.key + "/" + fields[j].key));
      }
      QCOMPARE(FindProfileField(field.key), static_cast<int>(i));
    }
    // Numbers from elsewhere keep within 16 bits; flags are stored -1/0.
    cProfile profile = NewProfile("A");
    fields[FindProfileField(QStringLiteral("System5"))].Set(profile, 70000);
    QCOMPARE(profile.GetSystem(5).ToInt16(), int16_t{32767});
    fields[FindProfileField(QStringLiteral("UseExternalTag"))].Set(profile, 1);
    QCOMPARE(profile.m_UseExternalTag, int16_t{-1});
  }

  void typingMergesIntoOneStepAndTypingBackLeavesNone() {
    FakeTarget target;
    target.profiles.emplace(7, NewProfile("Night"));
    QUndoStack stack;
    const int name = FindProfileField(QStringLiteral("Name"));
    stack.push(new FieldEditCommand(target, 7, name, QStringLiteral("Nigh")));
    stack.push(new FieldEditCommand(target, 7, name, QStringLiteral("Nig")));
    QCOMPARE(stack.count(), 1);
    stack.push(new FieldEditCommand(target, 7, FindProfileField(QStringLiteral("State0")), 3));
    QCOMPARE(stack.count(), 2);
    stack.undo();
    stack.undo();
    QCOMPARE(target.profiles.at(7).GetName(), std::string("Night"));
    stack.redo();
    QCOMPARE(target.profiles.at(7).GetName(), std::string("Nig"));

    QUndoStack back;
    back.push(new FieldEditCommand(target, 7, name, QStringLiteral("Nigx")));
    back.push(new FieldEditCommand(target, 7, name, QStringLiteral("Nig")));
    QCOMPARE(back.count(), 0);  // back where it started: nothing to undo

    // A command whose profile went away does nothing.
    QUndoStack gone;
    gone.push(new FieldEditCommand(target, 8, name, QStringLiteral("X")));
    QCOMPARE(gone.count(), 0);
  }

  void scheduleStrokesMergeOnlyWithinOneStroke() {
    FakeTarget target;
    target.profiles.emplace(1, NewProfile("A"));
    cTimeSchedule& schedule = *target.profiles.at(1).m_TimeSchedule;
    const std::string empty = schedule.ComposePeriodArray();
    schedule.SetDefaultPeriod();
    const std::string filled = schedule.ComposePeriodArray();
    schedule.SetActive(22, -1);
    const std::string more = schedule.ComposePeriodArray();

    QUndoStack stack;
    stack.push(new ScheduleEditCommand(target, 1, empty, filled, 5));
    QVERIFY(schedule.ComposePeriodArray() == more);  // the push does not apply it again
    stack.push(new ScheduleEditCommand(target, 1, filled, more, 5));
    QCOMPARE(stack.count(), 1);
    stack.push(new ScheduleEditCommand(target, 1, more, filled, 6));
    QCOMPARE(stack.count(), 2);
    stack.push(new ScheduleEditCommand(target, 1, filled, more, 0));
    stack.push(new ScheduleEditCommand(target, 1, more, filled, 0));
    QCOMPARE(stack.count(), 4);  // no stroke, no merging
    stack.setIndex(1);
    QVERIFY(schedule.ComposePeriodArray() == more);
    stack.setIndex(0);
    QVERIFY(schedule.ComposePeriodArray() == empty);
  }

  void listNestsByAtThroughGroupsThatBecomeProfiles() {
    QTreeWidget tree;
    ProfileList list(tree);
    list.SetProfile(3, NewProfile("Plant@Hall@Night"), false);
    // The parents exist as groups, matched in upper case.
    QTreeWidgetItem* night = list.ItemOf(3);
    QVERIFY(night->parent() != nullptr && night->parent()->parent() != nullptr);
    QCOMPARE(ProfileList::IdentityOf(night->parent()), int16_t{-1});
    QTreeWidgetItem* hall_group = night->parent();
    list.SetProfile(2, NewProfile("plant@hall"), true);
    QCOMPARE(list.ItemOf(2), hall_group);  // the group became the profile's node
    QCOMPARE(hall_group->text(0), QStringLiteral("* hall"));
    QVERIFY(hall_group->flags() & Qt::ItemIsUserCheckable);
    QCOMPARE(tree.topLevelItemCount(), 1);

    // Renaming moves the node; the old parent stays as a group.
    list.SetProfile(3, NewProfile("Other@Night"), false);
    QCOMPARE(list.ItemOf(3)->parent()->text(0), QStringLiteral("OTHER"));
    QCOMPARE(tree.topLevelItemCount(), 2);

    // A removed profile with nested ones becomes their group again.
    list.SetProfile(4, NewProfile("Plant@Hall@Day"), false);
    list.Remove(2);
    QVERIFY(list.ItemOf(2) == nullptr);
    QCOMPARE(list.ItemOf(4)->parent(), hall_group);
    QCOMPARE(ProfileList::IdentityOf(hall_group), int16_t{-1});
    QVERIFY(!(hall_group->flags() & Qt::ItemIsUserCheckable));
    // Groups left empty go with their last profile, up to the top.
    list.Remove(4);
    QCOMPARE(tree.topLevelItemCount(), 1);

    // A name typed letter by letter through "@" leaves no empty or blank
    // rows behind, and a name ending in "@" is still a visible row.
    for (const char* name : {"Y@", "Y@@", "Y@@Z", "Y@@"}) list.SetProfile(7, NewProfile(name), false);
    QCOMPARE(list.ItemOf(7)->text(0), QStringLiteral("(no name)"));
    list.SetProfile(7, NewProfile("Y"), false);
    QCOMPARE(tree.topLevelItemCount(), 2);
    QCOMPARE(list.ItemOf(7)->childCount(), 0);
    // A renamed parent leaves its nested profiles under a group of its old name.
    list.SetProfile(8, NewProfile("Y@Kid"), false);
    list.SetProfile(7, NewProfile("Why"), false);
    QCOMPARE(list.ItemOf(8)->parent()->text(0), QStringLiteral("Y"));
    QCOMPARE(ProfileList::IdentityOf(list.ItemOf(8)->parent()), int16_t{-1});
    list.SetProfile(7, NewProfile("y"), false);  // and takes them back
    QCOMPARE(list.ItemOf(8)->parent(), list.ItemOf(7));
    QCOMPARE(tree.topLevelItemCount(), 2);
    list.Remove(8);
    list.Remove(7);

    // Two profiles of one name are both listed; unreadable files too.
    list.SetProfile(5, NewProfile("Twin"), false);
    list.SetProfile(6, NewProfile("Twin"), false);
    QVERIFY(list.ItemOf(5) != list.ItemOf(6));
    list.SetUnreadable(9, "x/Profiles/Profile_0009.dat", "bad version");
    QVERIFY(ProfileList::IsUnreadable(list.ItemOf(9)));
    QCOMPARE(list.ItemOf(9)->text(0), QStringLiteral("Profile_0009.dat (unreadable)"));
    QCOMPARE(list.ProfileCount(), 4);
  }
};

QTEST_MAIN(EditorModelTest)
#include "editor_model_test.moc"
