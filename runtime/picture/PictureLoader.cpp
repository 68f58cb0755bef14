// The image name rules: decoder by extension, resource name, search order.
#include "runtime/picture/PictureLoader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/module/Ascii.h"
#include "runtime/picture/PngDecoder.h"

namespace runtime {
namespace {

using Decoder = std::expected<Bitmap, std::string> (*)(std::span<const std::byte>);

struct PictureFormat {
  std::string_view extension;
  Decoder decode;
};

constexpr PictureFormat kPictureFormats[] = {{".png", DecodePng}};

// The decoder for the name's extension (the text from its last "."), or null.
Decoder DecoderFor(std::string_view name) {
  std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return nullptr;
  std::string_view extension = name.substr(dot);
  for (const PictureFormat& format : kPictureFormats) {
    if (EqualsIgnoringCase(format.extension, extension)) return format.decode;
  }
  return nullptr;
}

std::string ResourceNameFor(std::string_view name) {
  std::string resource = ToUpperAscii(name);
  std::ranges::replace(resource, '.', '_');
  return resource;
}

bool IsExecutable(const ModuleDescription& module, const ModuleList& modules) {
  if (modules.Modules().empty()) return false;
  const ModuleDescription& executable = modules.Modules().front();
  return &module == &executable ||
         (module.name == executable.name && module.resources.data() == executable.resources.data() &&
          module.resources.size() == executable.resources.size());
}

// The bytes of a regular file of at most kMaxPictureFileBytes, or nothing.
std::optional<std::vector<std::byte>> ReadPictureFile(std::string_view name) {
  // A path cannot hold a NUL; the system would cut the name short there.
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  std::error_code error;
  std::filesystem::path path(name);
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxPictureFileBytes) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<std::byte> bytes(static_cast<std::size_t>(size));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

class PictureSearch {
 public:
  PictureSearch(std::string_view file_name, Decoder decode) : file_name_(file_name), decode_(decode) {}

  std::optional<Bitmap> FromResource(const Resource* resource) const {
    if (resource == nullptr) return std::nullopt;
    return Decode(resource->bytes);
  }

  // The file is read at most once: a second try in the same search would
  // find what the first found.
  std::optional<Bitmap> FromFile() {
    if (file_tried_) return std::nullopt;
    file_tried_ = true;
    std::optional<std::vector<std::byte>> bytes = ReadPictureFile(file_name_);
    if (!bytes) return std::nullopt;
    return Decode(*bytes);
  }

 private:
  std::optional<Bitmap> Decode(std::span<const std::byte> bytes) const {
    std::expected<Bitmap, std::string> bitmap = decode_(bytes);
    if (!bitmap) return std::nullopt;
    return std::move(*bitmap);
  }

  std::string_view file_name_;
  Decoder decode_;
  bool file_tried_ = false;
};

}  // namespace

std::optional<Bitmap> LoadPicture(std::string_view name, const ModuleList& modules,
                                  const ModuleDescription* window_module) {
  if (name.empty() || name.size() > kMaxPictureName) return std::nullopt;
  const bool resources_first = name.front() == '~';
  std::string_view bare = resources_first ? name.substr(1) : name;
  Decoder decode = DecoderFor(bare);
  if (decode == nullptr) return std::nullopt;

  const std::string resource_name = ResourceNameFor(bare);
  PictureSearch search(bare, decode);
  if (!resources_first) {
    if (auto picture = search.FromFile()) return picture;
  }
  if (window_module != nullptr && !IsExecutable(*window_module, modules)) {
    if (auto picture = search.FromResource(FindResource(*window_module, kPictureResourceType, resource_name))) {
      return picture;
    }
    if (auto picture = search.FromFile()) return picture;
  }
  if (auto picture = search.FromResource(modules.Find(kPictureResourceType, resource_name))) return picture;
  return search.FromFile();
}

}  // namespace runtime
