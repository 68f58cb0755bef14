// Writes a picture of the program window, drawn on the headless display: screenshot [--switch-on] FILE.png.
//
// Runs the window procedure as the program does, waits for its first frame
// and writes what the window shows as an RGBA PNG; with --switch-on it first
// clicks the switch and dismisses the message box that follows. Then it types
// Escape so that the program ends as it would for a person.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/Quindle.h"
#include "resources/ProgramResources.h"
#include "runtime/display/headless/HeadlessDisplay.h"
#include "runtime/system/Program.h"
#include "runtime/system/System.h"

namespace {

using runtime::HeadlessDisplay;

struct Options {
  bool switch_on = false;
  std::string output;
};

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--switch-on") == 0) {
      options.switch_on = true;
    } else if (argv[i][0] == '-' || !options.output.empty()) {
      return false;
    } else {
      options.output = argv[i];
    }
  }
  return !options.output.empty();
}

runtime::SurfaceId LiveSurface(const HeadlessDisplay& display, runtime::SurfaceKind kind) {
  for (runtime::SurfaceId id : display.LiveSurfaces()) {
    if (display.Surface(id)->options.kind == kind) return id;
  }
  return 0;
}

runtime::Point Centre(runtime::Rect rect) { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }

// The switch is the region the program laid over a check box.
const runtime::Control* SwitchRegion() {
  runtime::DeclaredWindow* top = runtime::System::Get().TopWindow();
  if (top == nullptr || !top->open) return nullptr;
  for (const auto& control : top->open->Controls()) {
    if (control->Kind() == runtime::ControlKind::Region) return control.get();
  }
  return nullptr;
}

bool WritePng(const std::string& path, const runtime::Bitmap& frame) {
  static_assert(sizeof(runtime::Rgba) == 4, "a pixel is four bytes, red first");
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(frame.Width());
  image.height = static_cast<png_uint_32>(frame.Height());
  image.format = PNG_FORMAT_RGBA;
  const bool written = png_image_write_to_file(&image, path.c_str(), 0, frame.Pixels().data(), 0, nullptr) != 0;
  if (!written) std::fprintf(stderr, "screenshot: cannot write %s: %s\n", path.c_str(), image.message);
  png_image_free(&image);
  return written;
}

enum class Step { Start, MessageShown, Write, Done };

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    std::fprintf(stderr, "usage: screenshot [--switch-on] FILE.png\n");
    return 2;
  }

  auto display = std::make_unique<HeadlessDisplay>();
  HeadlessDisplay& screen = *display;  // the runtime owns it from here on, and outlives every call below
  Step step = Step::Start;
  std::string failure;
  bool written = false;

  // Each time the program waits for input, the next step.
  screen.SetIdleHandler([&] {
    const runtime::SurfaceId window = LiveSurface(screen, runtime::SurfaceKind::Dialog);
    if (window == 0) return;  // nothing to do without the window: the program is told the display has gone
    switch (step) {
      case Step::Start:
        if (!options.switch_on) {
          step = Step::Write;
          break;
        }
        if (const runtime::Control* region = SwitchRegion()) {
          screen.Click(window, Centre(region->Bounds()));
          step = Step::MessageShown;
          return;
        }
        failure = "the window has no switch";
        step = Step::Done;
        return;
      case Step::MessageShown:
        if (runtime::SurfaceId box = LiveSurface(screen, runtime::SurfaceKind::MessageBox)) {
          screen.PressKey(box, runtime::Key::Enter);
          step = Step::Write;
          return;
        }
        failure = "a click on the switch showed no message box";
        step = Step::Done;
        return;
      case Step::Write:
        break;
      case Step::Done:
        return;  // the program should have ended; queueing nothing lets it end if it has not
    }
    written = WritePng(options.output, screen.Surface(window)->frame);
    step = Step::Done;
    screen.PressKey(window, runtime::Key::Escape);
  });

  runtime::ModuleDescription module{"quindle", ProgramResources()};
  const int status = runtime::RunProgram(module, std::move(display), Quindle);
  if (!failure.empty()) std::fprintf(stderr, "screenshot: %s\n", failure.c_str());
  if (status != 0) return status;
  return written ? 0 : 1;
}
