// Names of the runtime's events.
#include "runtime/events/EventNumber.h"

namespace runtime::Event {

std::string Name(int event) {
  switch (event) {
    case None: return "EVENT:None";
    case Accepted: return "EVENT:Accepted";
    case Selected: return "EVENT:Selected";
    case MouseDown: return "EVENT:MouseDown";
    case MouseUp: return "EVENT:MouseUp";
    case MouseMove: return "EVENT:MouseMove";
    case CloseWindow: return "EVENT:CloseWindow";
    case OpenWindow: return "EVENT:OpenWindow";
  }
  return "EVENT:" + std::to_string(event);
}

}  // namespace runtime::Event
