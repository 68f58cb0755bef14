// The headless display: a screen in memory, for tests and tools.
//
// Implements: a fixed screen size and DPI (set when it is made), surfaces kept
// with their options and the frame last presented on them, input queued by
// the caller. For tests and tools on top: every surface's frame and the list
// of presented rectangles, a count of presents, an idle handler that feeds
// input when the queue runs dry, and a way to make the next CreateSurface fail.
// Does not implement: a window manager (surfaces do not move, stack or get
// frames), focus, or input of its own.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "runtime/display/Display.h"

namespace runtime {

class HeadlessDisplay final : public Display {
 public:
  explicit HeadlessDisplay(Size screen = {1920, 1080}, int dpi = kDefaultDpi);

  SurfaceId CreateSurface(const SurfaceOptions& options) override;
  void DestroySurface(SurfaceId surface) override;
  void Present(SurfaceId surface, const Bitmap& frame, Rect area) override;
  std::optional<InputEvent> NextInput(Wait wait) override;
  Size ScreenSize() const override { return screen_; }
  int Dpi() const override { return dpi_; }

  void QueueInput(InputEvent event);
  void Click(SurfaceId surface, Point at);  // MouseMove, MouseDown, MouseUp at `at`
  void PressKey(SurfaceId surface, Key key, bool shift = false, std::string text = {});

  // Called when NextInput(Wait::Block) finds no input waiting; it may queue
  // input. If it queues none (or there is no handler), the display has run
  // out: NextInput returns nullopt from then on and RanOutOfInput() is true.
  // This keeps a test from hanging.
  void SetIdleHandler(std::function<void()> handler);
  bool RanOutOfInput() const { return ran_out_; }

  struct SurfaceRecord {
    SurfaceOptions options;
    Bitmap frame;                // what the screen shows: the parts presented so far
    std::vector<Rect> presented;  // each presented area, clipped to the surface
    bool destroyed = false;
  };
  const SurfaceRecord* Surface(SurfaceId id) const;  // also for destroyed ones; null if never made
  std::vector<SurfaceId> LiveSurfaces() const;       // in creation order
  int PresentCount() const { return present_count_; }
  void FailNextCreate() { fail_next_create_ = true; }

 private:
  SurfaceRecord* Find(SurfaceId id);

  Size screen_;
  int dpi_;
  std::vector<SurfaceRecord> surfaces_;  // surface id - 1
  std::deque<InputEvent> input_;
  std::function<void()> idle_handler_;
  bool ran_out_ = false;
  bool fail_next_create_ = false;
  int present_count_ = 0;
};

}  // namespace runtime
