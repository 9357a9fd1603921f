#include "tools/editor/profile_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/profile/profile.h"
#include "tools/editor/profile_fields.h"

namespace quindo {

namespace {

constexpr int kSystemColumns = 8;

}  // namespace

ProfileForm::ProfileForm(QWidget* parent) : QWidget(parent) {
  const auto& fields = ProfileFields();
  editors_.resize(fields.size(), nullptr);
  auto* layout = new QVBoxLayout(this);
  QGroupBox* box = nullptr;
  QFormLayout* form = nullptr;
  QGridLayout* grid = nullptr;
  QString group;
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    const ProfileField& field = fields[i];
    if (field.group != group) {
      group = field.group;
      box = new QGroupBox(group, this);
      form = new QFormLayout;
      auto* box_layout = new QVBoxLayout(box);
      box_layout->addLayout(form);
      grid = nullptr;
      layout->addWidget(box);
    }
    QWidget* editor = MakeEditor(i);
    editor->setObjectName(field.key);
    editors_[i] = editor;
    if (field.key.startsWith(QLatin1String("System")) && field.index >= 0 && field.kind == FieldKind::kNumber) {
      // The systems as a compact grid, the number in the tooltip.
      if (grid == nullptr) {
        grid = new QGridLayout;
        grid->setSpacing(2);
        static_cast<QVBoxLayout*>(box->layout())->addLayout(grid);
      }
      editor->setToolTip(QStringLiteral("System %1").arg(field.index));
      grid->addWidget(editor, field.index / kSystemColumns, field.index % kSystemColumns);
    } else if (field.kind == FieldKind::kFlag) {
      form->addRow(editor);
    } else {
      form->addRow(field.label, editor);
    }
  }
  layout->addStretch();
  Show(nullptr);
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
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
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
