// Decoding a PNG file to 8-bit RGBA pixels.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string>

#include "runtime/paint/Bitmap.h"

namespace runtime {

// Data of this size or less are refused without a look: no PNG with a header,
// image data and an end fits in them.
inline constexpr std::size_t kMaxRefusedPngBytes = 56;
// Pictures beyond these are refused before any pixel memory is allocated.
inline constexpr int kMaxPictureSide = 8192;
inline constexpr long long kMaxPicturePixels = 4096LL * 4096LL;

// Decodes a whole PNG file of any colour type, bit depth and interlace to
// 8-bit red, green, blue and straight alpha. The samples come out as stored:
// no gamma or colour-profile correction is applied. The error says why the
// data were refused.
std::expected<Bitmap, std::string> DecodePng(std::span<const std::byte> data);

}  // namespace runtime
