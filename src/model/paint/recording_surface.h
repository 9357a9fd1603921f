#pragma once
// A paint surface that draws nothing and keeps the list of what was asked of
// it, for tests of the views' painting and editing. Its font has fixed
// metrics so that label positions are predictable: every character is
// kCharWidth units wide (kBoldCharWidth in bold) and every text is
// kTextHeight high.

#include <cstdint>
#include <string>
#include <vector>

#include "model/paint/paint_surface.h"
#include "common/export.h"

namespace quindo {

struct QUINDO_EXPORT PaintOp {
  enum class Kind { kLine, kFilledBox, kText, kMousePointer, kToolTip };
  Kind kind = Kind::kLine;
  bool stripe = false;  // a line drawn as a Stripe, one line of a filled area
  // Line and box: from (x1, y1) to (x2, y2). Text: printed at (x1, y1).
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Rgb colour{};       // line and box colour; the fore colour of a text
  std::string text;   // printed or tool-tip text
  bool bold = false;  // font of a text
  int16_t pointer = 0;

  bool operator==(const PaintOp&) const = default;
};

// "line 30,0 30,175 rgb(148,148,148)", "stripe 30,4 318,4 rgb(220,220,220)",
// "text 5,8 \"Mo\"", ... for test output.
QUINDO_EXPORT std::string ToString(const PaintOp& op);

class QUINDO_EXPORT RecordingSurface : public PaintSurface {
 public:
  static constexpr double kCharWidth = 6;
  static constexpr double kBoldCharWidth = 7;
  static constexpr double kTextHeight = 12;

  explicit RecordingSurface(int32_t device_context = 4711) : device_context_(device_context) {}

  double TextWidth(const std::string& utf8) const override;
  double TextHeight(const std::string& utf8) const override;
  int32_t hDC() const override { return device_context_; }

  const std::vector<PaintOp>& Ops() const { return ops_; }
  // Only the operations of one kind, in order.
  std::vector<PaintOp> OpsOf(PaintOp::Kind kind) const;
  void Clear() { ops_.clear(); }

 protected:
  void DrawLine(double x1, double y1, double x2, double y2, Rgb colour) override;
  void DrawStripe(double x1, double y1, double x2, double y2, Rgb colour) override;
  void DrawFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
  void DrawText(double x, double y, const std::string& utf8) override;
  void ShowMousePointer(int16_t shape) override;
  void ShowToolTipText(const std::string& utf8) override;

 private:
  int32_t device_context_;
  std::vector<PaintOp> ops_;
};

}  // namespace quindo
