// A static text: it paints its text and takes no input.
#pragma once

#include "runtime/window/Control.h"

namespace runtime {

class StringControl final : public Control {
 public:
  StringControl(ControlHost& host, int number) : Control(host, number, ControlKind::String) {}

  void Paint(Painter& painter, const PaintState&) const override {
    if (const Font* font = TextFont()) painter.DrawText(*font, {0, 0}, Text(), TextColor());
  }
};

}  // namespace runtime
