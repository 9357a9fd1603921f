#include "qt/view_accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace quindo {
namespace {

class ViewPartAccessible : public QAccessibleWidget {
 public:
  ViewPartAccessible(QWidget* widget, const AccessibleViewPart* part)
      : QAccessibleWidget(widget, part->AccessibleRole()), part_(part) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return part_->AccessibleName();
    if (kind == QAccessible::Description || kind == QAccessible::Help) return part_->AccessibleHelp();
    return QAccessibleWidget::text(kind);
  }

 private:
  const AccessibleViewPart* part_;  // the widget itself, which outlives its interface
};

QAccessibleInterface* ViewPartFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  const auto* part = dynamic_cast<const AccessibleViewPart*>(object);
  if (widget == nullptr || part == nullptr) return nullptr;
  return new ViewPartAccessible(widget, part);
}

}  // namespace

void InstallViewAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ViewPartFactory);
    return true;
  }();
  (void)installed;
}

void NotifyAccessibleNameChanged(QWidget* part) {
  if (!QAccessible::isActive()) return;  // no tool listens
  QAccessibleEvent event(part, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

}  // namespace quindo
