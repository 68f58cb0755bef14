// Start-up time: the program from its start to its first frame on the X server, then closed.
//
// startup_bench [--launched-at SECONDS]
//
// Runs the window procedure as the program does, on the X display of
// $DISPLAY, through a display that passes everything on and, right after the
// first frame of the program window has been presented and the server has
// carried it out (a round trip), notes the time and hands the program a
// close request, so that it ends as it would for the window manager's close.
// Prints, in milliseconds:
//   main_to_frame      from the entry of main (CLOCK_MONOTONIC) to that frame
//   launch_to_frame    with --launched-at (CLOCK_REALTIME seconds, for
//                      example bash's $EPOCHREALTIME just before the launch):
//                      from then, which takes in exec, the dynamic loader and
//                      static initialisation, to that frame
//   total              from the entry of main until the program has ended
// and peak_rss_kb, this process's peak resident set size.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>

#include "app/Quindle.h"
#include "resources/ProgramResources.h"
#include "runtime/display/x11/X11Display.h"
#include "runtime/system/Program.h"

namespace {

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct FrameTimes {
  double monotonic = 0;  // 0 until the first frame
  double realtime = 0;
};

// Passes everything to the X11 display; closes the program window after its first frame.
class CloseAfterFirstFrame final : public runtime::Display {
 public:
  CloseAfterFirstFrame(std::unique_ptr<runtime::Display> display, FrameTimes& times)
      : display_(std::move(display)), times_(times) {}

  runtime::SurfaceId CreateSurface(const runtime::SurfaceOptions& options) override {
    const runtime::SurfaceId id = display_->CreateSurface(options);
    if (options.kind == runtime::SurfaceKind::Dialog && program_window_ == 0) program_window_ = id;
    return id;
  }
  void DestroySurface(runtime::SurfaceId surface) override { display_->DestroySurface(surface); }
  void Present(runtime::SurfaceId surface, const runtime::Bitmap& frame, runtime::Rect area) override {
    display_->Present(surface, frame, area);
    if (surface != program_window_ || times_.monotonic != 0) return;
    runtime::SyncX11Display(*display_);
    times_.monotonic = Seconds(CLOCK_MONOTONIC);
    times_.realtime = Seconds(CLOCK_REALTIME);
    close_pending_ = true;
  }
  std::optional<runtime::InputEvent> NextInput(runtime::Wait wait) override {
    if (close_pending_) {
      close_pending_ = false;
      runtime::InputEvent close;
      close.type = runtime::InputEvent::Type::CloseRequest;
      close.surface = program_window_;
      return close;
    }
    return display_->NextInput(wait);
  }
  runtime::Size ScreenSize() const override { return display_->ScreenSize(); }
  int Dpi() const override { return display_->Dpi(); }

 private:
  std::unique_ptr<runtime::Display> display_;
  FrameTimes& times_;
  runtime::SurfaceId program_window_ = 0;
  bool close_pending_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const double main_entry = Seconds(CLOCK_MONOTONIC);
  std::optional<double> launched_at;
  if (argc == 3 && std::strcmp(argv[1], "--launched-at") == 0) {
    char* end = nullptr;
    launched_at = std::strtod(argv[2], &end);
    if (end == argv[2] || *end != '\0') launched_at.reset();
  }
  if (argc != 1 && !launched_at) {
    std::fprintf(stderr, "usage: startup_bench [--launched-at SECONDS]\n");
    return 2;
  }

  FrameTimes frame;
  auto display = runtime::OpenX11Display();
  if (display) display = std::make_unique<CloseAfterFirstFrame>(std::move(*display), frame);
  runtime::ModuleDescription module{"quindle", ProgramResources()};
  const int status = runtime::RunProgram(module, std::move(display), Quindle);
  const double ended = Seconds(CLOCK_MONOTONIC);
  if (status != 0) return status;
  if (frame.monotonic == 0) {
    std::fprintf(stderr, "startup_bench: the program ended without presenting a frame\n");
    return 1;
  }

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("main_to_frame_ms %.3f\n", (frame.monotonic - main_entry) * 1e3);
  if (launched_at) std::printf("launch_to_frame_ms %.3f\n", (frame.realtime - *launched_at) * 1e3);
  std::printf("total_ms %.3f\n", (ended - main_entry) * 1e3);
  std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
  return 0;
}
