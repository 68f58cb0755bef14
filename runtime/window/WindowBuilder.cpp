// Building an open window and its controls from a window definition record.
#include "runtime/window/WindowBuilder.h"

#include <algorithm>
#include <cstring>

#include "runtime/error/ErrorReport.h"
#include "runtime/window/Button.h"
#include "runtime/window/CheckBox.h"
#include "runtime/window/StringControl.h"

namespace runtime {
namespace {

constexpr std::string_view kMeasureLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kWindowModule = "WSLDIAL";
constexpr std::string_view kUseModule = "CTLUSE";
constexpr int kMinimumClientSide = 1;

struct ResolvedFont {
  std::shared_ptr<const Font> font;
  Rgba color;
};

// A font record over the font it inherits from: what the record gives wins.
FontRequest Inherit(const FontRequest& base, Rgba base_color, const std::optional<windef::FontRecord>& record,
                 Rgba& color) {
  FontRequest request = base;
  color = base_color;
  if (!record) return request;
  if (!record->face.empty()) request.face = record->face.substr(0, windef::kMaxFaceNameUsed);
  if (record->size != 0) request.points = record->size;
  if (record->colour != windef::kColourNotGiven) {
    // A stored colour is 0x00BBGGRR.
    color = {static_cast<std::uint8_t>(record->colour), static_cast<std::uint8_t>(record->colour >> 8),
             static_cast<std::uint8_t>(record->colour >> 16), 0xFF};
  }
  if (record->style != windef::kStyleNotGiven && record->style != 0) {
    int weight = static_cast<int>(record->style & windef::kStyleWeightMask);
    if (weight != 0) request.weight = weight;
    request.italic = (record->style & windef::kStyleItalic) != 0;
    request.underline = (record->style & windef::kStyleUnderline) != 0;
    request.strikeout = (record->style & windef::kStyleStrikeOut) != 0;
  }
  return request;
}

UnitKind UnitsOf(std::uint32_t flags_a) {
  switch (flags_a & windef::WindowFlagsA::UnitsMask) {
    case windef::WindowFlagsA::UnitsMillimetres: return UnitKind::Millimetres;
    case windef::WindowFlagsA::UnitsThousandthsOfInch: return UnitKind::Thousandths;
    case windef::WindowFlagsA::UnitsPixels: return UnitKind::Pixels;
    default: return UnitKind::DialogUnits;
  }
}

int Given(std::int32_t value) { return windef::IsGiven(value) ? value : 0; }

class ControlFactory {
 public:
  ControlFactory(Window& window, const BuildContext& context, const FontRequest& window_request, Rgba window_color,
                 std::shared_ptr<const Font> window_font, FontMeasure measure)
      : window_(window), context_(context), window_request_(window_request), window_color_(window_color),
        window_font_(std::move(window_font)), measure_(measure) {}

  // False when the build must stop (an error was reported).
  bool Build(const windef::Control& record);

 private:
  std::optional<ResolvedFont> FontFor(const windef::Control& record);
  Rect Place(const windef::Control& record, const Font& font) const;
  bool BindVariable(CheckBox& box, const windef::Control& record);

