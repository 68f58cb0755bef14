// Tests of fonts: finding a face, point sizes, metrics at two DPIs, and text inside its cell.
#include "runtime/paint/Font.h"

#include <gtest/gtest.h>

#include "runtime/paint/Painter.h"
#include "runtime/paint/Windows1252.h"

namespace runtime {
namespace {

constexpr std::string_view kSample = "Variable Number 1";

enum class Decoration { None, Underline, Strikeout };

FontRequest MakeFontRequest(std::string face, int points = 10, int weight = 400, Decoration decoration = Decoration::None) {
  FontRequest request;
  request.face = std::move(face);
  request.points = points;
  request.weight = weight;
  request.underline = decoration == Decoration::Underline;
  request.strikeout = decoration == Decoration::Strikeout;
  return request;
}

std::shared_ptr<const Font> OpenOrFail(const FontRequest& request, int dpi) {
  auto font = Font::Open(request, dpi);
  EXPECT_TRUE(font.has_value()) << (font ? "" : font.error());
  return font ? *font : nullptr;
}

TEST(FontTest, PointsToPixels) {
  struct Case {
    int points, dpi, pixels;
  };
  const Case cases[] = {{10, 96, 13}, {10, 120, 17}, {10, 144, 20}, {8, 96, 11}, {9, 96, 12}, {72, 72, 72}};
  for (const Case& c : cases) {
    EXPECT_EQ(PointsToPixels(c.points, c.dpi), c.pixels) << c.points << " pt at " << c.dpi;
  }
}

TEST(FontTest, AFaceThatIsNotInstalledGetsASubstitute) {
  auto font = OpenOrFail(MakeFontRequest("Segoe UI", 9), 96);
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->Family().empty());
  EXPECT_EQ(font->PixelSize(), 12);
  EXPECT_GT(font->Ascent(), 0);
  EXPECT_GT(font->Descent(), 0);
  EXPECT_EQ(font->Height(), font->Ascent() + font->Descent());
  EXPECT_GT(font->TextWidth(kSample), 0);
}

TEST(FontTest, TheSameRequestGivesTheSameFont) {
  auto first = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  auto second = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  auto other = OpenOrFail(MakeFontRequest("DejaVu Sans"), 120);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, other);
}

TEST(FontTest, BadSizesAreErrors) {
  EXPECT_FALSE(Font::Open(MakeFontRequest("DejaVu Sans", 0), 96));
  EXPECT_FALSE(Font::Open(MakeFontRequest("DejaVu Sans"), 0));
  EXPECT_FALSE(Font::Open(MakeFontRequest("DejaVu Sans", 10, 0), 96));
}

TEST(FontTest, ALargerDpiGivesLargerMetrics) {
  auto small = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  auto large = OpenOrFail(MakeFontRequest("DejaVu Sans"), 144);
  ASSERT_TRUE(small && large);
  EXPECT_GT(large->Height(), small->Height());
  EXPECT_GT(large->TextWidth(kSample), small->TextWidth(kSample));
}

TEST(FontTest, TextWidthIsTheSumOfTheAdvances) {
  auto font = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  ASSERT_TRUE(font);
  int sum = 0;
  for (char c : kSample) sum += font->GlyphFor(static_cast<unsigned char>(c)).advance;
  EXPECT_EQ(font->TextWidth(kSample), sum);
  EXPECT_EQ(font->TextWidth(""), 0);
  EXPECT_GT(font->TextWidth("W"), font->TextWidth("i"));
}

TEST(FontTest, BoldIsWider) {
  auto regular = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  auto bold = OpenOrFail(MakeFontRequest("DejaVu Sans", 10, 700), 96);
  ASSERT_TRUE(regular && bold);
  EXPECT_GT(bold->TextWidth(kSample), regular->TextWidth(kSample));
}

