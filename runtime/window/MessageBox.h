// The modal message box: a text and one "OK" button, its default.
#pragma once

#include <memory>
#include <string_view>

#include "runtime/display/Display.h"
#include "runtime/module/ModuleList.h"
#include "runtime/window/Window.h"

namespace runtime {

inline constexpr int kMessageOk = 1;  // what ShowMessage returns when OK dismissed the box

// Shows a modal message box over the current window and returns when the
// user has pressed OK (a click, Enter, or Space on it); Escape and the title
// bar's close do nothing. While it is open the program's windows take no
// input and the loop body does not run. An empty caption leaves the title
// bar empty; icon, buttons, default button and style are accepted for the
// caller's sake, and the box always has just its OK button. Returns 0 when
// the display has gone.
int ShowMessage(std::string_view text, std::string_view caption = {}, std::string_view icon = {},
                int buttons = 0, int default_button = 0, int style = 0);

class MessageBox {
 public:
  MessageBox(Display& display, const ModuleList& modules);
  // Lays the box out and shows it, modal to `owner`; false when the display
  // or its font cannot be had.
  bool Open(std::string_view text, std::string_view caption, SurfaceId owner);
  // Runs the modal loop until OK is pressed; false when the display has gone.
  bool Run(const std::function<void(const InputEvent&)>& other_input);

  const Window& GetWindow() const { return *window_; }

 private:
  Display& display_;
  const ModuleList& modules_;
  std::unique_ptr<Window> window_;
  bool dismissed_ = false;
};

}  // namespace runtime