  Window& window_;
  const BuildContext& context_;
  FontRequest window_request_;
  Rgba window_color_;
  std::shared_ptr<const Font> window_font_;
  FontMeasure measure_;
  std::size_t next_variable_ = 0;
};

std::optional<ResolvedFont> ControlFactory::FontFor(const windef::Control& record) {
  if (!record.font) return ResolvedFont{window_font_, window_color_};
  Rgba color;
  FontRequest request = Inherit(window_request_, window_color_, record.font, color);
  auto font = Font::Open(request, context_.display.Dpi());
  if (!font) {
    ReportError(ErrorNumber::SystemResourcesExceeded, {}, font.error());
    return std::nullopt;
  }
  return ResolvedFont{*font, color};
}

Rect ControlFactory::Place(const windef::Control& record, const Font& font) const {
  const Units& units = window_.GetUnits();
  const int w = measure_.average_width;
  const int h = measure_.height;
  const windef::Position& p = record.position;
  int text_width = record.text.empty() ? 0 : font.TextWidth(record.text);
  int width = 0;
  int height = 0;
  switch (record.kind) {
    case windef::Kind::String:
      width = text_width;
      height = font.Height() + h / 4;
      break;
    case windef::Kind::Button:
      width = std::max(8 * w, text_width + 3 * w);
      height = font.Height() + 3 * h / 4;
      break;
    case windef::Kind::CheckBox:
      width = text_width + 4 * w;
      height = font.Height() + h / 4;
      break;
  }
  if (windef::IsGiven(p.width)) width = units.ToPixelsX(p.width);
  if (windef::IsGiven(p.height)) height = units.ToPixelsY(p.height);
  return {units.ToPixelsX(Given(p.x)), units.ToPixelsY(Given(p.y)), width, height};
}

bool ControlFactory::BindVariable(CheckBox& box, const windef::Control& record) {
  if (!record.use) return true;
  const windef::UseDescriptor& use = *record.use;
  if (use.type == VariableType::Unsupported) {
    ReportError(ErrorNumber::VariableListExhausted, kUseModule, "control " + std::to_string(record.number));
    return false;
  }
  auto take = [&]() -> void* {
    void* entry = next_variable_ < context_.variables.size() ? context_.variables[next_variable_] : nullptr;
    if (entry) ++next_variable_;
    return entry;
  };
  void* address = take();
  std::size_t size = use.size;
  if (address && size == 0) {
    // The size is passed at run time: the next entry addresses a 32-bit size.
    void* size_entry = take();
    if (size_entry) {
      std::int32_t passed;
      std::memcpy(&passed, size_entry, sizeof passed);
      size = passed > 0 ? static_cast<std::size_t>(passed) : 0;
    } else {
      address = nullptr;
    }
  }
  if (!address) {
    ReportError(ErrorNumber::VariableListExhausted, kWindowModule,
                "no variable left for control " + std::to_string(record.number));
    return false;
  }
  box.Bind(VariableBinding(address, use.type, size), record.true_value, record.false_value);
  return true;
}

bool ControlFactory::Build(const windef::Control& record) {
  std::unique_ptr<Control> control;
  CheckBox* check_box = nullptr;
  Button* button = nullptr;
  switch (record.kind) {
    case windef::Kind::String:
      control = std::make_unique<StringControl>(window_, record.number);
      break;
    case windef::Kind::Button:
      control = std::make_unique<Button>(window_, record.number, record.standard_action);
      button = static_cast<Button*>(control.get());
      break;
    case windef::Kind::CheckBox: {
      auto side = (record.flags & windef::ControlFlags::CheckBoxTextLeft) ? TextSide::Left : TextSide::Right;
      control = std::make_unique<CheckBox>(window_, record.number, side);
      check_box = static_cast<CheckBox*>(control.get());
      break;
    }
    default:
      return true;  // a kind the runtime does not build: passed over, binds nothing
  }
  auto font = FontFor(record);
  if (!font) return false;
  control->SetFont(font->font, font->color);
  control->SetText(record.text);
  if (check_box && !BindVariable(*check_box, record)) return false;
  control->SetBounds(Place(record, *font->font));
  if (record.flags & windef::ControlFlags::Hide) control->SetVisibility(Visibility::Hidden);
  if (record.flags & windef::ControlFlags::Disable) control->SetEnablement(Enablement::Disabled);
  control->SetSkip((record.flags & windef::ControlFlags::Skip) != 0);
  window_.Add(std::move(control));
  if (button && (record.button_flags & windef::ButtonFlags::Default)) window_.SetDefaultButton(button);
  return true;
}

}  // namespace

FontMeasure MeasureFont(const Font& font) {
  return {(font.TextWidth(kMeasureLetters) / 26 + 1) / 2, font.Height()};
}

std::unique_ptr<Window> BuildWindow(const windef::Window& record, const BuildContext& context) {
  Rgba color;
  FontRequest default_request{.face = std::string(kDefaultFontFace), .points = kDefaultFontPoints};
  FontRequest request = Inherit(default_request, kWindowText, record.font, color);
  auto font = Font::Open(request, context.display.Dpi());
  if (!font) {
    ReportError(ErrorNumber::SystemResourcesExceeded, {}, font.error());
    return nullptr;
  }
  FontMeasure measure = MeasureFont(**font);
  Units units(UnitsOf(record.flags_a), measure, context.display.Dpi());

  SurfaceOptions options;
  options.title = record.text;
  options.kind = SurfaceKind::Dialog;
  options.client = {std::max(kMinimumClientSide, units.ToPixelsX(Given(record.position.width))),
                    std::max(kMinimumClientSide, units.ToPixelsY(Given(record.position.height)))};
  if (windef::IsGiven(record.position.x) && windef::IsGiven(record.position.y)) {
    options.position = Point{units.ToPixelsX(record.position.x), units.ToPixelsY(record.position.y)};
  } else if (record.flags_a & windef::WindowFlagsA::Center) {
    Size screen = context.display.ScreenSize();
    options.position = Point{(screen.width - options.client.width) / 2, (screen.height - options.client.height) / 2};
  }
  // FIXME: the frame styles of flags B other than a fixed dialog frame (a
  // sizable frame, no frame) are shown as the fixed dialog frame.

  auto window = std::make_unique<Window>(context.display, context.modules, context.sink, CancelAction::CloseRequest);
  window->SetUnits(units);
  if (!window->Create(options)) {
    ReportError(ErrorNumber::SystemResourcesExceeded, {}, "the display could not create the window");
    return nullptr;
  }
  ControlFactory factory(*window, context, request, color, *font, measure);
  for (const windef::Control& control : record.controls) {
    if (!factory.Build(control)) return nullptr;
  }
  window->FocusFirst();
  return window;
}

}  // namespace runtime
