// The receivers tab's list and form; its file operations are in
// receiver_pane_files.cc.

#include "tools/editor/receiver_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QUndoStack>

#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "json/receiver_json.h"

namespace quindo {

namespace {

// The kinds a setting is shown as, each with the file's kind number a new
// value of it is stored with; a stored kind keeps its number as long as
// the user keeps it under the same name (a 16-bit whole number stays one).
struct KindChoice {
  const char* name;
  int number;
};
constexpr KindChoice kKinds[] = {{"Empty", 0}, {"Whole number", 3}, {"Number", 5}, {"Currency", 6},
                                 {"Date", 7},  {"Text", 8},         {"Yes/No", 11}};

// The shown kind of a stored kind number: 1 (null) shows as empty, 2 and
// 17 as whole numbers, 4 as a number.
int ShownKind(int number) {
  switch (number) {
    case 1: return 0;
    case 2:
    case 17: return 3;
    case 4: return 5;
    default: return number;
  }
}

nlohmann::json JsonOf(const cReceiver& receiver) { return nlohmann::json(ReceiverToJson(receiver)); }

QString ValueText(const nlohmann::json& setting) {
  if (!setting.contains("Value")) return {};
  const auto& value = setting["Value"];
  return value.is_string() ? QString::fromStdString(value.get<std::string>()) : QString::fromStdString(value.dump());
}

// A typed value in the kind's own form; what does not read goes to the
// reader as text, which refuses it with the field's name.
nlohmann::json ValueOf(int kind, const QString& typed) {
  const QString text = typed.trimmed();
  if (kind == 11) {
    const QString word = text.toLower();
    if (word == QLatin1String("yes") || word == QLatin1String("true")) return -1;
    if (word == QLatin1String("no") || word == QLatin1String("false")) return 0;
  }
  bool ok = false;
  const qlonglong whole = text.toLongLong(&ok);
  if (ok) return kind == 11 && whole != 0 ? -1 : whole;
  const double number = text.toDouble(&ok);
  return ok ? nlohmann::json(number) : nlohmann::json(typed.toStdString());
}

}  // namespace

ReceiverPane::ReceiverPane(QUndoStack& undo, EditorPrompts& prompts, QWidget* parent)
    : QWidget(parent), undo_(undo), prompts_(prompts) {
  list_ = new QListWidget;
  list_->setMaximumWidth(300);
  list_->setAccessibleName(QStringLiteral("Receivers"));
  form_ = new QWidget;
  name_ = new QLineEdit;
  name_->setAccessibleName(QStringLiteral("Name"));
  enabled_ = new QCheckBox(QStringLiteral("Enabled"));
  type_ = new QComboBox;
  type_->setAccessibleName(QStringLiteral("Type"));
  type_hint_ = new QLabel(QStringLiteral("No receiver types loaded: start quindo-editor with --receiver-types FILE "
                                         "(a JSON table as quindo-records reads it) to choose from them."));
  type_hint_->setWordWrap(true);
  backup_ = new QLineEdit;
  backup_->setAccessibleName(QStringLiteral("Backup receiver"));
  auto* form = new QFormLayout(form_);
  form->addRow(QStringLiteral("Name"), name_);
  form->addRow(enabled_);
  form->addRow(QStringLiteral("Type"), type_);
  form->addRow(type_hint_);
  form->addRow(QStringLiteral("Backup receiver"), backup_);
  for (int i = 0; i < cReceiver::kSettings; ++i) {
    kinds_[i] = new QComboBox;
    kinds_[i]->setAccessibleName(QStringLiteral("Setting %1 kind").arg(i + 1));
    for (const KindChoice& kind : kKinds) kinds_[i]->addItem(QString::fromLatin1(kind.name), kind.number);
    values_[i] = new QLineEdit;
    values_[i]->setAccessibleName(QStringLiteral("Setting %1 value").arg(i + 1));
    auto* row = new QHBoxLayout;
    row->addWidget(kinds_[i]);
    row->addWidget(values_[i], 1);
    form->addRow(QStringLiteral("Setting %1").arg(i + 1), row);
    connect(kinds_[i], &QComboBox::currentIndexChanged, this, [this, i] {
      if (!filling_) EditSetting(i);
    });
    connect(values_[i], &QLineEdit::editingFinished, this, [this, i] {
      if (!filling_) EditSetting(i);
    });
  }
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(form_, 1);

  connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Edit("name", [&](nlohmann::json& json) { json["ReceiverName"] = text.toStdString(); });
  });
  connect(backup_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Edit("backup", [&](nlohmann::json& json) { json["BackupReceiver"] = text.toStdString(); });
  });
  connect(enabled_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) Edit({}, [&](nlohmann::json& json) { json["Enabled"] = on ? -1 : 0; });
  });
  connect(type_, &QComboBox::currentIndexChanged, this, [this] {
    if (filling_) return;
    const int id = type_->currentData().toInt();
    Edit({}, [&](nlohmann::json& json) { json["ReceiverTypeId"] = id; });
  });
  connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current, QListWidgetItem* previous) {
    if (filling_ || current == nullptr) return;
    if (!Select(static_cast<int16_t>(current->data(Qt::UserRole).toInt()))) {
      filling_ = true;
      list_->setCurrentItem(previous);
      filling_ = false;
    }
  });
  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (filling_) return;
    const auto identity = static_cast<int16_t>(item->data(Qt::UserRole).toInt());
    const cReceiver* receiver = records_.Find(identity);
    const bool on = item->checkState() == Qt::Checked;
    if (receiver == nullptr || on == (receiver->m_Enabled != 0)) return;
    if (identity != selected_ && !Select(identity)) {
      filling_ = true;
      item->setCheckState(receiver->m_Enabled != 0 ? Qt::Checked : Qt::Unchecked);
      filling_ = false;
      return;
    }
    Edit({}, [&](nlohmann::json& json) { json["Enabled"] = on ? -1 : 0; });
  });
  RefreshTypes();
  ShowSelected();
}

