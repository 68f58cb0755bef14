// The event loop of the thread's windows, and the events it delivers.
//
// Design. Every window of the thread posts into one EventQueue: controls
// post "EVENT:Accepted" and mouse events as they turn the display's input
// into events, the program posts with PostEvent, behind or ahead of the
// waiting events. The program's loop is
//
//     while (Accept()) { ... CurrentEvent(), EventControl(), AcceptedControl() ... }
//
// and each Accept makes the next queued event current and returns true. When
// the queue is empty it repaints what is dirty and blocks on the display,
// routing the input that arrives to the window that owns its surface, until
// a control posts an event. A close request (the Close button's standard
// action, Escape, the platform's close message) is delivered as
// "EVENT:CloseWindow" like any other event; the Accept after it closes the
// window and returns false, which ends the loop. A display that has gone is a
// close request too, so a loop can never wait for ever on a dead display.
//
// A message box (runtime/window/MessageBox.h) is a nested modal loop over the
// same display: it routes only its own surface's input, repaints the program
// window when asked to, and leaves the event queue alone, so that events
// posted meanwhile are delivered, in their order, once it is gone.
#pragma once

namespace runtime {

bool Accept();
int CurrentEvent();
int EventControl();
// The current event's control when the event is "EVENT:Accepted", else 0.
int AcceptedControl();
// Posts an event for a control of the current window. Thread 0 is the
// current (the only) thread; placement 0 puts it behind the waiting events,
// any other value ahead of them.
void PostEvent(int event, int control, int thread = 0, int placement = 0);

}  // namespace runtime
