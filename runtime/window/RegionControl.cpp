// A region's mouse events.
#include "runtime/window/RegionControl.h"

#include "runtime/events/EventNumber.h"
#include "runtime/window/Property.h"

namespace runtime {

void RegionControl::OnMouseDown() {
  if (reports_mouse_) Host().Post(Event::MouseDown, Number());
  PressableControl::OnMouseDown();
}

void RegionControl::OnMouseMove(bool inside) {
  if (reports_mouse_ && inside) Host().Post(Event::MouseMove, Number());
  PressableControl::OnMouseMove(inside);
}

void RegionControl::OnMouseUp(bool inside) {
  if (reports_mouse_ && inside) Host().Post(Event::MouseUp, Number());
  PressableControl::OnMouseUp(inside);
}

void RegionControl::Click() { Host().Post(Event::Accepted, Number()); }

void RegionControl::SetFlagProperty(int property, bool on) {
  if (property == Prop::Imm) reports_mouse_ = on;
}

bool RegionControl::FlagProperty(int property) const {
  return property == Prop::Imm && reports_mouse_;
}

}  // namespace runtime
