// A check box: toggling stores the value, then reports the control accepted.
#include "runtime/window/CheckBox.h"

#include "runtime/events/EventNumber.h"

namespace runtime {
namespace {

constexpr Rgba kBoxBorder{0x33, 0x33, 0x33, 0xFF};
constexpr Rgba kBoxFace = kWhite;
constexpr Rgba kPressedFace{0xCC, 0xE4, 0xF7, 0xFF};
constexpr Rgba kDisabledBorder{0xBC, 0xBC, 0xBC, 0xFF};
constexpr int kTextGap = 3;

// The tick: short strokes, two pixels thick, inside the 13-pixel box.
constexpr Rect kTick[] = {{3, 6, 2, 2}, {4, 7, 2, 2}, {5, 8, 2, 2}, {6, 7, 2, 2},
                          {7, 6, 2, 2}, {8, 5, 2, 2}, {9, 4, 2, 2}};

}  // namespace

void CheckBox::Bind(VariableBinding binding, std::optional<std::string> true_value,
                    std::optional<std::string> false_value) {
  binding_ = binding;
  true_value_ = std::move(true_value);
  false_value_ = std::move(false_value);
  ShowVariable();
}

void CheckBox::ShowVariable() {
  if (!binding_) return;
  bool checked = checked_;
  if (true_value_ && binding_->Equals(*true_value_)) {
    checked = true;
  } else if (false_value_ && binding_->Equals(*false_value_)) {
    checked = false;
  }
  if (checked != checked_) {
    checked_ = checked;
    Invalidate();
  }
}

void CheckBox::Click() {
  checked_ = !checked_;
  Invalidate();
  if (binding_) {
    // Without its texts a check box stores 1 and 0.
    if (checked_) {
      binding_->Store(true_value_.value_or("1"));
    } else {
      binding_->Store(false_value_.value_or("0"));
    }
  }
  Host().Post(Event::Accepted, Number());
}

void CheckBox::Paint(Painter& painter, const PaintState& state) const {
  Rect area{0, 0, Bounds().width, Bounds().height};
  int box_x = side_ == TextSide::Left ? area.width - kBoxSize : 0;
  Rect box{box_x, (area.height - kBoxSize) / 2, kBoxSize, kBoxSize};
  painter.FillRect(box, IsPressed() ? kPressedFace : kBoxFace);
  painter.DrawRectOutline(box, IsEnabled() ? kBoxBorder : kDisabledBorder);
  if (checked_) {
    for (Rect stroke : kTick) painter.FillRect(stroke.Translated(box.x, box.y), IsEnabled() ? kBoxBorder : kDisabledBorder);
  }

  const Font* font = TextFont();
  Rect focus = box;
  if (font && !Text().empty()) {
    int width = font->TextWidth(Text());
    int text_x = side_ == TextSide::Left ? 0 : kBoxSize + kTextGap;
    Point at{text_x, (area.height - font->Height()) / 2};
    painter.DrawText(*font, at, Text(), TextColor());
    focus = {at.x - 1, at.y, width + 2, font->Height()};
  }
  if (state.focused) painter.DrawFocusRect(focus);
}

}  // namespace runtime
