#include "tools/editor/wheel_guard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace quindo {

namespace {

class WheelGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return false;
    auto* box = static_cast<QWidget*>(watched);
    if (box->hasFocus()) return false;
    // Ignored and filtered: the application passes it on to the parents.
    event->ignore();
    return true;
  }
};

}  // namespace

void GuardWheel(QWidget* root) {
  auto* guard = new WheelGuard(root);
  QList<QWidget*> boxes;
  for (auto* spin : root->findChildren<QAbstractSpinBox*>()) boxes.push_back(spin);
  for (auto* combo : root->findChildren<QComboBox*>()) boxes.push_back(combo);
  for (QWidget* box : boxes) {
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(guard);
  }
}

}  // namespace quindo
