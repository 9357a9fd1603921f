#pragma once
// The "Receivers" tab: the receiver files of the data directory as a list
// with their enabled check boxes, and the form of the selected one: name,
// enabled, type (from the receiver type table), backup receiver and the four
// settings, each with its kind. Edits are commands on the window's undo
// stack; leaving a changed receiver asks Save / Discard / Cancel. Saving,
// creating, deleting, import and export work as they do for profiles
// (receiver_pane_files.cc).

#include <array>
#include <cstdint>

#include <QWidget>
#include <nlohmann/json.hpp>

#include "tools/editor/editor_prompts.h"
#include "tools/editor/receiver_records.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QUndoStack;

namespace quindo {

class ReceiverPane : public QWidget, private ReceiverEditTarget {
  Q_OBJECT

 public:
  ReceiverPane(QUndoStack& undo, EditorPrompts& prompts, QWidget* parent = nullptr);

  // Loads DIR/Receivers of this thread's data directory (after asking).
  bool Open();
  bool Select(int16_t identity);
  int16_t SelectedIdentity() const { return selected_; }
  cReceiver* SelectedReceiver() { return records_.Find(selected_); }
  bool SelectedHasChanges() const;
  bool MayLeave();
  // Refuses texts the code page cannot hold and asks before overwriting a
  // file that changed on disk.
  bool SaveSelected();
  bool DiscardSelected();
  // A new receiver, saved at once (creating DIR/Receivers when missing).
  int16_t NewReceiver();
  bool DeleteSelected();
  // quindo-records JSON: export the selected receiver; import one over the
  // receiver of its identity (asked; Save writes it) or as a new receiver.
  bool ExportSelected(const QString& file);
  int16_t ImportReceiver(const QString& file);
  QString SuggestedExportFile(const QString& directory) const;
  // Fills the type list again from the receiver type table.
  void RefreshTypes();

  ReceiverRecords& Records() { return records_; }
  QListWidget* List() const { return list_; }
  QLineEdit* NameField() const { return name_; }
  QComboBox* TypeField() const { return type_; }
  QLabel* TypeHint() const { return type_hint_; }
  QComboBox* KindField(int setting) const { return kinds_.at(setting); }
  QLineEdit* ValueField(int setting) const { return values_.at(setting); }

 signals:
  // A receiver's changes or the selection changed.
  void changed();

 private:
  cReceiver* ReceiverFor(int16_t identity) override { return records_.Find(identity); }
  void ReceiverEdited(int16_t identity) override;

  void ShowSelected();
  void UpdateItem(int16_t identity);
  QListWidgetItem* ItemOf(int16_t identity) const;
  QListWidgetItem* AddItem(int16_t identity);
  // Pushes an edit: `change` alters the selected receiver's JSON.
  void Edit(const std::string& merge_key, const std::function<void(nlohmann::json&)>& change);
  void EditSetting(int setting);
  void Fail(const QString& message);
  QString NameOf(int16_t identity) const;

  QUndoStack& undo_;
  EditorPrompts& prompts_;
  ReceiverRecords records_;
  int16_t selected_ = -1;
  bool filling_ = false;

  QListWidget* list_;
  QWidget* form_;
  QLineEdit* name_;
  QCheckBox* enabled_;
  QComboBox* type_;
  QLabel* type_hint_;
  QLineEdit* backup_;
  std::array<QComboBox*, cReceiver::kSettings> kinds_{};
  std::array<QLineEdit*, cReceiver::kSettings> values_{};
};

}  // namespace quindo
