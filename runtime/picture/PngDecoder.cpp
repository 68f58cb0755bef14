// PNG decoding through libpng's simplified read API, which reports errors
// through the image structure instead of longjmp.
#include "runtime/picture/PngDecoder.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace runtime {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kChunkFrame = 12;  // length, type and CRC around the chunk data
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;

// The chunks that describe a colour space. The simplified API converts
// samples from the file's gamma to sRGB when a file declares one, and assumes
// 16-bit data to be linear; the pictures are to be shown as stored, so these
// chunks are dropped before decoding and 16-bit data are taken as sRGB.
constexpr std::array<std::string_view, 4> kColorSpaceChunks = {"gAMA", "cHRM", "sRGB", "iCCP"};

bool HasSignature(std::span<const std::byte> data) {
  return data.size() >= kPngSignature.size() &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), data.begin(),
                    [](std::uint8_t a, std::byte b) { return a == std::to_integer<std::uint8_t>(b); });
}

std::uint32_t ReadBigEndian32(std::span<const std::byte> bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | std::to_integer<std::uint32_t>(bytes[i]);
  return value;
}

bool IsColorSpaceChunk(std::span<const std::byte> type) {
  return std::ranges::any_of(kColorSpaceChunks, [type](std::string_view name) {
    return std::equal(name.begin(), name.end(), type.begin(),
                      [](char a, std::byte b) { return static_cast<std::byte>(a) == b; });
  });
}

// A copy of the file without its colour-space chunks; every other byte is
// kept as it is, so libpng still checks the rest. Where the chunk structure
// breaks, the remainder is copied unchanged for libpng to refuse.
std::vector<std::byte> WithoutColorSpaceChunks(std::span<const std::byte> data) {
  std::vector<std::byte> result(data.begin(), data.begin() + kPngSignature.size());
  result.reserve(data.size());
  std::size_t offset = kPngSignature.size();
  while (data.size() - offset >= kChunkFrame) {
    std::uint32_t length = ReadBigEndian32(data.subspan(offset, 4));
    if (length > kMaxChunkLength || length > data.size() - offset - kChunkFrame) break;
    std::span<const std::byte> chunk = data.subspan(offset, kChunkFrame + length);
    if (!IsColorSpaceChunk(chunk.subspan(4, 4))) result.insert(result.end(), chunk.begin(), chunk.end());
    offset += chunk.size();
  }
  result.insert(result.end(), data.begin() + static_cast<std::ptrdiff_t>(offset), data.end());
  return result;
}

// Frees libpng's reading state on every way out.
class ImageGuard {
 public:
  explicit ImageGuard(png_image& image) : image_(image) {}
  ~ImageGuard() { png_image_free(&image_); }
  ImageGuard(const ImageGuard&) = delete;
  ImageGuard& operator=(const ImageGuard&) = delete;

 private:
  png_image& image_;
};

}  // namespace

std::expected<Bitmap, std::string> DecodePng(std::span<const std::byte> data) {
  if (data.size() <= kMaxRefusedPngBytes) return std::unexpected("too short for a PNG");
  if (!HasSignature(data)) return std::unexpected("no PNG signature");

  std::vector<std::byte> stripped = WithoutColorSpaceChunks(data);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ImageGuard guard(image);
  if (!png_image_begin_read_from_memory(&image, stripped.data(), stripped.size())) {
    return std::unexpected(std::string("PNG header refused: ") + image.message);
  }
  if (image.width > static_cast<png_uint_32>(kMaxPictureSide) ||
      image.height > static_cast<png_uint_32>(kMaxPictureSide) ||
      static_cast<long long>(image.width) * image.height > kMaxPicturePixels) {
    return std::unexpected("PNG too large: " + std::to_string(image.width) + " x " +
                           std::to_string(image.height));
  }
  image.format = PNG_FORMAT_RGBA;
  image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;

  static_assert(sizeof(Rgba) == 4 && alignof(Rgba) == 1, "Rgba must be four packed bytes");
  Bitmap bitmap(static_cast<int>(image.width), static_cast<int>(image.height));
  auto* pixels = reinterpret_cast<png_bytep>(bitmap.Pixels().data());
  if (!png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) {
    return std::unexpected(std::string("PNG data refused: ") + image.message);
  }
  return bitmap;
}

}  // namespace runtime
