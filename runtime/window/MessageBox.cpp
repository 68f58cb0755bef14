// The modal message box and its nested loop.
#include "runtime/window/MessageBox.h"

#include <algorithm>

#include "runtime/error/ErrorReport.h"
#include "runtime/events/EventNumber.h"
#include "runtime/system/System.h"
#include "runtime/window/Button.h"
#include "runtime/window/StringControl.h"

namespace runtime {
namespace {

constexpr int kTextNumber = 1;
constexpr int kOkNumber = 2;
constexpr std::string_view kOkText = "OK";
constexpr std::string_view kFontFace = "Segoe UI";
constexpr int kFontPoints = 9;
// Sizes at 96 DPI; they scale with the display's DPI.
constexpr int kMargin = 12;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 11;
constexpr int kMinimumWidth = 180;

int Scaled(int pixels, int dpi) { return (pixels * dpi + kDefaultDpi / 2) / kDefaultDpi; }

}  // namespace

MessageBox::MessageBox(Display& display, const ModuleList& modules) : display_(display), modules_(modules) {}

bool MessageBox::Open(std::string_view text, std::string_view caption, SurfaceId owner) {
  const int dpi = display_.Dpi();
  auto font = Font::Open(FontRequest{.face = std::string(kFontFace), .points = kFontPoints}, dpi);
  if (!font) return false;
  const int margin = Scaled(kMargin, dpi);
  const Size button{Scaled(kButtonWidth, dpi), Scaled(kButtonHeight, dpi)};
  const int gap = Scaled(kButtonGap, dpi);
  const Size text_size{(*font)->TextWidth(text), (*font)->Height()};
  const Size client{std::max({Scaled(kMinimumWidth, dpi), text_size.width + 2 * margin, button.width + 2 * margin}),
                    margin + text_size.height + margin + button.height + gap};

  window_ = std::make_unique<Window>(
      display_, modules_,
      [this](int event, int control) {
        if (event == Event::Accepted && control == kOkNumber) dismissed_ = true;
      },
      CancelAction::Ignore);
  Size screen = display_.ScreenSize();
  SurfaceOptions options{std::string(caption), client,
                         Point{(screen.width - client.width) / 2, (screen.height - client.height) / 2},
                         SurfaceKind::MessageBox, owner};
  if (!window_->Create(options)) return false;

  auto label = std::make_unique<StringControl>(*window_, kTextNumber);
  label->SetFont(*font, kWindowText);
  label->SetText(text);
  label->SetBounds({margin, margin, text_size.width, text_size.height});
  window_->Add(std::move(label));

  auto ok = std::make_unique<Button>(*window_, kOkNumber, 0);
  ok->SetFont(*font, kWindowText);
  ok->SetText(kOkText);
  ok->SetBounds({client.width - margin - button.width, client.height - gap - button.height, button.width,
                 button.height});
  Button& ok_button = static_cast<Button&>(window_->Add(std::move(ok)));
  window_->SetDefaultButton(&ok_button);
  window_->FocusFirst();
  return true;
}

bool MessageBox::Run(const std::function<void(const InputEvent&)>& other_input) {
  while (!dismissed_) {
    window_->Paint();
    std::optional<InputEvent> input = display_.NextInput(Wait::Block);
    if (!input) return false;
    if (input->surface == window_->Surface()) {
      window_->HandleInput(*input);
    } else {
      other_input(*input);
    }
  }
  return true;
}

int ShowMessage(std::string_view text, std::string_view caption, std::string_view, int, int, int) {
  System& system = System::Get();
  DeclaredWindow* owner = system.TopWindow();
  system.PaintAll();
  MessageBox box(system.GetDisplay(), system.Modules());
  if (!box.Open(text, caption, owner && owner->open ? owner->open->Surface() : 0)) {
    ReportError(ErrorNumber::SystemResourcesExceeded, {}, "the display could not create the message box");
    return 0;
  }
  // The program's windows only repaint while the box is up: they take no input.
  system.SetModalWindow(&box.GetWindow());
  bool dismissed = box.Run([&system](const InputEvent& input) {
    if (input.type != InputEvent::Type::Expose) return;
    if (Window* window = system.WindowOn(input.surface)) {
      window->HandleInput(input);
      window->Paint();
    }
  });
  system.SetModalWindow(nullptr);
  return dismissed ? kMessageOk : 0;
}

}  // namespace runtime
