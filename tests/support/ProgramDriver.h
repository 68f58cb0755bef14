// Runs a window procedure on the headless display and drives it as a person would.
//
// Steps are queued with Then; each runs when the program next waits for
// input, and usually queues some (a click, a key). When the steps run out and
// the program waits again, the headless display has nothing more to give and
// the runtime closes the window, so a test that goes wrong ends instead of
// hanging; Finished() tells whether every step ran and the program ended by
// itself.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "runtime/display/headless/HeadlessDisplay.h"
#include "runtime/module/Module.h"
#include "runtime/window/Window.h"

namespace testing_support {

class ProgramDriver {
 public:
  explicit ProgramDriver(std::span<const runtime::Resource> resources, runtime::Size screen = {1920, 1080},
                         int dpi = runtime::kDefaultDpi);
  ~ProgramDriver();

  runtime::HeadlessDisplay& Display() { return *display_; }

  void Then(std::function<void()> step);
  // Runs the procedure under a fresh runtime until it returns.
  void Run(void (*procedure)());
  // Every step ran and the program did not have to be stopped for want of input.
  bool Finished() const { return steps_.empty() && !display_->RanOutOfInput(); }

  // While the program runs:
  static runtime::Window& ProgramWindow();
  static runtime::Control& Control(int number);
  // The open message box's text, "" when none is open.
  static std::string MessageText();
  runtime::SurfaceId ProgramSurface() const;
  runtime::SurfaceId MessageSurface() const;
  // What the program window shows now.
  const runtime::Bitmap& ProgramFrame() const;

  void ClickControl(int number);
  void ClickAt(runtime::Point at) { display_->Click(ProgramSurface(), at); }
  void MoveMouse(runtime::Point to);
  void SendCloseRequest(runtime::SurfaceId surface);
  void ClickMessageOk();
  void PressKey(runtime::Key key, bool shift = false);
  void PressKeyOnMessage(runtime::Key key);

 private:
  std::unique_ptr<runtime::HeadlessDisplay> display_;
  std::span<const runtime::Resource> resources_;
  std::deque<std::function<void()>> steps_;
};

runtime::Point Centre(runtime::Rect rect);

}  // namespace testing_support
