#pragma once
// The form of every profile field, built from the field table: a line for
// each text, a check box for each flag, a number box for each number; the
// day types the schedule uses as one list of check items named from the
// language texts, and the 64 systems as one 8 x 8 table. Each list is a
// single stop of the Tab key (arrows move inside it), and every input has
// an accessible name. The form only shows values and reports what the user
// changed; the window turns that into undoable commands.

#include <vector>

#include <QVariant>
#include <QWidget>

class QListWidget;
class QTableWidget;

namespace quindo {

class cProfile;

class ProfileForm : public QWidget {
  Q_OBJECT

 public:
  explicit ProfileForm(QWidget* parent = nullptr);

  // Fills every editor from the profile without reporting edits; null
  // empties and disables the form.
  void Show(const cProfile* profile);
  // The editor of a field (by ProfileFields() position): the day types'
  // list and the systems' table stand for each of their fields.
  QWidget* Editor(int field) const { return editors_.at(field); }
  QListWidget* DayTypeList() const { return day_types_; }
  QTableWidget* SystemTable() const { return systems_; }

 signals:
  void fieldEdited(int field, const QVariant& value);

 private:
  QWidget* MakeEditor(int field);
  QListWidget* MakeDayTypeList();
  QTableWidget* MakeSystemTable();
  void SetEditorValue(int field, const QVariant& value);

  std::vector<QWidget*> editors_;
  QListWidget* day_types_ = nullptr;
  QTableWidget* systems_ = nullptr;
  int first_day_type_field_ = -1;
  int first_system_field_ = -1;
  bool filling_ = false;
};

}  // namespace quindo
