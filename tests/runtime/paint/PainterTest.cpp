// Tests of the painter: blending, translation and clipping, bitmaps, the focus rectangle.
#include "runtime/paint/Painter.h"

#include <gtest/gtest.h>

#include "runtime/paint/Blend.h"

namespace runtime {
namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kClear{0, 0, 0, 0};

// The pixels of `bitmap` equal to `color`, as the rectangle that bounds them
// and their count, so that a test can say "exactly this rectangle".
struct Painted {
  Rect bounds;
  int count = 0;
};
Painted PaintedWith(const Bitmap& bitmap, Rgba color) {
  Painted painted;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.At(x, y) != color) continue;
      painted.bounds = painted.bounds.United({x, y, 1, 1});
      ++painted.count;
    }
  }
  return painted;
}

TEST(BlendOverTest, Table) {
  struct Case {
    const char* name;
    Rgba dst, src, expected;
  };
  const Case cases[] = {
      {"transparent source keeps the destination", kBlue, {255, 0, 0, 0}, kBlue},
      {"opaque source replaces it", kBlue, kRed, kRed},
      // (255*128 + 0*127 + 127) / 255 = 128 and (0*128 + 255*127 + 127) / 255 = 127.
      {"half over opaque", kBlue, {255, 0, 0, 128}, {128, 0, 127, 255}},
      {"rounds to nearest over opaque", {10, 20, 30, 255}, {200, 100, 50, 77},
       {static_cast<std::uint8_t>((200 * 77 + 10 * 178 + 127) / 255),
        static_cast<std::uint8_t>((100 * 77 + 20 * 178 + 127) / 255),
        static_cast<std::uint8_t>((50 * 77 + 30 * 178 + 127) / 255), 255}},
      {"over transparent keeps the source's colour", kClear, {200, 100, 50, 77}, {200, 100, 50, 77}},
      // A = 128*255 + 128*127 = 48896; alpha (48896 + 127) / 255 = 192;
      // red (255*128*255 + 24448) / 48896 = 170.
      {"half over half", {0, 0, 0, 128}, {255, 0, 0, 128}, {170, 0, 0, 192}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BlendOver(c.dst, c.src), c.expected) << c.name;
  }
}

TEST(BlendOverTest, OverOpaqueMatchesTheFormulaEverywhere) {
  for (int s = 0; s < 256; s += 5) {
    for (int d = 0; d < 256; d += 15) {
      for (int a = 0; a < 256; ++a) {
        const Rgba out = BlendOver({static_cast<std::uint8_t>(d), 0, 0, 255},
                                   {static_cast<std::uint8_t>(s), 0, 0, static_cast<std::uint8_t>(a)});
        ASSERT_EQ(out.r, (s * a + d * (255 - a) + 127) / 255) << s << " " << d << " " << a;
        ASSERT_EQ(out.a, 255);
      }
    }
  }
}

TEST(PainterTest, WithinTranslatesAndClipsAFillThatOverlapsTheClip) {
  Bitmap bitmap(20, 20, kClear);
  Painter painter(bitmap);
  Painter inner = painter.Within({5, 6, 8, 4});
  EXPECT_EQ(inner.Clip(), (Rect{0, 0, 8, 4}));
  inner.FillRect({-3, 2, 20, 20}, kRed);  // spills past the left, right and bottom edges
  const Painted painted = PaintedWith(bitmap, kRed);
  EXPECT_EQ(painted.bounds, (Rect{5, 8, 8, 2}));
  EXPECT_EQ(painted.count, 16);
}

TEST(PainterTest, NestedWithinStaysInsideTheOuterClip) {
  Bitmap bitmap(20, 20, kClear);
  Painter outer = Painter(bitmap).Within({10, 10, 5, 5});
  Painter inner = outer.Within({3, 3, 10, 10});  // reaches past the outer area
  EXPECT_EQ(inner.Clip(), (Rect{0, 0, 2, 2}));
  inner.FillRect({0, 0, 100, 100}, kRed);
  EXPECT_EQ(PaintedWith(bitmap, kRed).bounds, (Rect{13, 13, 2, 2}));
  Painter outside = outer.Within({-20, 0, 5, 5});
  EXPECT_TRUE(outside.Clip().IsEmpty());
  outside.FillRect({0, 0, 5, 5}, kBlue);
  EXPECT_EQ(PaintedWith(bitmap, kBlue).count, 0);
}

