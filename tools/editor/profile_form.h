#pragma once
// The form of every profile field, built from the field table: a line for
// each text, a check box for each flag, a number box for each number, and
// the 64 systems as an 8 x 8 grid. The form only shows values and reports
// what the user changed; the window turns that into undoable commands.

#include <vector>

#include <QVariant>
#include <QWidget>

namespace quindo {

class cProfile;

class ProfileForm : public QWidget {
  Q_OBJECT

 public:
  explicit ProfileForm(QWidget* parent = nullptr);

  // Fills every editor from the profile without reporting edits; null
  // empties and disables the form.
  void Show(const cProfile* profile);
  // The editor of a field (by ProfileFields() position), for tests.
  QWidget* Editor(int field) const { return editors_.at(field); }

 signals:
  void fieldEdited(int field, const QVariant& value);

 private:
  QWidget* MakeEditor(int field);
  void SetEditorValue(int field, const QVariant& value);

  std::vector<QWidget*> editors_;
  bool filling_ = false;
};

}  // namespace quindo