void ReceiverPane::RefreshTypes() {
  filling_ = true;
  type_->clear();
  for (int row = 0; row < NumberOfReceiverTypes() && row < kReceiverTypeRows; ++row) {
    const ReceiverType& type = ReceiverTypes()[row];
    type_->addItem(QStringLiteral("%1 %2").arg(type.type_id).arg(QString::fromStdString(type.type_name)),
                   int{type.type_id});
  }
  type_hint_->setVisible(NumberOfReceiverTypes() <= 0);
  filling_ = false;
  ShowSelected();
}

bool ReceiverPane::Open() {
  if (!MayLeave()) return false;
  records_.LoadAll();
  selected_ = -1;
  filling_ = true;
  list_->clear();
  for (int16_t identity : records_.Identities()) AddItem(identity);
  filling_ = false;
  ShowSelected();
  return true;
}

QListWidgetItem* ReceiverPane::AddItem(int16_t identity) {
  // Filling the new row is no edit of the receiver's enabled flag.
  const bool was_filling = filling_;
  filling_ = true;
  auto* item = new QListWidgetItem(list_);
  item->setData(Qt::UserRole, int{identity});
  UpdateItem(identity);
  filling_ = was_filling;
  return item;
}

QListWidgetItem* ReceiverPane::ItemOf(int16_t identity) const {
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->data(Qt::UserRole).toInt() == identity) return list_->item(row);
  }
  return nullptr;
}

void ReceiverPane::UpdateItem(int16_t identity) {
  QListWidgetItem* item = ItemOf(identity);
  if (item == nullptr) return;
  const bool was_filling = filling_;
  filling_ = true;
  if (const cReceiver* receiver = records_.Find(identity)) {
    const bool dirty = identity == selected_ && SelectedHasChanges();
    // A type missing from the table already names itself in brackets.
    QString type = QString::fromStdString(receiver->m_ReceiverTypeName);
    if (!type.startsWith(QLatin1Char('('))) type = QStringLiteral("(%1)").arg(type);
    item->setText(QStringLiteral("%1%2 %3")
                      .arg(dirty ? QStringLiteral("* ") : QString())
                      .arg(QString::fromStdString(receiver->m_ReceiverName))
                      .arg(type));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(receiver->m_Enabled != 0 ? Qt::Checked : Qt::Unchecked);
  } else {
    item->setText(QStringLiteral("Receiver_%1.dat (unreadable)").arg(identity, 4, 10, QLatin1Char('0')));
    item->setToolTip(QString::fromStdString(records_.Messages(identity)));
    item->setForeground(Qt::gray);
  }
  filling_ = was_filling;
  emit changed();
}

