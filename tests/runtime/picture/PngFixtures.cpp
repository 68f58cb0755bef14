// Writing test PNGs. libpng's error handler must not return; a test fixture
// that libpng refuses is a broken test, so it aborts rather than longjmp.
#include "tests/runtime/picture/PngFixtures.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

namespace runtime::testing {
namespace {

[[noreturn]] void AbortOnPngError(png_structp, png_const_charp message) {
  std::fprintf(stderr, "libpng refused a test fixture: %s\n", message);
  std::abort();
}

void IgnoreWarning(png_structp, png_const_charp) {}

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<std::byte>*>(png_get_io_ptr(png));
  const auto* bytes = reinterpret_cast<const std::byte*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

void Flush(png_structp) {}

}  // namespace

std::vector<std::byte> EncodePng(const PngRecipe& recipe) {
  std::vector<std::byte> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, AbortOnPngError, IgnoreWarning);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(recipe.width), static_cast<png_uint_32>(recipe.height),
               recipe.bit_depth, recipe.color_type,
               recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!recipe.palette.empty()) {
    std::vector<png_color> colors;
    for (PngPaletteEntry entry : recipe.palette) colors.push_back({entry.r, entry.g, entry.b});
    png_set_PLTE(png, info, colors.data(), static_cast<int>(colors.size()));
  }
  if (!recipe.palette_alpha.empty()) {
    png_set_tRNS(png, info, recipe.palette_alpha.data(), static_cast<int>(recipe.palette_alpha.size()), nullptr);
  }
  if (recipe.gamma) png_set_gAMA(png, info, *recipe.gamma);
  std::vector<png_bytep> rows;
  for (const std::vector<std::uint8_t>& row : recipe.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<std::byte> EncodeRgbaPng(const Bitmap& bitmap) {
  PngRecipe recipe{.width = bitmap.Width(), .height = bitmap.Height()};
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::vector<std::uint8_t>& row = recipe.rows.emplace_back();
    for (Rgba pixel : bitmap.Row(y)) row.insert(row.end(), {pixel.r, pixel.g, pixel.b, pixel.a});
  }
  return EncodePng(recipe);
}

}  // namespace runtime::testing
