// A push button in the look of a plain dialog.
#include "runtime/window/Button.h"

#include "runtime/events/EventNumber.h"

namespace runtime {
namespace {

constexpr Rgba kFace{0xE1, 0xE1, 0xE1, 0xFF};
constexpr Rgba kBorder{0xAD, 0xAD, 0xAD, 0xFF};
constexpr Rgba kPressedFace{0xCC, 0xE4, 0xF7, 0xFF};
constexpr Rgba kPressedBorder{0x00, 0x54, 0x99, 0xFF};
constexpr Rgba kFocusBorder{0x00, 0x78, 0xD7, 0xFF};
constexpr int kFocusInset = 3;

}  // namespace

void Button::Click() {
  if (standard_action_ == kStandardActionClose) {
    Host().Post(Event::CloseWindow, 0);
  } else if (standard_action_ == 0) {
    Host().Post(Event::Accepted, Number());
  }
}

void Button::Paint(Painter& painter, const PaintState& state) const {
  Rect area{0, 0, Bounds().width, Bounds().height};
  bool pressed = IsPressed();
  painter.FillRect(area, pressed ? kPressedFace : kFace);
  Rgba border = pressed ? kPressedBorder : (state.focused || is_default_) ? kFocusBorder : kBorder;
  painter.DrawRectOutline(area, border);
  if (const Font* font = TextFont()) {
    int width = font->TextWidth(Text());
    Point at{(area.width - width) / 2, (area.height - font->Height()) / 2};
    painter.DrawText(*font, at, Text(), TextColor());
  }
  if (state.focused) {
    painter.DrawFocusRect({kFocusInset, kFocusInset, area.width - 2 * kFocusInset, area.height - 2 * kFocusInset});
  }
}

}  // namespace runtime
