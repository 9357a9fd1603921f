#include "tools/editor/elided_label.h"

#include <QFontMetrics>

namespace quindo {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::SetFullText(const QString& text) {
  full_text_ = text;
  setToolTip(text);
  setAccessibleName(text);
  Elide();
}

QSize ElidedLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void ElidedLabel::Elide() { setText(fontMetrics().elidedText(full_text_, Qt::ElideMiddle, width())); }

}  // namespace quindo
