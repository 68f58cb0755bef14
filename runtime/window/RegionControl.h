// A region: an invisible area that catches the mouse.
//
// With Imm on it reports the mouse to the program: "EVENT:MouseDown" when the
// button goes down over it, "EVENT:MouseMove" while the pointer moves over it
// and "EVENT:MouseUp" when the button is released over it. A click on it
// also raises its own "EVENT:Accepted".
#pragma once

#include "runtime/window/PressableControl.h"

namespace runtime {

class RegionControl final : public PressableControl {
 public:
  RegionControl(ControlHost& host, int number) : PressableControl(host, number, ControlKind::Region) {}

  void OnMouseDown() override;
  void OnMouseMove(bool inside) override;
  void OnMouseUp(bool inside) override;

  void SetFlagProperty(int property, bool on) override;
  bool FlagProperty(int property) const override;

  void Paint(Painter&, const PaintState&) const override {}

 private:
  void Click() override;
  bool ShowsPressedState() const override { return false; }

  bool reports_mouse_ = false;
};

}  // namespace runtime
