// Converting a window's units to pixels, and pixels back to a value that converts to the same pixels.
#include <gtest/gtest.h>

#include "runtime/window/Units.h"

namespace runtime {
namespace {

enum class Axis { X, Y };

struct ConversionCase {
  const char* what;
  UnitKind kind;
  FontMeasure font;
  int dpi;
  Axis axis;
  std::int64_t value;
  int pixels;
};

// Every expectation is value * m / d rounded to the nearest, halves away from zero.
const ConversionCase kConversions[] = {
    // Dialog units: m = 2 * average width across, the height down; d = 8.
    {"dialog x, exact", UnitKind::DialogUnits, {7, 16}, 96, Axis::X, 4, 7},
    {"dialog x, 1.75 up", UnitKind::DialogUnits, {7, 16}, 96, Axis::X, 1, 2},
    {"dialog x, 1.25 down", UnitKind::DialogUnits, {5, 16}, 96, Axis::X, 1, 1},
    {"dialog x, 3.5 half up", UnitKind::DialogUnits, {7, 16}, 96, Axis::X, 2, 4},
    {"dialog x, -3.5 half away from zero", UnitKind::DialogUnits, {7, 16}, 96, Axis::X, -2, -4},
    {"dialog x, -1.75", UnitKind::DialogUnits, {7, 16}, 96, Axis::X, -1, -2},
    {"dialog x, zero", UnitKind::DialogUnits, {7, 16}, 96, Axis::X, 0, 0},
    {"dialog y uses the height", UnitKind::DialogUnits, {7, 16}, 96, Axis::Y, 1, 2},
    {"dialog y, 6.5 half up", UnitKind::DialogUnits, {7, 13}, 96, Axis::Y, 4, 7},
    {"dialog y, -6.5", UnitKind::DialogUnits, {7, 13}, 96, Axis::Y, -4, -7},
    {"dialog y, 1.625", UnitKind::DialogUnits, {7, 13}, 96, Axis::Y, 1, 2},
    {"dialog y, 297.5 half up", UnitKind::DialogUnits, {7, 17}, 96, Axis::Y, 140, 298},
    // Millimetres: m = 10 * dpi, d = 254 (never an exact half); the font plays no part.
    {"mm at 96 dpi, 3.78", UnitKind::Millimetres, {7, 16}, 96, Axis::X, 1, 4},
    {"mm at 96 dpi, exact inch halves", UnitKind::Millimetres, {7, 16}, 96, Axis::Y, 127, 480},
    {"mm at 96 dpi, negative", UnitKind::Millimetres, {7, 16}, 96, Axis::X, -1, -4},
    {"mm at 96 dpi, 11.34 down", UnitKind::Millimetres, {7, 16}, 96, Axis::X, 3, 11},
    {"mm at 144 dpi, 56.69", UnitKind::Millimetres, {7, 16}, 144, Axis::Y, 10, 57},
    // Thousandths of an inch: m = dpi, d = 1000.
    {"thousandths, one inch", UnitKind::Thousandths, {7, 16}, 96, Axis::X, 1000, 96},
    {"thousandths, 0.48 down", UnitKind::Thousandths, {7, 16}, 96, Axis::X, 5, 0},
    {"thousandths, 0.576 up", UnitKind::Thousandths, {7, 16}, 96, Axis::Y, 6, 1},
    {"thousandths at 100 dpi, 0.5 half up", UnitKind::Thousandths, {7, 16}, 100, Axis::X, 5, 1},
    {"thousandths at 100 dpi, -1.5", UnitKind::Thousandths, {7, 16}, 100, Axis::Y, -15, -2},
    // Pixels: unchanged, whatever the font and dpi.
    {"pixels", UnitKind::Pixels, {7, 16}, 144, Axis::X, 17, 17},
    {"pixels, negative", UnitKind::Pixels, {7, 16}, 144, Axis::Y, -3, -3},
};

TEST(UnitsTest, ConvertsEachKindToPixelsRoundingToTheNearest) {
  for (const ConversionCase& c : kConversions) {
    Units units(c.kind, c.font, c.dpi);
    int pixels = c.axis == Axis::X ? units.ToPixelsX(c.value) : units.ToPixelsY(c.value);
    EXPECT_EQ(pixels, c.pixels) << c.what;
  }
}

TEST(UnitsTest, DefaultUnitsArePixels) {
  Units units;
  EXPECT_EQ(units.ToPixelsX(123), 123);
  EXPECT_EQ(units.ToPixelsY(-7), -7);
}

// A control copied from another through its position and size properties
// must lie exactly over it: every pixel value read as text converts back to
// the same pixels, including those that no whole number of units reaches.
TEST(UnitsTest, PixelsReadAsTextConvertBackToTheSamePixels) {
  struct Setting {
    UnitKind kind;
    FontMeasure font;
    int dpi;
  };
  std::vector<Setting> settings;
  for (int width : {6, 7, 8, 9}) {
    for (int height : {13, 15, 16, 17, 20}) settings.push_back({UnitKind::DialogUnits, {width, height}, 96});
  }
  settings.push_back({UnitKind::Millimetres, {}, 96});
  settings.push_back({UnitKind::Thousandths, {}, 96});
  settings.push_back({UnitKind::Pixels, {}, 96});
  for (const Setting& s : settings) {
    Units units(s.kind, s.font, s.dpi);
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(s.kind) << ", W " << s.font.average_width
                                    << ", H " << s.font.height);
    int failures = 0;
    for (int pixels = 0; pixels <= 400 && failures < 5; ++pixels) {
      std::string x = units.PixelsToTextX(pixels);
      std::string y = units.PixelsToTextY(pixels);
      std::optional<int> back_x = units.TextToPixelsX(x);
      std::optional<int> back_y = units.TextToPixelsY(y);
      if (back_x != pixels || back_y != pixels) ++failures;
      EXPECT_EQ(back_x, pixels) << "x " << pixels << " read as \"" << x << "\"";
      EXPECT_EQ(back_y, pixels) << "y " << pixels << " read as \"" << y << "\"";
    }
  }
}

TEST(UnitsTest, PixelsThatAWholeNumberReachesReadAsThatNumber) {
  // W 7: one unit is 1.75 pixels, so 7 pixels are exactly 4 units.
  Units units(UnitKind::DialogUnits, {7, 16}, 96);
  EXPECT_EQ(units.PixelsToTextX(7), "4");
  EXPECT_EQ(units.PixelsToTextY(32), "16");
  EXPECT_EQ(units.PixelsToTextX(0), "0");
}

}  // namespace
}  // namespace runtime
