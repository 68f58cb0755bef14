// Paints rectangles, bitmaps and text into a Bitmap, translated and clipped.
#pragma once

#include <string_view>

#include "runtime/paint/Bitmap.h"
#include "runtime/paint/Color.h"
#include "runtime/paint/Font.h"
#include "runtime/paint/Geometry.h"

namespace runtime {

// A painter has an origin and a clip rectangle within its target, so that a
// control paints in its own coordinates and cannot paint outside its place.
// Painting with a colour or bitmap whose alpha is below 255 composites with
// BlendOver (runtime/paint/Blend.h).
class Painter {
 public:
  explicit Painter(Bitmap& target);  // origin 0,0; the clip is the whole bitmap

  // A painter whose origin is `area`'s corner and whose clip is narrowed to
  // `area`, both given in this painter's coordinates.
  Painter Within(Rect area) const;
  Rect Clip() const;  // in this painter's coordinates

  void FillRect(Rect rect, Rgba color);
  void DrawRectOutline(Rect rect, Rgba color);  // the 1-pixel border inside `rect`
  // The border inside `rect`, dotted: a pixel is black when its distance
  // from the rectangle's top-left corner (dx + dy) is even.
  void DrawFocusRect(Rect rect);
  void DrawBitmap(const Bitmap& image, Point top_left);
  // The text's cell starts at `top_left`; its baseline is Ascent() below.
  void DrawText(const Font& font, Point top_left, std::string_view text, Rgba color);

 private:
  Painter(Bitmap& target, Point origin, Rect clip) : target_(&target), origin_(origin), clip_(clip) {}
  Rect ToTarget(Rect rect) const { return rect.Translated(origin_.x, origin_.y); }
  void BlendPixel(int x, int y, Rgba color);  // target coordinates, already clipped
  void FillTargetRect(Rect rect, Rgba color);  // target coordinates

  Bitmap* target_;
  Point origin_;  // of this painter's coordinates, in the target's
  Rect clip_;     // in the target's coordinates, within its bounds
};

}  // namespace runtime
