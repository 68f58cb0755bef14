// The queue of events waiting for the event loop of the thread's windows.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

namespace runtime {

struct QueuedEvent {
  int event = 0;
  int control = 0;  // 0: the window itself
  std::uint32_t window = 0;  // the window it is for
  friend bool operator==(const QueuedEvent&, const QueuedEvent&) = default;
};

enum class Placement { Behind, Ahead };

class EventQueue {
 public:
  void Post(QueuedEvent event, Placement placement = Placement::Behind) {
    if (placement == Placement::Behind) {
      events_.push_back(event);
    } else {
      events_.push_front(event);
    }
  }
  std::optional<QueuedEvent> Take() {
    if (events_.empty()) return std::nullopt;
    QueuedEvent event = events_.front();
    events_.pop_front();
    return event;
  }
  // Drops the events of a window that has closed.
  void DropFor(std::uint32_t window) { std::erase_if(events_, [&](const QueuedEvent& e) { return e.window == window; }); }
  bool IsEmpty() const { return events_.empty(); }
  std::size_t Size() const { return events_.size(); }

 private:
  std::deque<QueuedEvent> events_;
};

}  // namespace runtime
