#include "tools/editor/edit_commands.h"

#include "common/error.h"
#include "common/language.h"
#include "model/profile/profile.h"
#include "tools/editor/profile_fields.h"

namespace quindo {

FieldEditCommand::FieldEditCommand(EditTarget& target, int16_t identity, int field, QVariant new_value)
    : PlacedCommand({EditPlace::Kind::kProfile, identity}),
      target_(target), identity_(identity), field_(field), new_value_(std::move(new_value)) {
  const ProfileField& f = ProfileFields().at(field);
  if (const cProfile* profile = target_.ProfileFor(identity_)) old_value_ = f.Get(*profile);
  setText(QStringLiteral("Edit %1").arg(f.label));
}

bool FieldEditCommand::Apply(const QVariant& value) {
  cProfile* profile = target_.ProfileFor(identity_);
  if (profile == nullptr) return false;
  const ProfileField& field = ProfileFields().at(field_);
  try {
    field.Set(*profile, value);
  } catch (const Error& e) {
    std::string message = field.label.toStdString() + ": Err:" + std::to_string(e.Number()) + " " + e.Description();
    ReportError(message);
    target_.ProfileEdited(identity_, field_);  // shows the value it kept
    return false;
  }
  target_.ProfileEdited(identity_, field_);
  return true;
}

void FieldEditCommand::redo() {
  if (!Apply(new_value_)) setObsolete(true);
}

void FieldEditCommand::undo() { Apply(old_value_); }

bool FieldEditCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const FieldEditCommand*>(other);
  if (next->identity_ != identity_ || next->field_ != field_) return false;
  new_value_ = next->new_value_;
  // An edit typed back to where it started leaves nothing to undo.
  if (new_value_ == old_value_) setObsolete(true);
  return true;
}

ScheduleEditCommand::ScheduleEditCommand(EditTarget& target, int16_t identity, std::string before,
                                         std::string after, int stroke)
    : PlacedCommand({EditPlace::Kind::kProfile, identity}),
      target_(target), identity_(identity), before_(std::move(before)), after_(std::move(after)), stroke_(stroke) {
  setText(QStringLiteral("Edit week chart"));
}

void ScheduleEditCommand::Apply(const std::string& period_array) {
  cProfile* profile = target_.ProfileFor(identity_);
  if (profile == nullptr || profile->m_TimeSchedule == nullptr) return;
  try {
    profile->m_TimeSchedule->ExtractPeriodArray(period_array);
  } catch (const Error& e) {
    std::string message = "Week chart: Err:" + std::to_string(e.Number()) + " " + e.Description();
    ReportError(message);
  }
  target_.ProfileEdited(identity_, kScheduleField);
}

void ScheduleEditCommand::redo() {
  if (skip_first_redo_) {
    skip_first_redo_ = false;
    return;
  }
  Apply(after_);
}

void ScheduleEditCommand::undo() { Apply(before_); }

bool ScheduleEditCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const ScheduleEditCommand*>(other);
  if (stroke_ == 0 || next->stroke_ != stroke_ || next->identity_ != identity_) return false;
  after_ = next->after_;
  if (after_ == before_) setObsolete(true);
  return true;
}

ProfileReplaceCommand::ProfileReplaceCommand(EditTarget& target, int16_t identity,
                                             std::unique_ptr<cProfile> replacement)
    : PlacedCommand({EditPlace::Kind::kProfile, identity}),
      target_(target),
      identity_(identity),
      after_(std::move(replacement)) {
  before_ = std::make_unique<cProfile>();
  if (const cProfile* profile = target_.ProfileFor(identity_)) before_->CopyFrom(*profile);
  setText(QStringLiteral("Replace profile"));
}

ProfileReplaceCommand::~ProfileReplaceCommand() = default;

void ProfileReplaceCommand::Apply(const cProfile& fields) {
  cProfile* profile = target_.ProfileFor(identity_);
  if (profile == nullptr || fields.m_TimeSchedule == nullptr) return;
  profile->CopyFrom(fields);
  target_.ProfileEdited(identity_, kWholeProfile);
}

CalendarEditCommand::CalendarEditCommand(Apply apply, std::string before, std::string after, int stroke)
    : PlacedCommand({EditPlace::Kind::kCalendar, -1}),
      apply_(std::move(apply)), before_(std::move(before)), after_(std::move(after)), stroke_(stroke) {
  setText(QStringLiteral("Edit calendar"));
}

void CalendarEditCommand::redo() {
  if (skip_first_redo_) {
    skip_first_redo_ = false;
    return;
  }
  apply_(after_);
}

bool CalendarEditCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const CalendarEditCommand*>(other);
  if (stroke_ == 0 || next->stroke_ != stroke_) return false;
  after_ = next->after_;
  if (after_ == before_) setObsolete(true);
  return true;
}

}  // namespace quindo
