// An open window: routing input, focus, and painting the dirty part.
#include "runtime/window/Window.h"

#include <algorithm>
#include <utility>

#include "runtime/events/EventNumber.h"
#include "runtime/paint/Painter.h"
#include "runtime/window/Button.h"

namespace runtime {

Window::Window(Display& display, const ModuleList& modules, EventSink sink, CancelAction cancel)
    : display_(display), modules_(modules), sink_(std::move(sink)), cancel_(cancel) {}

Window::~Window() {
  if (surface_ != 0) display_.DestroySurface(surface_);
}

bool Window::Create(const SurfaceOptions& options) {
  surface_ = display_.CreateSurface(options);
  if (surface_ == 0) return false;
  frame_ = Bitmap(options.client.width, options.client.height, kWindowFace);
  dirty_ = frame_.Bounds();
  return true;
}

Control& Window::Add(std::unique_ptr<Control> control) {
  controls_.push_back(std::move(control));
  Control& added = *controls_.back();
  Invalidate(added.Bounds());
  return added;
}

Control* Window::Find(int number) const {
  for (const auto& control : controls_) {
    if (control->Number() == number) return control.get();
  }
  return nullptr;
}

int Window::UnusedNumber() const {
  int highest = 0;
  for (const auto& control : controls_) highest = std::max(highest, control->Number());
  return highest + 1;
}

void Window::SetDefaultButton(Button* button) {
  if (default_button_) default_button_->SetDefault(false);
  default_button_ = button;
  if (default_button_) default_button_->SetDefault(true);
}

void Window::SetFocus(Control* control) {
  if (control == focus_) return;
  if (focus_) Invalidate(focus_->Bounds());
  focus_ = control;
  if (focus_) {
    Invalidate(focus_->Bounds());
    Post(Event::Selected, focus_->Number());
  }
}

void Window::FocusFirst() {
  auto first = std::ranges::find_if(controls_, [](const auto& c) { return c->IsTabStop(); });
  if (first != controls_.end()) {
    focus_ = first->get();
    Invalidate(focus_->Bounds());
  }
}

void Window::Invalidate(Rect area) { dirty_ = dirty_.United(area.Intersected(frame_.Bounds())); }

Control* Window::HitTest(Point point) const {
  // The control made last lies on top.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control& control = **it;
    if (control.IsVisible() && control.IsEnabled() && control.TakesMouse() && control.Bounds().Contains(point)) {
      return &control;
    }
  }
  return nullptr;
}

void Window::HandleInput(const InputEvent& input) {
  switch (input.type) {
    case InputEvent::Type::MouseDown:
      if (Control* target = HitTest(input.position)) {
        capture_ = target;
        if (target->IsTabStop()) SetFocus(target);
        target->OnMouseDown();
      }
      break;
    case InputEvent::Type::MouseMove:
      if (capture_) {
        capture_->OnMouseMove(capture_->Bounds().Contains(input.position));
      } else if (Control* hovered = HitTest(input.position)) {
        hovered->OnMouseMove(true);
      }
      break;
    case InputEvent::Type::MouseUp:
      if (Control* target = std::exchange(capture_, nullptr)) {
        // A control hidden while it held the mouse does not click.
        target->OnMouseUp(target->IsVisible() && target->Bounds().Contains(input.position));
      }
      break;
    case InputEvent::Type::KeyDown:
      HandleKey(input);
      break;
    case InputEvent::Type::CloseRequest:
      if (cancel_ == CancelAction::CloseRequest) Post(Event::CloseWindow, 0);
      break;
    case InputEvent::Type::Expose:
      Invalidate(frame_.Bounds());
      break;
  }
}

void Window::HandleKey(const InputEvent& input) {
  switch (input.key) {
    case Key::Tab:
      MoveFocus(input.shift ? -1 : 1);
      break;
    case Key::Space:
      if (focus_ && focus_->IsTabStop()) focus_->Activate();
      break;
    case Key::Enter:
      if (default_button_ && default_button_->IsVisible() && default_button_->IsEnabled()) {
        default_button_->Activate();
      }
      break;
    case Key::Escape:
      if (cancel_ == CancelAction::CloseRequest) Post(Event::CloseWindow, 0);
      break;
    default:
      break;
  }
}

void Window::MoveFocus(int step) {
  std::vector<Control*> stops;
  for (const auto& control : controls_) {
    if (control->IsTabStop()) stops.push_back(control.get());
  }
  if (stops.empty()) return;
  auto current = std::ranges::find(stops, focus_);
  auto count = static_cast<std::ptrdiff_t>(stops.size());
  std::ptrdiff_t index = current == stops.end() ? (step > 0 ? -1 : 0) : current - stops.begin();
  index = ((index + step) % count + count) % count;
  SetFocus(stops[static_cast<std::size_t>(index)]);
}

void Window::ShowVariables() {
  for (const auto& control : controls_) control->ShowVariable();
}

void Window::Paint() {
  if (surface_ == 0 || dirty_.IsEmpty()) return;
  Rect area = std::exchange(dirty_, Rect{});
  Painter window_painter = Painter(frame_).Within(area);
  window_painter.FillRect({0, 0, area.width, area.height}, kWindowFace);
  for (const auto& control : controls_) {
    if (!control->IsVisible() || control->Bounds().Intersected(area).IsEmpty()) continue;
    Painter painter = window_painter.Within(control->Bounds().Translated(-area.x, -area.y));
    control->Paint(painter, PaintState{.focused = control.get() == focus_});
  }
  display_.Present(surface_, frame_, area);
}

}  // namespace runtime
