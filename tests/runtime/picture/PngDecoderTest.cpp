// The PNG decoder: which data it accepts, and how every kind of PNG becomes
// 8-bit RGBA with the samples as stored.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <string>

#include "runtime/picture/PngDecoder.h"
#include "tests/runtime/picture/PngFixtures.h"

namespace runtime {
namespace {

using ::testing::HasSubstr;
using testing::EncodePng;
using testing::EncodeRgbaPng;
using testing::PngRecipe;

constexpr int kGray = 0, kRgb = 2, kPalette = 3, kGrayAlpha = 4, kRgba = 6;

std::vector<std::byte> Bytes(std::string_view text) {
  auto bytes = std::as_bytes(std::span(text));
  return {bytes.begin(), bytes.end()};
}

// A picture whose every pixel differs, with partial alpha below the colours
// (straight alpha must not be premultiplied on the way).
Bitmap Pattern(int width, int height) {
  Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap.At(x, y) = {static_cast<std::uint8_t>(x * 17 + 3), static_cast<std::uint8_t>(y * 29 + 200),
                         static_cast<std::uint8_t>(x * y * 7), static_cast<std::uint8_t>((x + y) * 13)};
    }
  }
  return bitmap;
}

void PutBigEndian32(std::vector<std::byte>& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::byte>(value >> (24 - 8 * i));
}

// The file with its header claiming another size; the header's CRC is redone
// so that only the size is wrong.
std::vector<std::byte> WithHeaderSize(std::vector<std::byte> bytes, std::uint32_t width, std::uint32_t height) {
  constexpr std::size_t kHeaderType = 12, kHeaderData = 16, kHeaderCrc = 29;
  PutBigEndian32(bytes, kHeaderData, width);
  PutBigEndian32(bytes, kHeaderData + 4, height);
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(&bytes[kHeaderType]), kHeaderCrc - kHeaderType);
  PutBigEndian32(bytes, kHeaderCrc, static_cast<std::uint32_t>(crc));
  return bytes;
}

TEST(PngDecoder, RefusesWhatIsNotAWholePng) {
  const std::vector<std::byte> valid = EncodeRgbaPng(Pattern(26, 16));
  ASSERT_GT(valid.size(), 100u);
  std::vector<std::byte> broken_57(valid.begin(), valid.begin() + 57);
  std::vector<std::byte> short_56(valid.begin(), valid.begin() + 56);
  std::vector<std::byte> truncated(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(valid.size() / 2));
  std::vector<std::byte> wrong_signature = valid;
  wrong_signature[1] = std::byte{'Q'};
  std::vector<std::byte> bad_crc = valid;
  bad_crc[40] ^= std::byte{0x01};  // inside the image data

  struct Case {
    const char* what;
    std::vector<std::byte> data;
    const char* reason;
  };
  const Case cases[] = {
      {"nothing", {}, "too short"},
      {"56 bytes of a PNG", short_56, "too short"},
      {"57 bytes with the signature, broken after", broken_57, "refused"},
      {"wrong signature", wrong_signature, "signature"},
      {"truncated in its image data", truncated, "refused"},
      {"image data that fail their CRC", bad_crc, "refused"},
      {"not a PNG", Bytes(std::string(200, 'x')), "signature"},
      {"a signature and then text", Bytes("\x89PNG\r\n\x1A\n" + std::string(100, 'x')), "refused"},
  };
  for (const Case& c : cases) {
    auto result = DecodePng(c.data);
    ASSERT_FALSE(result.has_value()) << c.what;
    EXPECT_THAT(result.error(), HasSubstr(c.reason)) << c.what;
  }
  auto accepted = DecodePng(valid);
  ASSERT_TRUE(accepted.has_value()) << accepted.error();
  EXPECT_EQ(*accepted, Pattern(26, 16));
}

TEST(PngDecoder, EightBitRgbaComesOutUnchangedWhateverGammaTheFileDeclares) {
  const Bitmap pattern = Pattern(16, 16);
  PngRecipe linear{.width = 16, .height = 16};
  linear.rows.resize(16);
  for (int y = 0; y < 16; ++y) {
    for (Rgba p : pattern.Row(y)) linear.rows[y].insert(linear.rows[y].end(), {p.r, p.g, p.b, p.a});
  }
  for (std::optional<double> gamma : {std::optional<double>{}, std::optional(1.0), std::optional(0.45455)}) {
    linear.gamma = gamma;
    auto decoded = DecodePng(EncodePng(linear));
    ASSERT_TRUE(decoded.has_value()) << decoded.error();
    EXPECT_EQ(*decoded, pattern) << "gamma " << gamma.value_or(0);
  }
}

std::uint8_t Scaled16(std::uint16_t sample) { return static_cast<std::uint8_t>(std::lround(sample / 257.0)); }

