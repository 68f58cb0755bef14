// Paints rectangles, bitmaps and text into a Bitmap, translated and clipped.
#include "runtime/paint/Painter.h"

#include "runtime/paint/Blend.h"

namespace runtime {

Painter::Painter(Bitmap& target) : target_(&target), origin_{0, 0}, clip_(target.Bounds()) {}

Painter Painter::Within(Rect area) const {
  return Painter(*target_, {origin_.x + area.x, origin_.y + area.y}, ToTarget(area).Intersected(clip_));
}

Rect Painter::Clip() const { return clip_.Translated(-origin_.x, -origin_.y); }

void Painter::BlendPixel(int x, int y, Rgba color) {
  Rgba& pixel = target_->At(x, y);
  pixel = BlendOver(pixel, color);
}

void Painter::FillTargetRect(Rect rect, Rgba color) {
  const Rect area = rect.Intersected(clip_);
  if (area.IsEmpty() || color.a == 0) return;
  for (int y = area.Top(); y < area.Bottom(); ++y) {
    for (int x = area.Left(); x < area.Right(); ++x) {
      if (color.a == 255) {
        target_->At(x, y) = color;
      } else {
        BlendPixel(x, y, color);
      }
    }
  }
}

void Painter::FillRect(Rect rect, Rgba color) { FillTargetRect(ToTarget(rect), color); }

void Painter::DrawRectOutline(Rect rect, Rgba color) {
  if (rect.IsEmpty()) return;
  const Rect r = ToTarget(rect);
  // Each pixel once, so that a translucent colour is not doubled at the corners.
  FillTargetRect({r.x, r.y, r.width, 1}, color);
  if (r.height > 1) FillTargetRect({r.x, r.Bottom() - 1, r.width, 1}, color);
  FillTargetRect({r.x, r.y + 1, 1, r.height - 2}, color);
  if (r.width > 1) FillTargetRect({r.Right() - 1, r.y + 1, 1, r.height - 2}, color);
}

void Painter::DrawFocusRect(Rect rect) {
  if (rect.IsEmpty()) return;
  const Rect r = ToTarget(rect);
  auto dot = [&](int x, int y) {
    if ((x - r.x + y - r.y) % 2 == 0 && clip_.Contains({x, y})) target_->At(x, y) = kWindowText;
  };
  for (int x = r.Left(); x < r.Right(); ++x) {
    dot(x, r.Top());
    if (r.height > 1) dot(x, r.Bottom() - 1);
  }
  for (int y = r.Top() + 1; y < r.Bottom() - 1; ++y) {
    dot(r.Left(), y);
    if (r.width > 1) dot(r.Right() - 1, y);
  }
}

void Painter::DrawBitmap(const Bitmap& image, Point top_left) {
  const Rect placed = ToTarget({top_left.x, top_left.y, image.Width(), image.Height()});
  const Rect area = placed.Intersected(clip_);
  for (int y = area.Top(); y < area.Bottom(); ++y) {
    for (int x = area.Left(); x < area.Right(); ++x) {
      BlendPixel(x, y, image.At(x - placed.x, y - placed.y));
    }
  }
}

void Painter::DrawText(const Font& font, Point top_left, std::string_view text, Rgba color) {
  const Point start{origin_.x + top_left.x, origin_.y + top_left.y};
  const int baseline = start.y + font.Ascent();
  int pen = start.x;
  for (char c : text) {
    const Glyph& glyph = font.GlyphFor(static_cast<unsigned char>(c));
    const Rect placed{pen + glyph.left, baseline - glyph.top, glyph.width, glyph.height};
    const Rect area = placed.Intersected(clip_);
    for (int y = area.Top(); y < area.Bottom(); ++y) {
      const std::size_t row = static_cast<std::size_t>(y - placed.y) * static_cast<std::size_t>(glyph.width);
      for (int x = area.Left(); x < area.Right(); ++x) {
        const std::uint8_t coverage = glyph.coverage[row + static_cast<std::size_t>(x - placed.x)];
        if (coverage != 0) BlendPixel(x, y, WithCoverage(color, coverage));
      }
    }
    pen += glyph.advance;
  }
  const int width = pen - start.x;
  if (font.Request().underline) {
    const Stroke stroke = font.Underline();
    FillTargetRect({start.x, baseline + stroke.offset, width, stroke.thickness}, color);
  }
  if (font.Request().strikeout) {
    const Stroke stroke = font.Strikeout();
    FillTargetRect({start.x, baseline + stroke.offset, width, stroke.thickness}, color);
  }
}

}  // namespace runtime
