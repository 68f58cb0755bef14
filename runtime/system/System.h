// The runtime's state for the one thread: modules, display, events, windows.
//
// Exactly one System exists while a program runs (or while a test drives
// one); the program-facing operations in runtime/Runtime.h act on it. The
// event loop and the message box are described in runtime/events/EventLoop.h.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/display/Display.h"
#include "runtime/events/EventQueue.h"
#include "runtime/module/ModuleList.h"
#include "runtime/window/Window.h"

namespace runtime {

using WindowHandle = std::uint32_t;  // 0 names no window

// A declared window: what it was declared with, and its window while open.
struct DeclaredWindow {
  WindowHandle handle = 0;
  std::string key;
  std::string label;
  std::vector<void*> variables;  // ended by nullptr
  std::unique_ptr<Window> open;
};

class System {
 public:
  System(ModuleList modules, std::unique_ptr<Display> display);
  ~System();
  System(const System&) = delete;
  System& operator=(const System&) = delete;

  // The running system; asserts that there is one.
  static System& Get();
  static bool Exists();

  Display& GetDisplay() const { return *display_; }
  const ModuleList& Modules() const { return modules_; }
  EventQueue& Events() { return events_; }
  QueuedEvent& Current() { return current_; }

  WindowHandle Declare(std::string key, std::string label, std::vector<void*> variables);
  DeclaredWindow* Find(WindowHandle handle);
  void Open(WindowHandle handle);
  void Close(WindowHandle handle);
  void Release(WindowHandle handle);

  // The window opened last that is still open: the one the loop and the
  // control operations work on.
  DeclaredWindow* TopWindow();
  // The open window that owns a surface, or nullptr.
  Window* WindowOn(SurfaceId surface);
  // Repaints every open window's dirty part.
  void PaintAll();

  // The message box's window while one is open, for tools and tests that
  // read what it shows; nullptr otherwise.
  const Window* ModalWindow() const { return modal_; }
  void SetModalWindow(const Window* window) { modal_ = window; }

 private:
  ModuleList modules_;
  std::unique_ptr<Display> display_;
  EventQueue events_;
  QueuedEvent current_;
  std::map<WindowHandle, std::unique_ptr<DeclaredWindow>> windows_;
  std::vector<WindowHandle> open_order_;
  WindowHandle next_handle_ = 1;
  const Window* modal_ = nullptr;
};

}  // namespace runtime
