// A rectangle of RGBA pixels: a window's framebuffer or a decoded picture.
#pragma once

#include <cassert>
#include <span>
#include <vector>

#include "runtime/paint/Color.h"
#include "runtime/paint/Geometry.h"

namespace runtime {

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Rgba fill = {0, 0, 0, 0})
      : width_(width > 0 ? width : 0),
        height_(height > 0 ? height : 0),
        pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  Size GetSize() const { return {width_, height_}; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  bool IsEmpty() const { return pixels_.empty(); }

  Rgba At(int x, int y) const {
    assert(Bounds().Contains({x, y}) && "pixel outside the bitmap");
    return pixels_[Index(x, y)];
  }
  Rgba& At(int x, int y) {
    assert(Bounds().Contains({x, y}) && "pixel outside the bitmap");
    return pixels_[Index(x, y)];
  }

  std::span<const Rgba> Pixels() const { return pixels_; }
  std::span<Rgba> Pixels() { return pixels_; }
  // One row, left to right.
  std::span<const Rgba> Row(int y) const { return std::span(pixels_).subspan(Index(0, y), width_); }

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<Rgba> pixels_;
};

}  // namespace runtime
