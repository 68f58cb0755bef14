// Writes the four slider pictures as PNG files into the directory given.
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "tools/SliderPictures.h"

namespace {

// The picture as a PNG file: 8-bit RGBA, no ancillary chunks but the sRGB
// mark that libpng's simplified writer adds.
std::optional<std::vector<unsigned char>> EncodePng(const runtime::Bitmap& bitmap) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  image.format = PNG_FORMAT_RGBA;
  const void* pixels = bitmap.Pixels().data();
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr)) return std::nullopt;
  std::vector<unsigned char> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels, 0, nullptr)) return std::nullopt;
  bytes.resize(size);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  for (const tools::SliderPictureFile& picture : tools::kSliderPictureFiles) {
    const std::filesystem::path path = directory / picture.file_name;
    std::optional<std::vector<unsigned char>> bytes =
        EncodePng(tools::DrawSliderPicture(picture.position, picture.look));
    if (!bytes) {
      std::fprintf(stderr, "%s: libpng could not encode the picture\n", path.c_str());
      return 1;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    if (!file.flush()) {
      std::fprintf(stderr, "%s: cannot write\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
