// A runtime on the headless display over a test module of window definitions, and the loop run to its end.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/Definition.h"
#include "resources/DefinitionWriter.h"
#include "runtime/Runtime.h"
#include "runtime/display/headless/HeadlessDisplay.h"
#include "runtime/error/ErrorReport.h"
#include "runtime/system/System.h"

namespace window_testing {

inline constexpr std::string_view kKey = "Test$Window";
inline constexpr std::string_view kResourceName = "WINDOW_RSC";
inline constexpr std::string_view kLabel = "MAIN";

// A check box bound to a one-byte variable, texts "1" and "0", in the window's units.
inline windef::Control CheckBoxRecord(int number, windef::Position position, std::string text = {}) {
  windef::Control c;
  c.kind = windef::Kind::CheckBox;
  c.number = number;
  c.position = position;
  c.text = std::move(text);
  c.use = windef::UseDescriptor{};
  c.true_value = "1";
  c.false_value = "0";
  return c;
}

inline windef::Control ButtonRecord(int number, windef::Position position, int action = windef::kStandardActionNone,
                                    std::uint8_t button_flags = 0) {
  windef::Control c;
  c.kind = windef::Kind::Button;
  c.number = number;
  c.position = position;
  c.text = "Button " + std::to_string(number);
  c.standard_action = action;
  c.button_flags = button_flags;
  return c;
}

// A 300 x 200 pixel window at (100, 100) labelled kLabel.
inline windef::Window WindowRecord(std::vector<windef::Control> controls) {
  windef::Window w;
  w.label = std::string(kLabel);
  w.text = "Test";
  w.flags_a = windef::WindowFlagsA::UnitsPixels;
  w.flags_b = windef::WindowFlagsB::FrameDouble;
  w.position = {100, 100, 300, 200};
  w.controls = std::move(controls);
  return w;
}

inline std::vector<std::byte> DefinitionBytes(const windef::Window& window, std::string key = std::string(kKey)) {
  return windef::WriteDefinition(windef::Definition{std::move(key), {window}});
}

// One event as the loop body saw it.
struct Delivered {
  int event = 0;
  int control = 0;
  int accepted = 0;  // AcceptedControl()
  friend bool operator==(const Delivered&, const Delivered&) = default;
};

inline std::vector<Delivered> Only(const std::vector<Delivered>& events, int event) {
  std::vector<Delivered> kept;
  for (const Delivered& d : events) {
    if (d.event == event) kept.push_back(d);
  }
  return kept;
}

inline runtime::Point Centre(runtime::Rect r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

// Runs the system while it lives; errors are recorded instead of ending the process.
class Harness {
 public:
  // One module holding `definition` as kResourceName ("DABDUMP"); none when it is empty.
  explicit Harness(std::vector<std::byte> definition, runtime::Size screen = {1920, 1080},
                   int dpi = runtime::kDefaultDpi)
      : bytes_(std::move(definition)) {
    if (!bytes_.empty()) {
      resources_.push_back(runtime::Resource{"DABDUMP", kResourceName, runtime::kLanguageEnglishUs, bytes_});
    }
    Start(resources_, screen, dpi);
  }
  Harness(std::span<const runtime::Resource> resources, runtime::Size screen, int dpi) { Start(resources, screen, dpi); }
  // The module's resources point into the harness.
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  runtime::HeadlessDisplay& Display() { return *display_; }
  runtime::System& System() { return *system_; }
  const std::vector<runtime::RuntimeError>& Errors() const { return errors_; }
  void ClearErrors() { errors_.clear(); }

  // The window's open window, or nullptr.
  runtime::Window* OpenOf(runtime::WindowHandle handle) {
    runtime::DeclaredWindow* declared = system_->Find(handle);
    return declared ? declared->open.get() : nullptr;
  }
  runtime::Window& Open(runtime::WindowHandle handle) {
    runtime::Window* window = OpenOf(handle);
    if (!window) throw std::logic_error("the window is not open");
    return *window;
  }
  runtime::Control& Control(runtime::WindowHandle handle, int number) {
    runtime::Control* control = Open(handle).Find(number);
    if (!control) throw std::logic_error("no control " + std::to_string(number));
    return *control;
  }

  void Click(runtime::WindowHandle handle, int number) {
    display_->Click(Open(handle).Surface(), Centre(Control(handle, number).Bounds()));
  }
  void Mouse(runtime::WindowHandle handle, runtime::InputEvent::Type type, runtime::Point at) {
    runtime::InputEvent input;
    input.type = type;
    input.surface = Open(handle).Surface();
    input.position = at;
    display_->QueueInput(input);
  }
  void Key(runtime::WindowHandle handle, runtime::Key key, bool shift = false) {
    display_->PressKey(Open(handle).Surface(), key, shift);
  }

  // Runs the program's loop until it ends, as the window procedure does. When
  // the queued input runs out the display is gone, which closes the window,
  // so the loop always ends.
  std::vector<Delivered> RunLoop(const std::function<void(const Delivered&)>& body = {}) {
    std::vector<Delivered> delivered;
    while (runtime::Accept()) {
      Delivered d{runtime::CurrentEvent(), runtime::EventControl(), runtime::AcceptedControl()};
      delivered.push_back(d);
      if (body) body(d);
    }
    return delivered;
  }

 private:
  void Start(std::span<const runtime::Resource> resources, runtime::Size screen, int dpi) {
    runtime::ModuleList modules;
    modules.Add({"test", resources});
    auto display = std::make_unique<runtime::HeadlessDisplay>(screen, dpi);
    display_ = display.get();
    system_ = std::make_unique<runtime::System>(std::move(modules), std::move(display));
  }

  std::vector<std::byte> bytes_;
  std::vector<runtime::Resource> resources_;
  std::vector<runtime::RuntimeError> errors_;
  runtime::ScopedErrorHook hook_{[this](const runtime::RuntimeError& e) { errors_.push_back(e); }};
  runtime::HeadlessDisplay* display_ = nullptr;  // owned by the system
  std::unique_ptr<runtime::System> system_;
};

}  // namespace window_testing