TEST(PngDecoder, ExpandsEveryKindOfPngToRgba) {
  // Samples chosen away from the halfway points of 16-to-8-bit rounding.
  constexpr std::uint16_t k16[] = {0x0000, 0x1234, 0xABCD, 0x00FF, 0xFFFF, 0x4000};
  auto rgb16_row = [&] {
    std::vector<std::uint8_t> row;
    for (std::uint16_t s : k16) row.insert(row.end(), {static_cast<std::uint8_t>(s >> 8), static_cast<std::uint8_t>(s)});
    return row;
  }();
  const Rgba rgb16_expected[] = {{Scaled16(k16[0]), Scaled16(k16[1]), Scaled16(k16[2]), 255},
                                 {Scaled16(k16[3]), Scaled16(k16[4]), Scaled16(k16[5]), 255}};

  PngRecipe interlaced{.width = 9, .height = 9, .interlaced = true};
  const Bitmap interlaced_pixels = Pattern(9, 9);
  for (int y = 0; y < 9; ++y) {
    std::vector<std::uint8_t>& row = interlaced.rows.emplace_back();
    for (Rgba p : interlaced_pixels.Row(y)) row.insert(row.end(), {p.r, p.g, p.b, p.a});
  }

  struct Case {
    const char* what;
    PngRecipe recipe;
    std::vector<Rgba> expected;  // row by row
  };
  const Rgba kBlack{0, 0, 0, 255}, kWhite{255, 255, 255, 255};
  std::vector<Case> cases = {
      {"gray, 1 bit",
       {.width = 3, .height = 2, .bit_depth = 1, .color_type = kGray, .rows = {{0b10100000}, {0b01000000}}},
       {kWhite, kBlack, kWhite, kBlack, kWhite, kBlack}},
      {"gray, 4 bits",
       {.width = 2, .height = 1, .bit_depth = 4, .color_type = kGray, .rows = {{0x5F}}},
       {{0x55, 0x55, 0x55, 255}, kWhite}},
      {"palette of 2 bits with transparency for two entries",
       {.width = 4, .height = 1, .bit_depth = 2, .color_type = kPalette, .rows = {{0b00011011}},
        .palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}}, .palette_alpha = {0, 128}},
       {{10, 20, 30, 0}, {40, 50, 60, 128}, {70, 80, 90, 255}, {100, 110, 120, 255}}},
      {"RGB, 16 bits", {.width = 2, .height = 1, .bit_depth = 16, .color_type = kRgb, .rows = {rgb16_row}},
       {rgb16_expected[0], rgb16_expected[1]}},
      {"RGB, 16 bits, gamma 1.0 declared",
       {.width = 2, .height = 1, .bit_depth = 16, .color_type = kRgb, .rows = {rgb16_row}, .gamma = 1.0},
       {rgb16_expected[0], rgb16_expected[1]}},
      {"gray with alpha, 8 bits",
       {.width = 2, .height = 1, .bit_depth = 8, .color_type = kGrayAlpha, .rows = {{200, 50, 7, 255}}},
       {{200, 200, 200, 50}, {7, 7, 7, 255}}},
      {"RGBA, 8 bits, interlaced", interlaced,
       {interlaced_pixels.Pixels().begin(), interlaced_pixels.Pixels().end()}},
  };
  for (const Case& c : cases) {
    auto decoded = DecodePng(EncodePng(c.recipe));
    ASSERT_TRUE(decoded.has_value()) << c.what << ": " << decoded.error();
    ASSERT_EQ(decoded->GetSize(), (Size{c.recipe.width, c.recipe.height})) << c.what;
    for (int y = 0; y < c.recipe.height; ++y) {
      for (int x = 0; x < c.recipe.width; ++x) {
        Rgba want = c.expected[static_cast<std::size_t>(y * c.recipe.width + x)], got = decoded->At(x, y);
        EXPECT_EQ(got, want) << c.what << " at " << x << "," << y << ": got " << +got.r << " " << +got.g << " "
                             << +got.b << " " << +got.a;
      }
    }
  }
}

TEST(PngDecoder, RefusesAbsurdSizesBeforeDecoding) {
  PngRecipe widest{.width = kMaxPictureSide, .height = 1, .bit_depth = 1, .color_type = kGray};
  widest.rows = {std::vector<std::uint8_t>(kMaxPictureSide / 8, 0xFF)};
  auto accepted = DecodePng(EncodePng(widest));
  ASSERT_TRUE(accepted.has_value()) << accepted.error();
  EXPECT_EQ(accepted->At(kMaxPictureSide - 1, 0), (Rgba{255, 255, 255, 255}));

  PngRecipe too_wide = widest;
  too_wide.width = kMaxPictureSide + 1;
  too_wide.rows = {std::vector<std::uint8_t>(kMaxPictureSide / 8 + 1, 0xFF)};
  auto refused = DecodePng(EncodePng(too_wide));
  ASSERT_FALSE(refused.has_value());
  EXPECT_THAT(refused.error(), HasSubstr("too large"));

  // Within the side limit, beyond the pixel count; the header alone decides.
  const auto side = static_cast<std::uint32_t>(std::sqrt(static_cast<double>(kMaxPicturePixels))) + 1;
  PngRecipe tiny{.width = 1, .height = 1, .bit_depth = 1, .color_type = kGray, .rows = {{0}}};
  auto huge = DecodePng(WithHeaderSize(EncodePng(tiny), side, side));
  ASSERT_FALSE(huge.has_value());
  EXPECT_THAT(huge.error(), HasSubstr("too large"));
}

}  // namespace
}  // namespace runtime