TEST(FontTest, Windows1252HighBytesMapByTheCodePage) {
  struct Case {
    unsigned char byte;
    char32_t code;
  };
  const Case cases[] = {{'A', U'A'}, {0x80, 0x20AC}, {0x81, 0x81}, {0x92, 0x2019}, {0x9F, 0x178},
                        {0xA0, 0xA0}, {0xE9, 0xE9}, {0xFF, 0xFF}};
  for (const Case& c : cases) EXPECT_EQ(Windows1252ToUnicode(c.byte), c.code) << int{c.byte};
  EXPECT_EQ(Windows1252ToUtf8("\x80 caf\xE9"), "\xE2\x82\xAC caf\xC3\xA9");
  auto font = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  ASSERT_TRUE(font);
  // The euro sign has a glyph of its own, not the missing-glyph box that 0x80 as U+0080 would give.
  EXPECT_NE(font->GlyphFor(0x80).coverage, font->GlyphFor(0x81).coverage);
}

// Draws `text` black on white with its cell at (x, y) in a bitmap with room around it.
struct DrawnText {
  Bitmap bitmap;
  Rect cell;
};
DrawnText Draw(const Font& font, std::string_view text) {
  const int margin = 10;
  DrawnText drawn{Bitmap(font.TextWidth(text) + 2 * margin, font.Height() + 2 * margin, kWhite),
                  {margin, margin, font.TextWidth(text), font.Height()}};
  Painter(drawn.bitmap).DrawText(font, {margin, margin}, text, kWindowText);
  return drawn;
}

TEST(FontTest, TextLiesInsideItsCell) {
  const FontRequest requests[] = {MakeFontRequest("Segoe UI", 9),
                            MakeFontRequest("DejaVu Sans"),
                            MakeFontRequest("DejaVu Sans", 10, 400, Decoration::Underline),
                            MakeFontRequest("DejaVu Sans", 10, 400, Decoration::Strikeout)};
  for (int dpi : {96, 144}) {
    for (const FontRequest& request : requests) {
      auto font = OpenOrFail(request, dpi);
      ASSERT_TRUE(font);
      const DrawnText drawn = Draw(*font, "Variable Number 1 gyp");
      int inside = 0, outside = 0;
      for (int y = 0; y < drawn.bitmap.Height(); ++y) {
        for (int x = 0; x < drawn.bitmap.Width(); ++x) {
          if (drawn.bitmap.At(x, y) == kWhite) continue;
          (drawn.cell.Contains({x, y}) ? inside : outside) += 1;
        }
      }
      EXPECT_GT(inside, 0) << request.face << " at " << dpi;
      EXPECT_EQ(outside, 0) << request.face << " at " << dpi;
    }
  }
}

TEST(FontTest, TextIsAntialiasedAndSitsOnTheBaseline) {
  auto font = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  ASSERT_TRUE(font);
  const DrawnText drawn = Draw(*font, "H");
  bool gray = false;
  int lowest = -1;
  for (int y = 0; y < drawn.bitmap.Height(); ++y) {
    for (int x = 0; x < drawn.bitmap.Width(); ++x) {
      const Rgba pixel = drawn.bitmap.At(x, y);
      if (pixel == kWhite) continue;
      lowest = y;
      gray = gray || pixel != kWindowText;
    }
  }
  EXPECT_TRUE(gray) << "no antialiased edge";
  // "H" stands on the baseline: its last row is the one just above it.
  EXPECT_EQ(lowest, drawn.cell.y + font->Ascent() - 1);
}

TEST(FontTest, UnderlineLiesBelowTheBaselineAndStrikeoutAbove) {
  auto plain = OpenOrFail(MakeFontRequest("DejaVu Sans"), 96);
  auto underlined = OpenOrFail(MakeFontRequest("DejaVu Sans", 10, 400, Decoration::Underline), 96);
  auto struck = OpenOrFail(MakeFontRequest("DejaVu Sans", 10, 400, Decoration::Strikeout), 96);
  ASSERT_TRUE(plain && underlined && struck);
  EXPECT_GE(underlined->Underline().offset, 0);
  EXPECT_LT(underlined->Underline().offset + underlined->Underline().thickness, underlined->Descent() + 1);
  EXPECT_LT(struck->Strikeout().offset, 0);
  // An underlined space paints its stroke; a plain one paints nothing.
  const DrawnText line = Draw(*underlined, "   ");
  const DrawnText none = Draw(*plain, "   ");
  EXPECT_NE(line.bitmap, none.bitmap);
  const int row = line.cell.y + underlined->Ascent() + underlined->Underline().offset;
  EXPECT_EQ(line.bitmap.At(line.cell.x, row), kWindowText);
}

}  // namespace
}  // namespace runtime
