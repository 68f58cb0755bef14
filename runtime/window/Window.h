// An open window: its surface, framebuffer, controls, focus and mouse capture.
//
// The window engine's hub. The display's input arrives in HandleInput, which
// hit-tests it to a control (the control that takes a press keeps the mouse
// until the release) or applies the dialog keys: Tab and Shift+Tab move the
// focus through the tab stops, Space activates the focused control, Enter the
// default button, Escape is a cancel. Controls turn input into the runtime's
// events through the window's EventSink. Setters only mark rectangles dirty;
// Paint repaints the dirty part once per turn of the loop and presents just
// that part.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/display/Display.h"
#include "runtime/module/ModuleList.h"
#include "runtime/paint/Bitmap.h"
#include "runtime/window/Control.h"
#include "runtime/window/ControlHost.h"
#include "runtime/window/Units.h"

namespace runtime {

class Button;

// Where a window's events go: the thread's event queue for a program window,
// the modal loop for a message box.
using EventSink = std::function<void(int event, int control)>;

// What Escape and the platform's close message do.
enum class CancelAction { CloseRequest, Ignore };

class Window final : public ControlHost {
 public:
  Window(Display& display, const ModuleList& modules, EventSink sink, CancelAction cancel);
  ~Window() override;

  // Makes the surface; false when the platform cannot.
  bool Create(const SurfaceOptions& options);
  SurfaceId Surface() const { return surface_; }
  Size ClientSize() const { return frame_.GetSize(); }

  const Units& GetUnits() const { return units_; }
  void SetUnits(Units units) { units_ = units; }

  Control& Add(std::unique_ptr<Control> control);
  Control* Find(int number) const;
  // A number that no control of this window has.
  int UnusedNumber() const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  void SetDefaultButton(Button* button);
  Control* Focus() const { return focus_; }
  void SetFocus(Control* control);
  // Puts the focus on the first tab stop, as a dialog does when it opens.
  void FocusFirst();

  void HandleInput(const InputEvent& input);
  // Brings every control up to date with its bound variable.
  void ShowVariables();

  // Repaints and presents what is dirty; nothing when nothing is.
  void Paint();
  const Bitmap& Frame() const { return frame_; }

  // ControlHost
  void Post(int event, int control) override { sink_(event, control); }
  void Invalidate(Rect area) override;
  const ModuleList& Modules() const override { return modules_; }

 private:
  Control* HitTest(Point point) const;
  void MoveFocus(int step);
  void HandleKey(const InputEvent& input);

  Display& display_;
  const ModuleList& modules_;
  EventSink sink_;
  CancelAction cancel_;
  SurfaceId surface_ = 0;
  Bitmap frame_;
  Rect dirty_;
  Units units_;
  std::vector<std::unique_ptr<Control>> controls_;
  Control* focus_ = nullptr;
  Control* capture_ = nullptr;
  Button* default_button_ = nullptr;
};

}  // namespace runtime
