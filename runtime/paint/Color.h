// A colour with straight (not premultiplied) alpha.
#pragma once

#include <cstdint>

namespace runtime {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  friend constexpr bool operator==(Rgba, Rgba) = default;
};

// The look of a plain dialog.
inline constexpr Rgba kWindowFace{0xF0, 0xF0, 0xF0, 0xFF};
inline constexpr Rgba kWindowText{0x00, 0x00, 0x00, 0xFF};
inline constexpr Rgba kWhite{0xFF, 0xFF, 0xFF, 0xFF};

}  // namespace runtime
