#pragma once
// The editable fields of a profile as a table, so that the form, the undo
// commands and the tests bind to a profile through one list instead of one
// hand-written slot per field. Values travel as QVariant: a QString for
// texts, an int for numbers and flags (flags are -1/0 as stored).

#include <vector>

#include <QString>
#include <QVariant>

namespace quindo {

class cProfile;

enum class FieldKind { kText, kFlag, kNumber };

struct ProfileField {
  QString key;    // stable name, e.g. "Name", "Condition3", "System17"
  QString label;  // shown in the form
  FieldKind kind;
  QString group;  // "General", "Time schedule", "States", ...
  QVariant (*get)(const cProfile& profile, int index);
  // Raises quindo::Error when the profile refuses the value.
  void (*set)(cProfile& profile, int index, const QVariant& value);
  int index = 0;  // the state, condition, system or day type number
  // Stored in the profile's schedule: the week chart shows its change.
  bool in_schedule = false;

  QVariant Get(const cProfile& profile) const { return get(profile, index); }
  void Set(cProfile& profile, const QVariant& value) const { set(profile, index, value); }
};

// Every field, in form order; the same object for the whole process.
const std::vector<ProfileField>& ProfileFields();
// The position of the field with that key, -1 when there is none.
int FindProfileField(const QString& key);

// Numbers outside -32768..32767 are clamped by the form; this keeps a value
// from elsewhere (an import, a test) within the stored width.
int ClampToInt16(int value);

}  // namespace quindo
