// Loading and painting an image control's picture.
#include "runtime/window/ImageControl.h"

#include "runtime/picture/PictureLoader.h"
#include "runtime/window/Property.h"

namespace runtime {

void ImageControl::SetText(std::string_view text) {
  if (text == Text()) return;
  picture_.reset();
  Control::SetText(text);
  if (!text.empty()) picture_ = LoadPicture(text, Host().Modules());
  Invalidate();
}

void ImageControl::SetFlagProperty(int property, bool on) {
  if (property != Prop::Centered || on == centered_) return;
  centered_ = on;
  Invalidate();
}

bool ImageControl::FlagProperty(int property) const { return property == Prop::Centered && centered_; }

void ImageControl::Paint(Painter& painter, const PaintState&) const {
  if (!picture_ || picture_->IsEmpty()) return;
  Rect bounds = Bounds();
  if (centered_) {
    // Centred in client coordinates, halving toward zero, so an odd
    // remainder leaves the extra pixel on the right or at the bottom.
    int left = (bounds.Left() + bounds.Right() - picture_->Width()) / 2;
    int top = (bounds.Top() + bounds.Bottom() - picture_->Height()) / 2;
    painter.DrawBitmap(*picture_, {left - bounds.x, top - bounds.y});
    return;
  }
  if (bounds.IsEmpty()) return;
  // Stretched: each target pixel takes its nearest source pixel.
  Bitmap stretched(bounds.width, bounds.height);
  for (int y = 0; y < bounds.height; ++y) {
    int sy = static_cast<int>(static_cast<long long>(y) * picture_->Height() / bounds.height);
    for (int x = 0; x < bounds.width; ++x) {
      int sx = static_cast<int>(static_cast<long long>(x) * picture_->Width() / bounds.width);
      stretched.At(x, y) = picture_->At(sx, sy);
    }
  }
  painter.DrawBitmap(stretched, {0, 0});
}

}  // namespace runtime
