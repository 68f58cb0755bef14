// Small PNG files made for the tests with libpng's full write API.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/paint/Bitmap.h"

namespace runtime::testing {

struct PngPaletteEntry {
  std::uint8_t r, g, b;
};

// What to write: the header fields, the rows as packed samples exactly as
// the file stores them (big-endian for 16-bit), and optional chunks.
struct PngRecipe {
  int width = 1;
  int height = 1;
  int bit_depth = 8;
  int color_type = 6;  // PNG_COLOR_TYPE_RGBA
  bool interlaced = false;
  std::vector<std::vector<std::uint8_t>> rows = {};
  std::vector<PngPaletteEntry> palette = {};
  std::vector<std::uint8_t> palette_alpha = {};  // tRNS for a palette
  std::optional<double> gamma = {};            // gAMA
};

std::vector<std::byte> EncodePng(const PngRecipe& recipe);

// An 8-bit RGBA file of the bitmap's pixels.
std::vector<std::byte> EncodeRgbaPng(const Bitmap& bitmap);

}  // namespace runtime::testing
