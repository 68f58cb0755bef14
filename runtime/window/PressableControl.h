// The one place that knows how a mouse press or a key becomes a click.
//
// The window gives a pressed control the mouse until the button is released
// (capture); the control is drawn pressed while the pointer is over it, and
// clicks only when the button is released over it. Space on the focused
// control, and Enter on the default button, click it at once.
#pragma once

#include "runtime/window/Control.h"

namespace runtime {

class PressableControl : public Control {
 public:
  using Control::Control;

  bool TakesMouse() const override { return true; }
  void OnMouseDown() override;
  void OnMouseMove(bool inside) override;
  void OnMouseUp(bool inside) override;
  void Activate() override { Click(); }

 protected:
  // Drawn pressed: the button is held and the pointer is over the control.
  bool IsPressed() const { return held_ && inside_; }
  virtual void Click() = 0;
  // Whether the control looks different while pressed, and so repaints when
  // the press starts, moves out or in, and ends. An invisible one does not.
  virtual bool ShowsPressedState() const { return true; }

 private:
  bool held_ = false;
  bool inside_ = false;
};

}  // namespace runtime
