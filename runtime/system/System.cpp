// Declaring, opening, closing and releasing windows.
#include "runtime/system/System.h"

#include <algorithm>
#include <cassert>

#include "runtime/error/ErrorReport.h"
#include "runtime/events/EventNumber.h"
#include "runtime/window/WindowBuilder.h"
#include "runtime/window/WindowRecordFinder.h"

namespace runtime {
namespace {

System*& Running() {
  static System* running = nullptr;
  return running;
}

}  // namespace

System::System(ModuleList modules, std::unique_ptr<Display> display)
    : modules_(std::move(modules)), display_(std::move(display)) {
  assert(display_ && "a system needs a display");
  assert(!Running() && "only one system runs at a time");
  Running() = this;
}

System::~System() {
  windows_.clear();
  Running() = nullptr;
}

System& System::Get() {
  assert(Running() && "no runtime system is running");
  return *Running();
}

bool System::Exists() { return Running() != nullptr; }

WindowHandle System::Declare(std::string key, std::string label, std::vector<void*> variables) {
  if (variables.empty() || variables.back() != nullptr) variables.push_back(nullptr);
  WindowHandle handle = next_handle_++;
  auto window = std::make_unique<DeclaredWindow>();
  *window = DeclaredWindow{handle, std::move(key), std::move(label), std::move(variables), nullptr};
  windows_.emplace(handle, std::move(window));
  return handle;
}

DeclaredWindow* System::Find(WindowHandle handle) {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second.get();
}

void System::Open(WindowHandle handle) {
  DeclaredWindow* declared = Find(handle);
  if (!declared) return;
  if (declared->open) {
    ReportError(ErrorNumber::WindowAlreadyOpen);
    return;
  }
  // The record is read afresh at every opening and dropped once it is built.
  std::optional<windef::Window> record = FindWindowRecord(modules_, declared->key, declared->label);
  if (!record) return;
  BuildContext context{*display_, modules_,
                       [this, handle](int event, int control) { events_.Post({event, control, handle}); },
                       declared->variables};
  declared->open = BuildWindow(*record, context);
  if (!declared->open) return;
  open_order_.push_back(handle);
  events_.Post({Event::OpenWindow, 0, handle});
  declared->open->Paint();
}

void System::Close(WindowHandle handle) {
  DeclaredWindow* declared = Find(handle);
  if (!declared || !declared->open) return;
  declared->open.reset();
  std::erase(open_order_, handle);
  events_.DropFor(handle);
  if (current_.window == handle) current_ = {};
}

void System::Release(WindowHandle handle) {
  Close(handle);
  windows_.erase(handle);
}

DeclaredWindow* System::TopWindow() { return open_order_.empty() ? nullptr : Find(open_order_.back()); }

Window* System::WindowOn(SurfaceId surface) {
  for (WindowHandle handle : open_order_) {
    DeclaredWindow* declared = Find(handle);
    if (declared && declared->open && declared->open->Surface() == surface) return declared->open.get();
  }
  return nullptr;
}

void System::PaintAll() {
  for (WindowHandle handle : open_order_) {
    if (DeclaredWindow* declared = Find(handle); declared && declared->open) declared->open->Paint();
  }
}

}  // namespace runtime
