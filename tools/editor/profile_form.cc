#include "tools/editor/profile_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/settings.h"
#include "model/profile/profile.h"
#include "qt/day_type_names.h"
#include "tools/editor/profile_fields.h"

namespace quindo {

namespace {

constexpr int kSystemColumns = 8;

bool IsSystem(const ProfileField& field) {
  return field.group == QLatin1String("Systems") && field.kind == FieldKind::kNumber;
}
bool IsDayType(const ProfileField& field) { return field.key.startsWith(QLatin1String("DayTypeActive")); }

// The systems' cells edit 16-bit numbers.
class SystemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    auto* spin = new QSpinBox(parent);
    spin->setRange(-32768, 32767);
    spin->setFrame(false);
    spin->setAccessibleName(index.data(Qt::AccessibleDescriptionRole).toString());
    return spin;
  }
};

}  // namespace

ProfileForm::ProfileForm(QWidget* parent) : QWidget(parent) {
  FillDayTypeNamesFromLanguage();
  const auto& fields = ProfileFields();
  editors_.resize(fields.size(), nullptr);
  auto* layout = new QVBoxLayout(this);
  QFormLayout* form = nullptr;
  QString group;
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    const ProfileField& field = fields[i];
    if (field.group != group) {
      group = field.group;
      auto* box = new QGroupBox(group, this);
      form = new QFormLayout(box);
      layout->addWidget(box);
    }
    if (IsDayType(field)) {
      if (day_types_ == nullptr) {
        first_day_type_field_ = i;
        form->addRow(MakeDayTypeList());
      }
      editors_[i] = day_types_;
    } else if (IsSystem(field)) {
      if (systems_ == nullptr) {
        first_system_field_ = i;
        form->addRow(MakeSystemTable());
      }
      editors_[i] = systems_;
    } else {
      QWidget* editor = MakeEditor(i);
      editor->setObjectName(field.key);
      editor->setAccessibleName(field.label);
      editors_[i] = editor;
      if (field.kind == FieldKind::kFlag) {
        form->addRow(editor);
      } else {
        form->addRow(field.label, editor);
      }
    }
  }
  layout->addStretch();
  Show(nullptr);
}

QListWidget* ProfileForm::MakeDayTypeList() {
  day_types_ = new QListWidget(this);
  day_types_->setObjectName(QStringLiteral("DayTypes"));
  day_types_->setAccessibleName(QStringLiteral("Day types in use"));
  day_types_->setToolTip(QStringLiteral("The chart has a row for each day type in use; a special day type "
                                        "counts on the calendar's days only when the calendar is used"));
  day_types_->setFlow(QListView::TopToBottom);
  day_types_->setWrapping(true);
  day_types_->setResizeMode(QListView::Adjust);
  day_types_->setFixedHeight(8 * day_types_->fontMetrics().height() + 24);
  for (int d = 0; d < kDayTypeCount; ++d) {
    const std::string& name = DayTypeNames()[d];
    auto* item = new QListWidgetItem(name.empty() ? QStringLiteral("Day type %1").arg(d) : QString::fromStdString(name),
                                     day_types_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  day_types_->setCurrentRow(0);
  connect(day_types_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!filling_) emit fieldEdited(first_day_type_field_ + day_types_->row(item), item->checkState() == Qt::Checked ? -1 : 0);
  });
  return day_types_;
}

QTableWidget* ProfileForm::MakeSystemTable() {
  constexpr int kRows = cProfile::kSystems / kSystemColumns;
  systems_ = new QTableWidget(kRows, kSystemColumns, this);
  systems_->setObjectName(QStringLiteral("Systems"));
  systems_->setAccessibleName(QStringLiteral("Systems 0 to 63"));
  // One Tab stop: Tab leaves the table, the arrows move between systems.
  systems_->setTabKeyNavigation(false);
  systems_->setItemDelegate(new SystemDelegate(systems_));
  QStringList columns;
  for (int c = 0; c < kSystemColumns; ++c) columns << QStringLiteral("+%1").arg(c);
  QStringList rows;
  for (int r = 0; r < kRows; ++r) rows << QString::number(r * kSystemColumns);
  systems_->setHorizontalHeaderLabels(columns);
  systems_->setVerticalHeaderLabels(rows);
  systems_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  systems_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (int system = 0; system < cProfile::kSystems; ++system) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("System %1").arg(system));
    item->setToolTip(QStringLiteral("System %1").arg(system));
    systems_->setItem(system / kSystemColumns, system % kSystemColumns, item);
  }
  systems_->setCurrentCell(0, 0);
  int height = systems_->horizontalHeader()->sizeHint().height() + 2 * systems_->frameWidth();
  for (int r = 0; r < kRows; ++r) height += systems_->verticalHeader()->sectionSizeHint(r);
  systems_->setFixedHeight(height);
  connect(systems_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (filling_) return;
    const int system = item->row() * kSystemColumns + item->column();
    emit fieldEdited(first_system_field_ + system, item->data(Qt::EditRole).toInt());
  });
  return systems_;
}

QWidget* ProfileForm::MakeEditor(int field) {
  const ProfileField& f = ProfileFields()[field];
  switch (f.kind) {
    case FieldKind::kText: {
      auto* edit = new QLineEdit(this);
      connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        if (!filling_) emit fieldEdited(field, text);
      });
      return edit;
    }
    case FieldKind::kFlag: {
      auto* check = new QCheckBox(f.label, this);
      connect(check, &QCheckBox::toggled, this, [this, field](bool on) {
        if (!filling_) emit fieldEdited(field, on ? -1 : 0);
      });
      return check;
    }
    case FieldKind::kNumber: {
      auto* spin = new QSpinBox(this);
      spin->setRange(-32768, 32767);
      spin->setKeyboardTracking(false);
      connect(spin, &QSpinBox::valueChanged, this, [this, field](int value) {
        if (!filling_) emit fieldEdited(field, value);
      });
      return spin;
    }
  }
  return nullptr;
}

void ProfileForm::SetEditorValue(int field, const QVariant& value) {
  QWidget* editor = editors_[field];
  if (editor == day_types_) {
    day_types_->item(field - first_day_type_field_)->setCheckState(value.toInt() != 0 ? Qt::Checked : Qt::Unchecked);
  } else if (editor == systems_) {
    const int system = field - first_system_field_;
    systems_->item(system / kSystemColumns, system % kSystemColumns)->setData(Qt::EditRole, value.toInt());
  } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    if (edit->text() != value.toString()) edit->setText(value.toString());
  } else if (auto* check = qobject_cast<QCheckBox*>(editor)) {
    check->setChecked(value.toInt() != 0);
  } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
    spin->setValue(value.toInt());
  }
}

void ProfileForm::Show(const cProfile* profile) {
  filling_ = true;
  const auto& fields = ProfileFields();
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    SetEditorValue(i, profile != nullptr ? fields[i].Get(*profile) : QVariant(fields[i].kind == FieldKind::kText
                                                                                  ? QVariant(QString())
                                                                                  : QVariant(0)));
  }
  setEnabled(profile != nullptr);
  filling_ = false;
}

}  // namespace quindo
