// The headless display: a screen in memory, for tests and tools.
#include "runtime/display/headless/HeadlessDisplay.h"

#include <cassert>
#include <utility>

namespace runtime {

HeadlessDisplay::HeadlessDisplay(Size screen, int dpi) : screen_(screen), dpi_(dpi) {
  assert(screen.width > 0 && screen.height > 0 && "a headless screen needs a size");
  assert(dpi > 0 && "a headless screen needs a positive DPI");
}

SurfaceId HeadlessDisplay::CreateSurface(const SurfaceOptions& options) {
  if (std::exchange(fail_next_create_, false)) return 0;
  if (options.client.width <= 0 || options.client.height <= 0) return 0;
  SurfaceRecord record;
  record.options = options;
  // Until something is presented the surface shows nothing: transparent black.
  record.frame = Bitmap(options.client.width, options.client.height);
  surfaces_.push_back(std::move(record));
  return static_cast<SurfaceId>(surfaces_.size());
}

HeadlessDisplay::SurfaceRecord* HeadlessDisplay::Find(SurfaceId id) {
  if (id == 0 || id > surfaces_.size()) return nullptr;
  return &surfaces_[id - 1];
}

const HeadlessDisplay::SurfaceRecord* HeadlessDisplay::Surface(SurfaceId id) const {
  return const_cast<HeadlessDisplay*>(this)->Find(id);
}

void HeadlessDisplay::DestroySurface(SurfaceId surface) {
  SurfaceRecord* record = Find(surface);
  assert(record && "destroying a surface this display never made");
  if (record) record->destroyed = true;
}

void HeadlessDisplay::Present(SurfaceId surface, const Bitmap& frame, Rect area) {
  SurfaceRecord* record = Find(surface);
  assert(record && !record->destroyed && "presenting on a surface that is not there");
  if (!record || record->destroyed) return;
  assert(frame.GetSize() == record->frame.GetSize() && "a frame must be the surface's client size");
  const Rect clipped = area.Intersected(record->frame.Bounds()).Intersected(frame.Bounds());
  ++present_count_;
  record->presented.push_back(clipped);
  for (int y = clipped.Top(); y < clipped.Bottom(); ++y) {
    for (int x = clipped.Left(); x < clipped.Right(); ++x) record->frame.At(x, y) = frame.At(x, y);
  }
}

std::optional<InputEvent> HeadlessDisplay::NextInput(Wait wait) {
  if (ran_out_) return std::nullopt;
  if (input_.empty() && wait == Wait::Block) {
    if (idle_handler_) idle_handler_();
    if (input_.empty()) {
      ran_out_ = true;
      return std::nullopt;
    }
  }
  if (input_.empty()) return std::nullopt;
  InputEvent event = std::move(input_.front());
  input_.pop_front();
  return event;
}

void HeadlessDisplay::QueueInput(InputEvent event) { input_.push_back(std::move(event)); }

void HeadlessDisplay::Click(SurfaceId surface, Point at) {
  for (auto type : {InputEvent::Type::MouseMove, InputEvent::Type::MouseDown, InputEvent::Type::MouseUp}) {
    InputEvent event;
    event.type = type;
    event.surface = surface;
    event.position = at;
    QueueInput(std::move(event));
  }
}

void HeadlessDisplay::PressKey(SurfaceId surface, Key key, bool shift, std::string text) {
  InputEvent event;
  event.type = InputEvent::Type::KeyDown;
  event.surface = surface;
  event.key = key;
  event.shift = shift;
  event.text = std::move(text);
  QueueInput(std::move(event));
}

void HeadlessDisplay::SetIdleHandler(std::function<void()> handler) { idle_handler_ = std::move(handler); }

std::vector<SurfaceId> HeadlessDisplay::LiveSurfaces() const {
  std::vector<SurfaceId> live;
  for (std::size_t i = 0; i < surfaces_.size(); ++i) {
    if (!surfaces_[i].destroyed) live.push_back(static_cast<SurfaceId>(i + 1));
  }
  return live;
}

}  // namespace runtime
