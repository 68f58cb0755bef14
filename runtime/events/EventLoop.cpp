// The event loop: delivering queued events and waiting for input.
#include "runtime/events/EventLoop.h"

#include "runtime/events/EventNumber.h"
#include "runtime/system/System.h"

namespace runtime {

bool Accept() {
  System& system = System::Get();
  DeclaredWindow* top = system.TopWindow();
  QueuedEvent& current = system.Current();
  if (!top) {
    current = {};
    return false;
  }
  if (current.event == Event::CloseWindow && current.window == top->handle) {
    // The loop body did not refuse the close request: the window goes.
    system.Close(top->handle);
    return false;
  }
  current = {};
  for (;;) {
    top->open->ShowVariables();
    system.PaintAll();
    if (auto event = system.Events().Take()) {
      current = *event;
      return true;
    }
    std::optional<InputEvent> input = system.GetDisplay().NextInput(Wait::Block);
    if (!input) {
      system.Events().Post({Event::CloseWindow, 0, top->handle});
      continue;
    }
    if (Window* target = system.WindowOn(input->surface)) target->HandleInput(*input);
  }
}

int CurrentEvent() { return System::Get().Current().event; }

int EventControl() { return System::Get().Current().control; }

int AcceptedControl() {
  const QueuedEvent& current = System::Get().Current();
  return current.event == Event::Accepted ? current.control : 0;
}

void PostEvent(int event, int control, int /*thread*/, int placement) {
  System& system = System::Get();
  DeclaredWindow* top = system.TopWindow();
  if (!top) return;
  system.Events().Post({event, control, top->handle}, placement == 0 ? Placement::Behind : Placement::Ahead);
}

}  // namespace runtime
