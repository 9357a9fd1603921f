#pragma once
// A one-line label for a long text such as a file path: the text is elided
// in the middle to the label's width, and the whole text is its tooltip.

#include <QLabel>
#include <QString>

namespace quindo {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);
  void SetFullText(const QString& text);
  const QString& FullText() const { return full_text_; }
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();
  QString full_text_;
};

}  // namespace quindo
