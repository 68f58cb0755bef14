// What the desktop test expects to see: the program driven on the headless display through the same steps.
//
// desktop_reference DIRECTORY writes DIRECTORY/layout.sh (the control
// centres and the switch's rectangle, in client pixels, as shell variables)
// and the frames the screen should show, as binary PPM files:
//   window-start.ppm  the program window before any input
//   message-2.ppm     the message box after a click on check box 4
//   message-1.ppm     the message box after a click on the switch
//   window-on.ppm     the program window once that box is dismissed
// The steps are the desktop test's: click box 4, Enter on the box, click the
// switch, Enter on the box, click Close. The screen and DPI are Xvfb's.
#include <cstdio>
#include <fstream>
#include <string>

#include "app/Quindle.h"
#include "resources/ProgramResources.h"
#include "runtime/Runtime.h"
#include "tests/support/ProgramDriver.h"

namespace {

using testing_support::ProgramDriver;

constexpr runtime::Size kScreen{1280, 800};
constexpr int kCloseButton = 1;
constexpr int kBox2 = 4;

bool WritePpm(const std::string& path, const runtime::Bitmap& frame) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << frame.Width() << ' ' << frame.Height() << "\n255\n";
  for (const runtime::Rgba& pixel : frame.Pixels()) {
    const char rgb[3] = {static_cast<char>(pixel.r), static_cast<char>(pixel.g), static_cast<char>(pixel.b)};
    out.write(rgb, sizeof rgb);
  }
  return static_cast<bool>(out);
}

runtime::Rect SwitchRegion() {
  for (const auto& control : ProgramDriver::ProgramWindow().Controls()) {
    if (control->Kind() == runtime::ControlKind::Region) return control->Bounds();
  }
  return {};
}

void PutCentre(std::ofstream& out, const std::string& name, runtime::Rect rect) {
  const runtime::Point centre = testing_support::Centre(rect);
  out << name << "_x=" << centre.x << '\n' << name << "_y=" << centre.y << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: desktop_reference DIRECTORY\n");
    return 2;
  }
  const std::string directory = argv[1];
  bool written = true;
  std::string messages[2];

  ProgramDriver driver(ProgramResources(), kScreen);
  driver.Then([&] {
    const runtime::Rect region = SwitchRegion();
    std::ofstream layout(directory + "/layout.sh");
    const runtime::Size client = ProgramDriver::ProgramWindow().ClientSize();
    layout << "window_w=" << client.width << "\nwindow_h=" << client.height << '\n';
    PutCentre(layout, "close", ProgramDriver::Control(kCloseButton).Bounds());
    PutCentre(layout, "box2", ProgramDriver::Control(kBox2).Bounds());
    PutCentre(layout, "switch", region);
    layout << "switch_left=" << region.x << "\nswitch_top=" << region.y << "\nswitch_w=" << region.width
           << "\nswitch_h=" << region.height << '\n';
    written = written && static_cast<bool>(layout) && !region.IsEmpty();
    written = WritePpm(directory + "/window-start.ppm", driver.ProgramFrame()) && written;
    driver.ClickControl(kBox2);
  });
  driver.Then([&] {
    messages[0] = ProgramDriver::MessageText();
    written = WritePpm(directory + "/message-2.ppm", driver.Display().Surface(driver.MessageSurface())->frame) &&
              written;
    driver.PressKeyOnMessage(runtime::Key::Enter);
  });
  driver.Then([&] { driver.ClickAt(testing_support::Centre(SwitchRegion())); });
  driver.Then([&] {
    messages[1] = ProgramDriver::MessageText();
    written = WritePpm(directory + "/message-1.ppm", driver.Display().Surface(driver.MessageSurface())->frame) &&
              written;
    driver.PressKeyOnMessage(runtime::Key::Enter);
  });
  driver.Then([&] {
    written = WritePpm(directory + "/window-on.ppm", driver.ProgramFrame()) && written;
    driver.ClickControl(kCloseButton);
  });
  driver.Run(Quindle);

  // The references are only worth comparing with if the headless run itself went as the test expects.
  if (!driver.Finished() || messages[0] != "Variable 2 = 1" || messages[1] != "Variable 1 = 1") {
    std::fprintf(stderr, "the headless run went wrong: messages \"%s\", \"%s\"%s\n", messages[0].c_str(),
                 messages[1].c_str(), driver.Finished() ? "" : ", the program did not end by itself");
    return 1;
  }
  if (!written) {
    std::fprintf(stderr, "could not write the references into %s\n", directory.c_str());
    return 1;
  }
  return 0;
}
