// The window procedure: the program window, its slider switch and its messages.
#include "app/Quindle.h"

#include <cstdint>
#include <string>

#include "runtime/Runtime.h"
#include "slider/SliderSwitchManager.h"

namespace {

constexpr std::int32_t kByVariable1Control = 3;
constexpr std::int32_t kByVariable2Control = 4;
constexpr int kUnsignedByteKind = 1;

void ShowVariable(std::string_view prefix, std::uint8_t value) {
  std::string text(prefix);
  text += std::to_string(value);
  runtime::ShowMessage(text);
}

}  // namespace

void Quindle() {
  std::uint8_t ByVariable1 = 0;
  std::uint8_t ByVariable2 = 0;

  SliderSwitchManager manager;
  ConstructSliderSwitchManager(manager);
  manager.Init();

  runtime::WindowHandle window =
      runtime::DeclareWindow("Quindle$Quindle", "P2$WINDOW", {&ByVariable1, &ByVariable2, nullptr});
  runtime::OpenWindow(window);

  // The manager takes a reference of its own; this one is only for the call.
  runtime::Handle variable = runtime::MakeReference(&ByVariable1, kUnsignedByteKind);
  manager.AddSwitch(kByVariable1Control, variable, 0);
  runtime::FreeReference(variable);

  while (runtime::Accept()) {
    manager.TakeEvent();
    switch (runtime::AcceptedControl()) {
      case kByVariable1Control: ShowVariable("Variable 1 = ", ByVariable1); break;
      case kByVariable2Control: ShowVariable("Variable 2 = ", ByVariable2); break;
      default: break;
    }
  }

  runtime::CloseWindow(window);
  runtime::ReleaseWindow(window);
  manager.Kill();
}
