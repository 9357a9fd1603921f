#pragma once
// The week chart's picture and the month's paint area are painted, not built
// of widgets, so accessibility tools would find two unnamed fillers there. A
// widget that is also an AccessibleViewPart says what it shows: its role,
// the view's name with what lies under its keyboard cursor, and how to use
// it from the keyboard. InstallViewAccessibility makes Qt ask such widgets
// through an accessible interface of their own.

#include <QAccessible>
#include <QString>

#include "common/export.h"

class QWidget;

namespace quindo {

class QUINDO_EXPORT AccessibleViewPart {
 public:
  virtual ~AccessibleViewPart() = default;
  virtual QAccessible::Role AccessibleRole() const = 0;
  virtual QString AccessibleName() const = 0;
  virtual QString AccessibleHelp() const = 0;
};

// Installs the interface factory for AccessibleViewPart widgets, once per
// process; the views call it when they are made.
QUINDO_EXPORT void InstallViewAccessibility();

// Tells accessibility tools that what a part names has changed (its cursor
// moved or the day under it changed).
QUINDO_EXPORT void NotifyAccessibleNameChanged(QWidget* part);

}  // namespace quindo
