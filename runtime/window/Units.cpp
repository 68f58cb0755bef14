// Conversion between a window's units and pixels.
#include "runtime/window/Units.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace runtime {
namespace {

// Divides with rounding to the nearest, halves away from zero.
std::int64_t DivideRounded(std::int64_t numerator, std::int64_t denominator) {
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  std::int64_t half = denominator / 2;
  return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

int ClampToInt(std::int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

// Values beyond this many units are nonsense for a window; clamping keeps the products in range.
constexpr std::int64_t kMaxUnits = std::int64_t{1} << 31;
constexpr int kMaxDecimals = 6;
constexpr std::size_t kMaxNumberText = 48;  // room for a sign, two 64-bit numbers and a point

}  // namespace

Units::Units(UnitKind kind, FontMeasure font, int dpi) {
  switch (kind) {
    case UnitKind::DialogUnits: mx_ = 2 * font.average_width; my_ = font.height; d_ = 8; break;
    case UnitKind::Millimetres: mx_ = 10 * dpi; my_ = 10 * dpi; d_ = 254; break;
    case UnitKind::Thousandths: mx_ = dpi; my_ = dpi; d_ = 1000; break;
    case UnitKind::Pixels: mx_ = 1; my_ = 1; d_ = 1; break;
  }
  if (mx_ <= 0) mx_ = 1;
  if (my_ <= 0) my_ = 1;
}

int Units::Convert(std::int64_t value, std::int64_t m, std::int64_t d) {
  if (value > kMaxUnits) value = kMaxUnits;
  if (value < -kMaxUnits) value = -kMaxUnits;
  return ClampToInt(DivideRounded(value * m, d));
}

std::optional<int> Units::TextToPixels(std::string_view text, std::int64_t m) const {
  // Parse "[-]digits[.digits]" exactly, as a fraction whole/scale.
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::size_t dot = text.find('.');
  std::string_view whole_part = text.substr(0, dot);
  std::string_view fraction_part = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
  if (whole_part.empty() || fraction_part.size() > kMaxDecimals) return std::nullopt;
  std::int64_t whole = 0;
  auto [end, error] = std::from_chars(whole_part.data(), whole_part.data() + whole_part.size(), whole);
  if (error != std::errc{} || end != whole_part.data() + whole_part.size() || whole > kMaxUnits) return std::nullopt;
  std::int64_t scale = 1;
  std::int64_t fraction = 0;
  for (char c : fraction_part) {
    if (c < '0' || c > '9') return std::nullopt;
    fraction = fraction * 10 + (c - '0');
    scale *= 10;
  }
  std::int64_t numerator = (whole * scale + fraction) * (negative ? -1 : 1);
  return ClampToInt(DivideRounded(numerator * m, d_ * scale));
}

std::string Units::PixelsToText(int pixels, std::int64_t m) const {
  std::int64_t whole = DivideRounded(std::int64_t{pixels} * d_, m);
  if (Convert(whole, m, d_) == pixels) return std::to_string(whole);
  // No whole value maps onto these pixels: give the exact quotient to as many
  // decimals as it takes to map back.
  std::int64_t scale = 1;
  for (int decimals = 1; decimals <= kMaxDecimals; ++decimals) {
    scale *= 10;
    std::int64_t scaled = DivideRounded(std::int64_t{pixels} * d_ * scale, m);
    char text[kMaxNumberText];
    std::snprintf(text, sizeof text, "%s%lld.%0*lld", scaled < 0 ? "-" : "",
                  static_cast<long long>(std::abs(scaled) / scale), decimals,
                  static_cast<long long>(std::abs(scaled) % scale));
    if (TextToPixels(text, m) == pixels) return text;
  }
  return std::to_string(whole);
}

}  // namespace runtime
