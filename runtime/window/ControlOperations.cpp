// Controls made at run time, hiding, and properties by number.
#include "runtime/window/ControlOperations.h"

#include "runtime/system/System.h"
#include "runtime/window/ImageControl.h"
#include "runtime/window/Property.h"
#include "runtime/window/RegionControl.h"

namespace runtime {
namespace {

Window* CurrentWindow() {
  DeclaredWindow* top = System::Get().TopWindow();
  return top ? top->open.get() : nullptr;
}

Control* FindControl(int number) {
  Window* window = CurrentWindow();
  return window ? window->Find(number) : nullptr;
}

void SetVisibility(int first, int last, Visibility visibility) {
  Window* window = CurrentWindow();
  if (!window) return;
  if (last == 0) last = first;
  for (const auto& control : window->Controls()) {
    if (control->Number() >= first && control->Number() <= last) control->SetVisibility(visibility);
  }
}

bool IsOn(std::string_view value) { return !value.empty() && value != "0"; }

}  // namespace

int CreateControl(int requested, int kind, int /*parent*/, int /*position*/) {
  Window* window = CurrentWindow();
  if (!window) return 0;
  int number = requested != 0 ? requested : window->UnusedNumber();
  if (window->Find(number)) return 0;
  std::unique_ptr<Control> control;
  if (kind == ControlKind::Image) {
    control = std::make_unique<ImageControl>(*window, number);
  } else if (kind == ControlKind::Region) {
    control = std::make_unique<RegionControl>(*window, number);
  } else {
    return 0;
  }
  control->SetVisibility(Visibility::Hidden);
  window->Add(std::move(control));
  return number;
}

void HideControls(int first, int last) { SetVisibility(first, last, Visibility::Hidden); }

void UnhideControls(int first, int last) { SetVisibility(first, last, Visibility::Shown); }

std::string GetProperty(int number, int property) {
  Control* control = FindControl(number);
  if (!control) return {};
  const Units& units = CurrentWindow()->GetUnits();
  Rect bounds = control->Bounds();
  switch (property) {
    case Prop::Text: return control->Text();
    case Prop::Xpos: return units.PixelsToTextX(bounds.x);
    case Prop::Ypos: return units.PixelsToTextY(bounds.y);
    case Prop::Width: return units.PixelsToTextX(bounds.width);
    case Prop::Height: return units.PixelsToTextY(bounds.height);
    case Prop::Imm:
    case Prop::Centered: return control->FlagProperty(property) ? "1" : "0";
  }
  return {};
}

void SetProperty(int number, int property, std::string_view value) {
  Control* control = FindControl(number);
  if (!control) return;
  const Units& units = CurrentWindow()->GetUnits();
  Rect bounds = control->Bounds();
  std::optional<int> pixels;
  switch (property) {
    case Prop::Text: control->SetText(value); return;
    case Prop::Xpos: pixels = units.TextToPixelsX(value); if (pixels) bounds.x = *pixels; break;
    case Prop::Ypos: pixels = units.TextToPixelsY(value); if (pixels) bounds.y = *pixels; break;
    case Prop::Width: pixels = units.TextToPixelsX(value); if (pixels) bounds.width = std::max(0, *pixels); break;
    case Prop::Height: pixels = units.TextToPixelsY(value); if (pixels) bounds.height = std::max(0, *pixels); break;
    case Prop::Imm:
    case Prop::Centered: control->SetFlagProperty(property, IsOn(value)); return;
    default: return;
  }
  control->SetBounds(bounds);
}

void SetProperty(int control, int property, int value) { SetProperty(control, property, std::to_string(value)); }

}  // namespace runtime
