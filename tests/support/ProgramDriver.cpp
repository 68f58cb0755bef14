// Running a window procedure on the headless display, step by step.
#include "tests/support/ProgramDriver.h"

#include <gtest/gtest.h>

#include "runtime/system/System.h"

namespace testing_support {
namespace {

// Lends the driver's display to a runtime that would otherwise own it, so
// the test can look at it after the runtime has gone.
class BorrowedDisplay final : public runtime::Display {
 public:
  explicit BorrowedDisplay(runtime::Display& display) : display_(display) {}
  runtime::SurfaceId CreateSurface(const runtime::SurfaceOptions& o) override { return display_.CreateSurface(o); }
  void DestroySurface(runtime::SurfaceId s) override { display_.DestroySurface(s); }
  void Present(runtime::SurfaceId s, const runtime::Bitmap& f, runtime::Rect a) override { display_.Present(s, f, a); }
  std::optional<runtime::InputEvent> NextInput(runtime::Wait w) override { return display_.NextInput(w); }
  runtime::Size ScreenSize() const override { return display_.ScreenSize(); }
  int Dpi() const override { return display_.Dpi(); }

 private:
  runtime::Display& display_;
};

runtime::SurfaceId LiveSurfaceOfKind(const runtime::HeadlessDisplay& display, runtime::SurfaceKind kind) {
  for (runtime::SurfaceId id : display.LiveSurfaces()) {
    if (display.Surface(id)->options.kind == kind) return id;
  }
  return 0;
}

}  // namespace

runtime::Point Centre(runtime::Rect rect) { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }

ProgramDriver::ProgramDriver(std::span<const runtime::Resource> resources, runtime::Size screen, int dpi)
    : display_(std::make_unique<runtime::HeadlessDisplay>(screen, dpi)), resources_(resources) {
  display_->SetIdleHandler([this] {
    if (steps_.empty()) return;
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step();
  });
}

ProgramDriver::~ProgramDriver() = default;

void ProgramDriver::Then(std::function<void()> step) { steps_.push_back(std::move(step)); }

void ProgramDriver::Run(void (*procedure)()) {
  runtime::ModuleList modules;
  modules.Add({"quindle", resources_});
  runtime::System system(std::move(modules), std::make_unique<BorrowedDisplay>(*display_));
  procedure();
}

runtime::Window& ProgramDriver::ProgramWindow() {
  runtime::DeclaredWindow* top = runtime::System::Get().TopWindow();
  if (!top || !top->open) throw std::logic_error("no program window is open");
  return *top->open;
}

runtime::Control& ProgramDriver::Control(int number) {
  runtime::Control* control = ProgramWindow().Find(number);
  if (!control) throw std::logic_error("no control " + std::to_string(number));
  return *control;
}

std::string ProgramDriver::MessageText() {
  const runtime::Window* box = runtime::System::Get().ModalWindow();
  if (!box) return {};
  for (const auto& control : box->Controls()) {
    if (control->Kind() == runtime::ControlKind::String) return control->Text();
  }
  return {};
}

runtime::SurfaceId ProgramDriver::ProgramSurface() const {
  return LiveSurfaceOfKind(*display_, runtime::SurfaceKind::Dialog);
}

runtime::SurfaceId ProgramDriver::MessageSurface() const {
  return LiveSurfaceOfKind(*display_, runtime::SurfaceKind::MessageBox);
}

const runtime::Bitmap& ProgramDriver::ProgramFrame() const { return display_->Surface(ProgramSurface())->frame; }

void ProgramDriver::ClickControl(int number) { display_->Click(ProgramSurface(), Centre(Control(number).Bounds())); }

void ProgramDriver::MoveMouse(runtime::Point to) {
  runtime::InputEvent move;
  move.type = runtime::InputEvent::Type::MouseMove;
  move.surface = ProgramSurface();
  move.position = to;
  display_->QueueInput(move);
}

void ProgramDriver::SendCloseRequest(runtime::SurfaceId surface) {
  runtime::InputEvent close;
  close.type = runtime::InputEvent::Type::CloseRequest;
  close.surface = surface;
  display_->QueueInput(close);
}

void ProgramDriver::ClickMessageOk() {
  const runtime::Window* box = runtime::System::Get().ModalWindow();
  ASSERT_NE(box, nullptr) << "no message box is open";
  for (const auto& control : box->Controls()) {
    if (control->Kind() == runtime::ControlKind::Button) display_->Click(MessageSurface(), Centre(control->Bounds()));
  }
}

void ProgramDriver::PressKey(runtime::Key key, bool shift) { display_->PressKey(ProgramSurface(), key, shift); }

void ProgramDriver::PressKeyOnMessage(runtime::Key key) { display_->PressKey(MessageSurface(), key); }

}  // namespace testing_support
