// Where the window and its controls land: every pixel follows from the font's measured metrics and the window's units.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "resources/ProgramResources.h"
#include "resources/ProgramWindow.h"
#include "runtime/paint/Font.h"
#include "runtime/window/WindowBuilder.h"
#include "tests/runtime/window/WindowHarness.h"

namespace runtime {

void PrintTo(const Rect& r, std::ostream* out) { *out << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}"; }
void PrintTo(const Size& s, std::ostream* out) { *out << s.width << " x " << s.height; }

namespace {

using window_testing::Harness;

// value * m / d rounded to the nearest, for the non-negative values of a layout.
int Rounded(std::int64_t value, std::int64_t m, std::int64_t d) {
  return static_cast<int>((2 * value * m + d) / (2 * d));
}

struct Layout {
  Size client;
  std::optional<Point> position;
  std::map<int, Rect> controls;  // by control number
};

// The program window as the rules place it, from the window font's own metrics.
Layout ExpectedProgramLayout(int dpi, Size screen) {
  FontRequest font_request;
  font_request.face = "Segoe UI";
  font_request.points = 10;
  auto font = Font::Open(font_request, dpi);
  if (!font) throw std::runtime_error("the window font does not open: " + font.error());
  const Font& f = **font;
  const int w = (f.TextWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
  const int h = f.Height();
  auto x = [&](int units) { return Rounded(units, 2 * w, 8); };
  auto y = [&](int units) { return Rounded(units, h, 8); };

  Layout layout;
  layout.client = {x(276), y(140)};
  layout.position = Point{(screen.width - layout.client.width) / 2, (screen.height - layout.client.height) / 2};
  layout.controls[1] = {x(223), y(118), x(42), y(14)};
  layout.controls[2] = {x(13), y(18), f.TextWidth("Variable Number 1"), h + h / 4};
  layout.controls[3] = {x(86), y(18), 4 * w, h + h / 4};
  layout.controls[4] = {x(13), y(38), f.TextWidth(" Variable Number 2") + 4 * w, h + h / 4};
  return layout;
}

// The program window as the runtime opens it from the program's own resources.
Layout OpenedProgramLayout(int dpi, Size screen) {
  Harness harness(ProgramResources(), screen, dpi);
  std::uint8_t v1 = 0, v2 = 0;
  WindowHandle handle = DeclareWindow(windef::kProgramWindowKey, windef::kProgramWindowLabel, {&v1, &v2, nullptr});
  OpenWindow(handle);
  Window* window = harness.OpenOf(handle);
  if (!window || !harness.Errors().empty()) throw std::runtime_error("the program window did not open");
  Layout layout;
  const auto* surface = harness.Display().Surface(window->Surface());
  layout.client = surface->options.client;
  layout.position = surface->options.position;
  for (const auto& control : window->Controls()) layout.controls[control->Number()] = control->Bounds();
  EXPECT_EQ(window->ClientSize(), layout.client) << "the frame is the client area's size";
  EXPECT_EQ(surface->options.title, "Caption");
  EXPECT_EQ(surface->options.kind, SurfaceKind::Dialog);
  for (const auto& control : window->Controls()) {
    EXPECT_TRUE(control->TextFont() && control->TextFont()->Request().points == 10) << "control " << control->Number() << " uses the window's font";
  }
  CloseWindow(handle);
  ReleaseWindow(handle);
  return layout;
}

class ProgramLayoutTest : public testing::TestWithParam<int> {};

TEST_P(ProgramLayoutTest, EveryRectangleFollowsFromTheFontMetrics) {
  const Size screen{1920, 1080};
  Layout expected = ExpectedProgramLayout(GetParam(), screen);
  Layout opened = OpenedProgramLayout(GetParam(), screen);
  EXPECT_EQ(opened.client, expected.client);
  ASSERT_TRUE(opened.position) << "a centred window has its place chosen, not left to the display";
  EXPECT_EQ(*opened.position, *expected.position) << "centred on the screen";
  ASSERT_EQ(opened.controls.size(), 4u);
  for (const auto& [number, rect] : expected.controls) EXPECT_EQ(opened.controls[number], rect) << "control " << number;
}

INSTANTIATE_TEST_SUITE_P(Dpi, ProgramLayoutTest, testing::Values(96, 120, 144));

TEST(ProgramLayoutScaleTest, AtALargerDpiTheWholeWindowGrowsInProportion) {
  Layout small = OpenedProgramLayout(96, {1920, 1080});
  Layout large = OpenedProgramLayout(144, {1920, 1080});
  // The font's metrics are whole pixels, so the growth is 1.5 only near enough.
  auto near = [](int from, int to) { return to > from && std::abs(2 * to - 3 * from) <= from * 3 / 10; };
  EXPECT_TRUE(near(small.client.width, large.client.width)) << small.client.width << " -> " << large.client.width;
  EXPECT_TRUE(near(small.client.height, large.client.height)) << small.client.height << " -> " << large.client.height;
  for (const auto& [number, rect] : small.controls) {
    const Rect& grown = large.controls[number];
    EXPECT_TRUE(near(rect.x, grown.x) && near(rect.y, grown.y) && near(rect.width, grown.width) &&
                near(rect.height, grown.height))
        << "control " << number << ": " << testing::PrintToString(rect) << " -> " << testing::PrintToString(grown);
  }
}

// A window and a check box in each kind of unit, both with every position and
// size given, and the same check box with none given.
struct UnitsCase {
  const char* what;
  std::uint32_t units;
  int dpi;
  std::int64_t mx, my, d;  // 0: from the window font (dialog units)
};

TEST(WindowUnitsTest, PositionsAndSizesAreConvertedInTheWindowsUnits) {
  const UnitsCase cases[] = {
      {"pixels", windef::WindowFlagsA::UnitsPixels, 96, 1, 1, 1},
      {"millimetres", windef::WindowFlagsA::UnitsMillimetres, 96, 960, 960, 254},
      {"millimetres at 144 dpi", windef::WindowFlagsA::UnitsMillimetres, 144, 1440, 1440, 254},
      {"thousandths", windef::WindowFlagsA::UnitsThousandthsOfInch, 120, 120, 120, 1000},
      {"dialog units", windef::WindowFlagsA::UnitsDialog, 96, 0, 0, 8},
  };
  for (const UnitsCase& c : cases) {
    SCOPED_TRACE(c.what);
    windef::Control given = window_testing::CheckBoxRecord(1, {37, 23, 41, 11}, "Box");
    windef::Control left_out = window_testing::CheckBoxRecord(2, {windef::kNotGiven, windef::kNotGiven, 29, 9});
    windef::Window record = window_testing::WindowRecord({given, left_out});
    record.flags_a = c.units;
    record.position = {31, 17, 201, 133};
    std::uint8_t a = 0, b = 0;
    Harness harness(window_testing::DefinitionBytes(record), {1920, 1080}, c.dpi);
    WindowHandle handle = DeclareWindow(window_testing::kKey, window_testing::kLabel, {&a, &b, nullptr});
    OpenWindow(handle);
    ASSERT_NE(harness.OpenOf(handle), nullptr);

    std::int64_t mx = c.mx, my = c.my;
    if (mx == 0) {
      // The runtime's default font, since the record gives none.
      FontRequest font_request;
      font_request.face = std::string(kDefaultFontFace);
      font_request.points = kDefaultFontPoints;
      auto font = Font::Open(font_request, c.dpi);
      ASSERT_TRUE(font);
      mx = 2 * (((*font)->TextWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2);
      my = (*font)->Height();
    }
    auto x = [&](int v) { return Rounded(v, mx, c.d); };
    auto y = [&](int v) { return Rounded(v, my, c.d); };
    const auto* surface = harness.Display().Surface(harness.Open(handle).Surface());
    EXPECT_EQ(surface->options.client, (Size{x(201), y(133)}));
    ASSERT_TRUE(surface->options.position);
    EXPECT_EQ(*surface->options.position, (Point{x(31), y(17)})) << "a given position wins over centring";
    EXPECT_EQ(harness.Control(handle, 1).Bounds(), (Rect{x(37), y(23), x(41), y(11)}));
    EXPECT_EQ(harness.Control(handle, 2).Bounds(), (Rect{0, 0, x(29), y(9)})) << "a position not given is 0";
  }
}

TEST(WindowUnitsTest, AWindowWithoutPositionOrCentreIsPlacedByTheDisplay) {
  windef::Window record = window_testing::WindowRecord({});
  record.position = {windef::kNotGiven, windef::kNotGiven, 120, 80};
  Harness harness(window_testing::DefinitionBytes(record));
  WindowHandle handle = DeclareWindow(window_testing::kKey, window_testing::kLabel, {nullptr});
  OpenWindow(handle);
  const auto* surface = harness.Display().Surface(harness.Open(handle).Surface());
  EXPECT_FALSE(surface->options.position);
  EXPECT_EQ(surface->options.client, (Size{120, 80}));
}

}  // namespace
}  // namespace runtime