TEST(PainterTest, TranslucentFillBlends) {
  Bitmap bitmap(4, 4, kBlue);
  Painter(bitmap).FillRect({1, 1, 2, 2}, {255, 0, 0, 128});
  EXPECT_EQ(bitmap.At(1, 1), BlendOver(kBlue, {255, 0, 0, 128}));
  EXPECT_EQ(bitmap.At(0, 0), kBlue);
}

TEST(PainterTest, OutlineIsOnePixelInsideAndBlendsCornersOnce) {
  Bitmap bitmap(10, 10, kBlue);
  const Rgba half{255, 0, 0, 128};
  Painter(bitmap).Within({1, 1, 8, 8}).DrawRectOutline({1, 1, 5, 4}, half);
  const Rgba once = BlendOver(kBlue, half);
  const Painted painted = PaintedWith(bitmap, once);
  EXPECT_EQ(painted.bounds, (Rect{2, 2, 5, 4}));
  EXPECT_EQ(painted.count, 2 * 5 + 2 * 2);  // no pixel painted twice, none inside
  EXPECT_EQ(bitmap.At(3, 3), kBlue);
}

TEST(PainterTest, FocusRectDotsEveryOtherPixelOfTheBorder) {
  Bitmap bitmap(12, 12, kWhite);
  const Rect rect{2, 3, 7, 5};
  Painter(bitmap).DrawFocusRect(rect);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const bool on_border = rect.Contains({x, y}) && !Rect{3, 4, 5, 3}.Contains({x, y});
      const bool dotted = on_border && (x - rect.x + y - rect.y) % 2 == 0;
      EXPECT_EQ(bitmap.At(x, y), dotted ? kWindowText : kWhite) << x << "," << y;
    }
  }
}

TEST(PainterTest, FocusRectIsClipped) {
  Bitmap bitmap(6, 6, kWhite);
  Painter(bitmap).Within({0, 0, 3, 6}).DrawFocusRect({0, 0, 6, 6});
  for (int y = 0; y < 6; ++y) {
    for (int x = 3; x < 6; ++x) EXPECT_EQ(bitmap.At(x, y), kWhite) << x << "," << y;
  }
  EXPECT_EQ(bitmap.At(0, 0), kWindowText);
}

// A 4x3 picture whose every pixel differs, so that a shifted copy shows.
Bitmap Picture() {
  Bitmap picture(4, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      picture.At(x, y) = {static_cast<std::uint8_t>(10 + x), static_cast<std::uint8_t>(20 + y), 0, 255};
    }
  }
  return picture;
}

TEST(PainterTest, DrawBitmapIsClippedAtEveryEdge) {
  const Bitmap picture = Picture();
  const Rect clip{2, 2, 6, 5};
  const Point places[] = {{0, 3}, {6, 3}, {3, 0}, {3, 5}, {-10, -10}, {3, 3}, {1, 1}, {5, 5}};
  for (Point place : places) {
    Bitmap bitmap(10, 10, kClear);
    Painter(bitmap).Within(clip).DrawBitmap(picture, place);
    const Rect placed{clip.x + place.x, clip.y + place.y, 4, 3};
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) {
        const bool drawn = placed.Contains({x, y}) && clip.Contains({x, y});
        const Rgba expected = drawn ? picture.At(x - placed.x, y - placed.y) : kClear;
        ASSERT_EQ(bitmap.At(x, y), expected) << "at " << place.x << "," << place.y << " pixel " << x << "," << y;
      }
    }
  }
}

TEST(PainterTest, DrawBitmapCompositesStraightAlpha) {
  Bitmap picture(2, 1);
  picture.At(0, 0) = {255, 255, 255, 0};
  picture.At(1, 0) = {255, 0, 0, 100};
  Bitmap bitmap(2, 1, kWindowFace);
  Painter(bitmap).DrawBitmap(picture, {0, 0});
  EXPECT_EQ(bitmap.At(0, 0), kWindowFace);
  EXPECT_EQ(bitmap.At(1, 0), BlendOver(kWindowFace, picture.At(1, 0)));
}

}  // namespace
}  // namespace runtime
