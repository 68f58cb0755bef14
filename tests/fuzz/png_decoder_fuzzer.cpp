// Feeds arbitrary bytes to the PNG decoder; whatever it accepts must be whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "runtime/picture/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto bytes = std::as_bytes(std::span(data, size));
  auto bitmap = runtime::DecodePng(bytes);
  if (bitmap) {
    const auto pixels = static_cast<std::size_t>(bitmap->Width()) * static_cast<std::size_t>(bitmap->Height());
    if (bitmap->IsEmpty() || bitmap->Pixels().size() != pixels || bitmap->Width() > runtime::kMaxPictureSide ||
        bitmap->Height() > runtime::kMaxPictureSide) {
      std::abort();
    }
  }
  return 0;
}
