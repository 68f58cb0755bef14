// Source-over compositing of straight-alpha colours, with the exact integer rounding.
#pragma once

#include <cstdint>

#include "runtime/paint/Color.h"

namespace runtime {

// `src` composited over `dst`, both with straight (not premultiplied) alpha.
//
// Over an opaque destination each channel is
//   out = (s * sa + d * (255 - sa) + 127) / 255      (integer division), out.a = 255,
// which rounds the exact value to the nearest integer. In general, with
//   A = sa * 255 + da * (255 - sa)                     (the result's alpha times 255),
//   out.a = (A + 127) / 255,
//   out   = (s * sa * 255 + d * da * (255 - sa) + A / 2) / A,
// and a fully transparent result is {0, 0, 0, 0}. A transparent source leaves
// `dst` as it is; an opaque one replaces it.
constexpr Rgba BlendOver(Rgba dst, Rgba src) {
  const std::uint32_t sa = src.a;
  if (sa == 255) return src;
  if (sa == 0) return dst;
  const std::uint32_t inverse = 255 - sa;
  if (dst.a == 255) {
    auto channel = [&](std::uint8_t s, std::uint8_t d) {
      return static_cast<std::uint8_t>((s * sa + d * inverse + 127) / 255);
    };
    return {channel(src.r, dst.r), channel(src.g, dst.g), channel(src.b, dst.b), 255};
  }
  const std::uint32_t da = dst.a;
  const std::uint32_t alpha_255 = sa * 255 + da * inverse;  // > 0 since sa > 0
  auto channel = [&](std::uint8_t s, std::uint8_t d) {
    return static_cast<std::uint8_t>((s * sa * 255 + d * da * inverse + alpha_255 / 2) / alpha_255);
  };
  return {channel(src.r, dst.r), channel(src.g, dst.g), channel(src.b, dst.b),
          static_cast<std::uint8_t>((alpha_255 + 127) / 255)};
}

// `color` with its alpha scaled by a coverage of 0..255 (rounded to nearest),
// as a glyph's antialiased edge paints it.
constexpr Rgba WithCoverage(Rgba color, std::uint8_t coverage) {
  color.a = static_cast<std::uint8_t>((static_cast<std::uint32_t>(color.a) * coverage + 127) / 255);
  return color;
}

}  // namespace runtime
