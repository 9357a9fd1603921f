#pragma once
// Position, size and visibility kept in memory: the window part of the
// in-memory child controls.

#include "control/child_controls.h"

namespace quindo {

template <typename Base>
class MemoryWindow : public Base {
 public:
  void SetVisible(bool visible) override { visible_ = visible; }
  bool IsVisible() const override { return visible_; }
  void Move(float left, float top, float width, float height) override {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }
  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return width_; }
  float Height() const override { return height_; }

 private:
  bool visible_ = true;
  float left_ = 0;
  float top_ = 0;
  float width_ = 0;
  float height_ = 0;
};

// The connection label; its design size is 3900 x 588 twips, 260 x 39.2
// pixels at 15 twips per pixel.
class MemoryLabel : public MemoryWindow<Label> {
 public:
  static constexpr float kDesignWidth = 260.0f;
  static constexpr float kDesignHeight = 39.2f;

  MemoryLabel() { Move(0, 0, kDesignWidth, kDesignHeight); }
};

}  // namespace quindo
