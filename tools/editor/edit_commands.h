#pragma once
// The undoable edits of the editor, as plain commands on one QUndoStack for
// every record. They find their profile by key through an EditTarget (so a
// command never holds a record that was reloaded or deleted) and tell the
// target after every change, which refreshes the form, the tree and the
// dirty mark. Each command says which record it changes, so that undo and
// redo first take the user to that record.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QUndoCommand>
#include <QVariant>

namespace quindo {

class cProfile;

// The record an edit changes.
struct EditPlace {
  enum class Kind { kProfile, kReceiver, kCalendar };
  Kind kind = Kind::kProfile;
  int16_t key = -1;  // the profile's or receiver's key at the time of the edit
};

class PlacedCommand : public QUndoCommand {
 public:
  explicit PlacedCommand(EditPlace place) : place_(place) {}
  EditPlace Place() const { return place_; }

 private:
  EditPlace place_;
};

class EditTarget {
 public:
  virtual ~EditTarget() = default;
  // Null when the profile is gone; the command then does nothing.
  virtual cProfile* ProfileFor(int16_t identity) = 0;
  // `field` is the ProfileFields() position, kScheduleField or kWholeProfile.
  virtual void ProfileEdited(int16_t identity, int field) = 0;
};

constexpr int kScheduleField = -1;
constexpr int kWholeProfile = -2;

// Sets one field of the table in profile_fields.h. Consecutive edits of the
// same field of the same profile (typing, spinning) merge into one step. A
// value the profile refuses is reported through ReportError and the command
// is made obsolete, so the stack does not keep it.
class FieldEditCommand : public PlacedCommand {
 public:
  FieldEditCommand(EditTarget& target, int16_t identity, int field, QVariant new_value);

  void redo() override;
  void undo() override;
  int id() const override { return 1; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  bool Apply(const QVariant& value);

  EditTarget& target_;
  int16_t identity_;
  int field_;
  QVariant old_value_;
  QVariant new_value_;
};

// A change of the profile's schedule that the week chart has already made:
// the period array texts before and after. The first redo does nothing; the
// moves of one mouse stroke (same non-zero stroke number) merge.
class ScheduleEditCommand : public PlacedCommand {
 public:
  ScheduleEditCommand(EditTarget& target, int16_t identity, std::string before, std::string after,
                      int stroke);

  void redo() override;
  void undo() override;
  int id() const override { return 2; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  void Apply(const std::string& period_array);

  EditTarget& target_;
  int16_t identity_;
  std::string before_;
  std::string after_;
  int stroke_;
  bool skip_first_redo_ = true;  // the view made the change before the push
};

// Replaces every stored field of a profile (its schedule too) by those of
// another, as an import over an existing profile does; undo puts the
// profile's former fields back. The profile keeps its key and file.
class ProfileReplaceCommand : public PlacedCommand {
 public:
  ProfileReplaceCommand(EditTarget& target, int16_t identity, std::unique_ptr<cProfile> replacement);
  ~ProfileReplaceCommand() override;

  void redo() override { Apply(*after_); }
  void undo() override { Apply(*before_); }

 private:
  void Apply(const cProfile& fields);

  EditTarget& target_;
  int16_t identity_;
  std::unique_ptr<cProfile> before_;
  std::unique_ptr<cProfile> after_;
};

// A change of the calendar that the month view has already made: its file
// bytes before and after; strokes merge as for the schedule.
class CalendarEditCommand : public PlacedCommand {
 public:
  using Apply = std::function<void(const std::string& file_bytes)>;
  CalendarEditCommand(Apply apply, std::string before, std::string after, int stroke);

  void redo() override;
  void undo() override { apply_(before_); }
  int id() const override { return 3; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  Apply apply_;
  std::string before_;
  std::string after_;
  int stroke_;
  bool skip_first_redo_ = true;  // the view made the change before the push
};

}  // namespace quindo
