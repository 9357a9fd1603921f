#include "model/paint/recording_surface.h"

#include <sstream>

namespace quindo {
namespace {

// Characters, not bytes: a label of UTF-8 text is as wide as it reads.
size_t CodePoints(const std::string& utf8) {
  size_t count = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string ColourText(Rgb colour) {
  std::ostringstream out;
  out << "rgb(" << int{colour.red} << "," << int{colour.green} << "," << int{colour.blue} << ")";
  return out.str();
}

}  // namespace

std::string ToString(const PaintOp& op) {
  std::ostringstream out;
  switch (op.kind) {
    case PaintOp::Kind::kLine:
    case PaintOp::Kind::kFilledBox:
      out << (op.kind == PaintOp::Kind::kFilledBox ? "box " : op.stripe ? "stripe " : "line ") << op.x1 << ","
          << op.y1 << " " << op.x2 << "," << op.y2 << " " << ColourText(op.colour);
      break;
    case PaintOp::Kind::kText:
      out << "text " << op.x1 << "," << op.y1 << " \"" << op.text << "\"" << (op.bold ? " bold" : "");
      break;
    case PaintOp::Kind::kMousePointer:
      out << "pointer " << op.pointer;
      break;
    case PaintOp::Kind::kToolTip:
      out << "tooltip \"" << op.text << "\"";
      break;
  }
  return out.str();
}

double RecordingSurface::TextWidth(const std::string& utf8) const {
  return static_cast<double>(CodePoints(utf8)) * (FontBold() ? kBoldCharWidth : kCharWidth);
}

double RecordingSurface::TextHeight(const std::string&) const { return kTextHeight; }

std::vector<PaintOp> RecordingSurface::OpsOf(PaintOp::Kind kind) const {
  std::vector<PaintOp> result;
  for (const PaintOp& op : ops_) {
    if (op.kind == kind) result.push_back(op);
  }
  return result;
}

void RecordingSurface::DrawLine(double x1, double y1, double x2, double y2, Rgb colour) {
  PaintOp op;
  op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.colour = colour;
  ops_.push_back(op);
}

void RecordingSurface::DrawStripe(double x1, double y1, double x2, double y2, Rgb colour) {
  DrawLine(x1, y1, x2, y2, colour);
  ops_.back().stripe = true;
}

void RecordingSurface::DrawFilledBox(double x1, double y1, double x2, double y2, Rgb colour) {
  PaintOp op;
  op.kind = PaintOp::Kind::kFilledBox;
  op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.colour = colour;
  ops_.push_back(op);
}

void RecordingSurface::DrawText(double x, double y, const std::string& utf8) {
  PaintOp op;
  op.kind = PaintOp::Kind::kText;
  op.x1 = x, op.y1 = y, op.colour = ForeColor(), op.text = utf8, op.bold = FontBold();
  ops_.push_back(op);
}

void RecordingSurface::ShowMousePointer(int16_t shape) {
  PaintOp op;
  op.kind = PaintOp::Kind::kMousePointer;
  op.pointer = shape;
  ops_.push_back(op);
}

void RecordingSurface::ShowToolTipText(const std::string& utf8) {
  PaintOp op;
  op.kind = PaintOp::Kind::kToolTip;
  op.text = utf8;
  ops_.push_back(op);
}

}  // namespace quindo
