// Points, sizes and rectangles in pixels.
#pragma once

#include <algorithm>

namespace runtime {

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(Size, Size) = default;
};

// A half-open rectangle: it covers x .. x + width - 1 and y .. y + height - 1.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  constexpr int Left() const { return x; }
  constexpr int Top() const { return y; }
  constexpr int Right() const { return x + width; }
  constexpr int Bottom() const { return y + height; }
  constexpr bool IsEmpty() const { return width <= 0 || height <= 0; }
  constexpr bool Contains(Point p) const {
    return p.x >= x && p.x < Right() && p.y >= y && p.y < Bottom();
  }
  constexpr Rect Intersected(Rect other) const {
    int left = std::max(x, other.x), top = std::max(y, other.y);
    int right = std::min(Right(), other.Right()), bottom = std::min(Bottom(), other.Bottom());
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  constexpr Rect United(Rect other) const {
    if (IsEmpty()) return other;
    if (other.IsEmpty()) return *this;
    int left = std::min(x, other.x), top = std::min(y, other.y);
    int right = std::max(Right(), other.Right()), bottom = std::max(Bottom(), other.Bottom());
    return {left, top, right - left, bottom - top};
  }
  constexpr Rect Translated(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
  friend constexpr bool operator==(Rect, Rect) = default;
};

}  // namespace runtime