bool ReceiverPane::SelectedHasChanges() const {
  const cReceiver* receiver = records_.Find(selected_);
  return receiver != nullptr && receiver->HasChangedSinceLastLoadFromDisk();
}

bool ReceiverPane::MayLeave() {
  if (!SelectedHasChanges()) return true;
  switch (prompts_.save(NameOf(selected_))) {
    case SaveChoice::kSave:
      return SaveSelected();
    case SaveChoice::kDiscard:
      return DiscardSelected();
    case SaveChoice::kCancel:
      break;
  }
  return false;
}

bool ReceiverPane::Select(int16_t identity) {
  if (identity == selected_) return true;
  if (!records_.Contains(identity) || !MayLeave()) return false;
  const int16_t previous = selected_;
  selected_ = identity;
  filling_ = true;
  list_->setCurrentItem(ItemOf(identity));
  filling_ = false;
  UpdateItem(previous);
  ShowSelected();
  return true;
}

void ReceiverPane::ShowSelected() {
  const cReceiver* receiver = records_.Find(selected_);
  form_->setEnabled(receiver != nullptr);
  if (receiver == nullptr) return;
  filling_ = true;
  const nlohmann::json json = JsonOf(*receiver);
  if (name_->text() != QString::fromStdString(receiver->m_ReceiverName)) {
    name_->setText(QString::fromStdString(receiver->m_ReceiverName));
  }
  enabled_->setChecked(receiver->m_Enabled != 0);
  int type_row = type_->findData(int{receiver->GetReceiverTypeId()});
  if (type_row < 0) {
    // A type missing from the table is still shown, under the name it derives.
    type_->addItem(QString::fromStdString(receiver->m_ReceiverTypeName), int{receiver->GetReceiverTypeId()});
    type_row = type_->count() - 1;
  }
  type_->setCurrentIndex(type_row);
  if (backup_->text() != QString::fromStdString(receiver->m_BackupReceiver)) {
    backup_->setText(QString::fromStdString(receiver->m_BackupReceiver));
  }
  for (int i = 0; i < cReceiver::kSettings; ++i) {
    const auto& setting = json["Settings"][i];
    kinds_[i]->setCurrentIndex(kinds_[i]->findData(ShownKind(setting["Kind"].get<int>())));
    values_[i]->setText(ValueText(setting));
  }
  filling_ = false;
  UpdateItem(selected_);
}

void ReceiverPane::ReceiverEdited(int16_t identity) {
  if (identity == selected_) ShowSelected();
  UpdateItem(identity);
}

void ReceiverPane::Edit(const std::string& merge_key, const std::function<void(nlohmann::json&)>& change) {
  const cReceiver* receiver = records_.Find(selected_);
  if (receiver == nullptr || filling_) return;
  nlohmann::json before = JsonOf(*receiver);
  nlohmann::json after = before;
  change(after);
  if (after == before) return;
  undo_.push(new ReceiverEditCommand(*this, selected_, std::move(before), std::move(after), merge_key));
}

void ReceiverPane::EditSetting(int setting) {
  const cReceiver* receiver = records_.Find(selected_);
  if (receiver == nullptr) return;
  const int stored = JsonOf(*receiver)["Settings"][setting]["Kind"].get<int>();
  const int shown = kinds_[setting]->currentData().toInt();
  // Kept under the same name, a kind keeps its number.
  const int kind = ShownKind(stored) == shown ? stored : shown;
  const QString text = values_[setting]->text();
  Edit({}, [&](nlohmann::json& json) {
    nlohmann::json value{{"Kind", kind}};
    if (kind == 8) {
      value["Value"] = text.toStdString();
    } else if (kind > 1) {
      value["Value"] = ValueOf(kind, text);
    }
    json["Settings"][setting] = value;
  });
}

}  // namespace quindo
