// The four committed slider pictures: drawn by the tool as they are now, and
// of the promised shape and colours, checked from their decoded pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "runtime/module/ModuleList.h"
#include "runtime/picture/PictureLoader.h"
#include "runtime/picture/PngDecoder.h"
#include "tools/SliderPictures.h"

namespace runtime {
namespace {

using tools::SliderLook;
using tools::SliderPosition;

std::vector<std::byte> ReadCommitted(std::string_view file_name) {
  std::filesystem::path path = std::filesystem::path(QUINDLE_SOURCE_DIR) / "resources" / "pictures" / file_name;
  std::ifstream file(path, std::ios::binary);
  std::vector<char> chars{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_FALSE(chars.empty()) << path;
  auto bytes = std::as_bytes(std::span(chars));
  return {bytes.begin(), bytes.end()};
}

Bitmap DecodeCommitted(std::string_view file_name) {
  auto bitmap = DecodePng(ReadCommitted(file_name));
  EXPECT_TRUE(bitmap.has_value()) << file_name << ": " << bitmap.error();
  return bitmap.value_or(Bitmap());
}

TEST(SliderPictures, CommittedFilesHoldWhatTheToolDraws) {
  for (const tools::SliderPictureFile& file : tools::kSliderPictureFiles) {
    EXPECT_EQ(DecodeCommitted(file.file_name), tools::DrawSliderPicture(file.position, file.look))
        << file.file_name << ": run make_slider_pictures resources/pictures";
  }
}

TEST(SliderPictures, ProgramNamesResolveToThePictures) {
  std::vector<std::vector<std::byte>> bytes;
  std::vector<Resource> resources;
  for (const tools::SliderPictureFile& file : tools::kSliderPictureFiles) bytes.push_back(ReadCommitted(file.file_name));
  const char* names[] = {"SLIDER-OFF_PNG", "SLIDER-ON_PNG", "SLIDER-OFF-DISABLED_PNG", "SLIDER-ON-DISABLED_PNG"};
  for (std::size_t i = 0; i < bytes.size(); ++i) resources.push_back({"IMAGE", names[i], kLanguageEnglishUs, bytes[i]});
  ModuleList modules;
  modules.Add({"program", resources});
  auto off = LoadPicture("~Slider-Off.png", modules);
  auto on = LoadPicture("~Slider-On.png", modules);
  ASSERT_TRUE(off && on);
  EXPECT_EQ(*off, DecodeCommitted("slider-off.png"));
  EXPECT_EQ(*on, DecodeCommitted("slider-on.png"));
}

// The alpha of every pixel, row by row.
std::vector<std::uint8_t> AlphaMask(const Bitmap& bitmap) {
  std::vector<std::uint8_t> mask;
  for (Rgba pixel : bitmap.Pixels()) mask.push_back(pixel.a);
  return mask;
}

Bitmap Mirrored(const Bitmap& bitmap) {
  Bitmap mirrored(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) mirrored.At(x, y) = bitmap.At(bitmap.Width() - 1 - x, y);
  }
  return mirrored;
}

bool SameColor(Rgba a, Rgba b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// Each channel of `c` lies between the track's and white's.
bool BetweenTrackAndWhite(Rgba c, Rgba track) { return c.r >= track.r && c.g >= track.g && c.b >= track.b; }

TEST(SliderPictures, CapsuleOutlineIsTheSameInAllFour) {
  const Bitmap reference = DecodeCommitted("slider-off.png");
  ASSERT_EQ(reference.GetSize(), (Size{26, 16}));
  int transparent = 0, partial = 0, opaque = 0;
  for (std::uint8_t alpha : AlphaMask(reference)) {
    (alpha == 0 ? transparent : alpha == 255 ? opaque : partial) += 1;
  }
  EXPECT_EQ(transparent, 24);
  EXPECT_EQ(partial, 86);
  EXPECT_EQ(opaque, 306);

  // Each corner: 3 transparent pixels in the outermost row, 2 in the next, 1 in the third.
  for (int corner_x : {0, 25}) {
    for (int corner_y : {0, 15}) {
      int step_x = corner_x == 0 ? 1 : -1, step_y = corner_y == 0 ? 1 : -1;
      for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
          std::uint8_t alpha = reference.At(corner_x + step_x * column, corner_y + step_y * row).a;
          EXPECT_EQ(alpha == 0, column < 3 - row) << "corner " << corner_x << "," << corner_y << " row " << row
                                                  << " column " << column;
        }
      }
    }
  }
  for (int x = 8; x <= 17; ++x) {
    EXPECT_EQ(reference.At(x, 0).a, 241) << x;
    EXPECT_EQ(reference.At(x, 15).a, 241) << x;
  }
  for (int x : {0, 25}) {
    for (int y : {7, 8}) EXPECT_EQ(reference.At(x, y).a, 223) << x << "," << y;
  }

  for (const tools::SliderPictureFile& file : tools::kSliderPictureFiles) {
    Bitmap picture = DecodeCommitted(file.file_name);
    EXPECT_EQ(AlphaMask(picture), AlphaMask(reference)) << file.file_name;
    EXPECT_EQ(AlphaMask(Mirrored(picture)), AlphaMask(reference)) << file.file_name;
  }
}

TEST(SliderPictures, TrackAndKnobColours) {
  struct Case {
    std::string_view file;
    Rgba track;
    int knob_left, knob_right;
  };
  const Case cases[] = {{"slider-off.png", {0x3C, 0x76, 0xB1, 255}, 1, 15},
                        {"slider-on.png", {0x3C, 0x76, 0xB1, 255}, 10, 24},
                        {"slider-off-disabled.png", {0xA0, 0xA0, 0xA0, 255}, 1, 15},
                        {"slider-on-disabled.png", {0xA0, 0xA0, 0xA0, 255}, 10, 24}};
  for (const Case& c : cases) {
    const Bitmap picture = DecodeCommitted(c.file);
    ASSERT_EQ(picture.GetSize(), (Size{26, 16})) << c.file;
    int knob_left = 26, knob_right = -1, knob_top = 16, knob_bottom = -1, white = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 26; ++x) {
        Rgba pixel = picture.At(x, y);
        if (pixel.a == 0 || SameColor(pixel, c.track)) continue;
        EXPECT_TRUE(BetweenTrackAndWhite(pixel, c.track)) << c.file << " at " << x << "," << y;
        EXPECT_EQ(pixel.a, 255) << c.file << ": the knob lies on the opaque track, at " << x << "," << y;
        knob_left = std::min(knob_left, x), knob_right = std::max(knob_right, x);
        knob_top = std::min(knob_top, y), knob_bottom = std::max(knob_bottom, y);
        if (SameColor(pixel, kWhite)) ++white;
      }
    }
    EXPECT_EQ(knob_left, c.knob_left) << c.file;
    EXPECT_EQ(knob_right, c.knob_right) << c.file;
    EXPECT_EQ(knob_top, 1) << c.file;
    EXPECT_EQ(knob_bottom, 14) << c.file;
    const int centre_x = (c.knob_left + c.knob_right) / 2;
    EXPECT_EQ(picture.At(centre_x, 7), kWhite) << c.file;
    EXPECT_GT(white, 100) << c.file << ": the knob is a white disc";
  }
  EXPECT_EQ(DecodeCommitted("slider-on.png"), Mirrored(DecodeCommitted("slider-off.png")));
  EXPECT_EQ(DecodeCommitted("slider-on-disabled.png"), Mirrored(DecodeCommitted("slider-off-disabled.png")));
}

}  // namespace
}  // namespace runtime
