#include "tools/editor/receiver_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QUndoStack>

#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "tools/records/receiver_json.h"

namespace quindo {

namespace {

// The kinds a setting keeps, by their file numbers (as in the JSON).
struct KindChoice {
  int number;
  const char* name;
};
constexpr KindChoice kKinds[] = {{0, "Empty"},  {1, "Null"},     {2, "Integer"}, {3, "Long"},
                                 {4, "Single"}, {5, "Double"},   {6, "Currency"}, {7, "Date"},
                                 {8, "Text"},   {11, "Flag"},    {17, "Byte"}};

nlohmann::json JsonOf(const cReceiver& receiver) { return nlohmann::json(records::ReceiverToJson(receiver)); }

QString ValueText(const nlohmann::json& setting) {
  if (!setting.contains("Value")) return {};
  const auto& value = setting["Value"];
  return value.is_string() ? QString::fromStdString(value.get<std::string>()) : QString::fromStdString(value.dump());
}

}  // namespace

ReceiverPane::ReceiverPane(QUndoStack& undo, const SavePrompt& save_prompt, const ConfirmPrompt& confirm_prompt,
                           QWidget* parent)
    : QWidget(parent), undo_(undo), save_prompt_(save_prompt), confirm_prompt_(confirm_prompt) {
  list_ = new QListWidget;
  list_->setMaximumWidth(300);
  form_ = new QWidget;
  name_ = new QLineEdit;
  enabled_ = new QCheckBox(QStringLiteral("Enabled"));
  type_ = new QComboBox;
  backup_ = new QLineEdit;
  auto* form = new QFormLayout(form_);
  form->addRow(QStringLiteral("Name"), name_);
  form->addRow(enabled_);
  form->addRow(QStringLiteral("Type"), type_);
  form->addRow(QStringLiteral("Backup receiver"), backup_);
  for (int i = 0; i < cReceiver::kSettings; ++i) {
    kinds_[i] = new QComboBox;
    for (const KindChoice& kind : kKinds) kinds_[i]->addItem(QString::fromLatin1(kind.name), kind.number);
    values_[i] = new QLineEdit;
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
  filling_ = false;
  ShowSelected();
}

bool ReceiverPane::Open() {
  if (!MayLeave()) return false;
  records_.LoadAll();
  selected_ = -1;
  filling_ = true;
  list_->clear();
  for (int16_t identity : records_.Identities()) {
    auto* item = new QListWidgetItem(list_);
    item->setData(Qt::UserRole, int{identity});
  }
  filling_ = false;
  for (int16_t identity : records_.Identities()) UpdateItem(identity);
  ShowSelected();
  return true;
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
  filling_ = true;
  if (const cReceiver* receiver = records_.Find(identity)) {
    bool dirty = false;
    if (identity == selected_) dirty = SelectedHasChanges();
    item->setText(QStringLiteral("%1%2 (%3)")
                      .arg(dirty ? QStringLiteral("* ") : QString())
                      .arg(QString::fromStdString(receiver->m_ReceiverName))
                      .arg(QString::fromStdString(receiver->m_ReceiverTypeName)));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(receiver->m_Enabled != 0 ? Qt::Checked : Qt::Unchecked);
  } else {
    item->setText(QStringLiteral("Receiver_%1.dat (unreadable)").arg(identity, 4, 10, QLatin1Char('0')));
    item->setToolTip(QString::fromStdString(records_.Messages(identity)));
    item->setForeground(Qt::gray);
  }
  filling_ = false;
}

bool ReceiverPane::SelectedHasChanges() const {
  const cReceiver* receiver = records_.Find(selected_);
  return receiver != nullptr && receiver->HasChangedSinceLastLoadFromDisk();
}

bool ReceiverPane::MayLeave() {
  if (!SelectedHasChanges()) return true;
  const QString what =
      QStringLiteral("receiver '%1'").arg(QString::fromStdString(records_.Find(selected_)->m_ReceiverName));
  switch (save_prompt_(what)) {
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
  undo_.clear();
  selected_ = identity;
  filling_ = true;
  list_->setCurrentItem(ItemOf(identity));
  filling_ = false;
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
    kinds_[i]->setCurrentIndex(kinds_[i]->findData(setting["Kind"].get<int>()));
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
  const int kind = kinds_[setting]->currentData().toInt();
  const QString text = values_[setting]->text();
  Edit({}, [&](nlohmann::json& json) {
    nlohmann::json value{{"Kind", kind}};
    if (kind == 8) {
      value["Value"] = text.toStdString();
    } else if (kind > 1) {
      // A number in the kind's own form; what does not parse goes to the
      // reader as text, which refuses it with the field's name.
      bool ok = false;
      const qlonglong whole = text.trimmed().toLongLong(&ok);
      if (ok) {
        value["Value"] = whole;
      } else {
        const double number = text.trimmed().toDouble(&ok);
        value["Value"] = ok ? nlohmann::json(number) : nlohmann::json(text.toStdString());
      }
    }
    json["Settings"][setting] = value;
  });
}

bool ReceiverPane::SaveSelected() {
  if (!SelectedHasChanges()) return true;
  const bool ok = records_.Save(selected_);
  if (ok) undo_.clear();
  UpdateItem(selected_);
  return ok;
}

bool ReceiverPane::DiscardSelected() {
  if (!records_.Reload(selected_)) return false;
  undo_.clear();
  ShowSelected();
  return true;
}

int16_t ReceiverPane::NewReceiver() {
  if (!MayLeave()) return -1;
  const int16_t identity = records_.CreateNew("New receiver");
  if (identity < 0) return -1;
  auto* item = new QListWidgetItem(list_);
  item->setData(Qt::UserRole, int{identity});
  UpdateItem(identity);
  Select(identity);
  return identity;
}

bool ReceiverPane::DeleteSelected() {
  const cReceiver* receiver = records_.Find(selected_);
  if (!records_.Contains(selected_)) return false;
  const QString what = receiver != nullptr ? QString::fromStdString(receiver->m_ReceiverName)
                                           : QStringLiteral("receiver file %1").arg(selected_);
  if (!confirm_prompt_(QStringLiteral("Delete receiver '%1'?").arg(what))) return false;
  if (!records_.Remove(selected_)) return false;
  undo_.clear();
  delete ItemOf(selected_);
  selected_ = -1;
  ShowSelected();
  return true;
}

}  // namespace quindo
