// How a press becomes a click.
#include "runtime/window/PressableControl.h"

namespace runtime {

void PressableControl::OnMouseDown() {
  held_ = true;
  inside_ = true;
  if (ShowsPressedState()) Invalidate();
}

void PressableControl::OnMouseMove(bool inside) {
  if (!held_ || inside == inside_) return;
  inside_ = inside;
  if (ShowsPressedState()) Invalidate();
}

void PressableControl::OnMouseUp(bool inside) {
  bool was_held = held_;
  held_ = false;
  inside_ = false;
  if (ShowsPressedState()) Invalidate();
  if (was_held && inside) Click();
}

}  // namespace runtime
