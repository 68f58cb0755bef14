// Conversion between a window's units and pixels.
//
// A horizontal value v is v * mx / d pixels and a vertical one v * my / d,
// rounded to the nearest whole pixel (halves away from zero). Reading a
// position or size back gives a value that converts to exactly the same
// pixels: a whole number where one exists, else a decimal fraction, so a
// control whose properties are copied from another lies exactly over it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

enum class UnitKind { DialogUnits, Millimetres, Thousandths, Pixels };

struct FontMeasure {
  int average_width = 0;  // (width of the 52 letters / 26 + 1) / 2
  int height = 0;         // the text-metric height
};

class Units {
 public:
  Units() = default;  // pixels
  Units(UnitKind kind, FontMeasure font, int dpi);

  int ToPixelsX(std::int64_t value) const { return Convert(value, mx_, d_); }
  int ToPixelsY(std::int64_t value) const { return Convert(value, my_, d_); }
  // A value in these units read from text (whole or decimal); nullopt when not a number.
  std::optional<int> TextToPixelsX(std::string_view text) const { return TextToPixels(text, mx_); }
  std::optional<int> TextToPixelsY(std::string_view text) const { return TextToPixels(text, my_); }
  std::string PixelsToTextX(int pixels) const { return PixelsToText(pixels, mx_); }
  std::string PixelsToTextY(int pixels) const { return PixelsToText(pixels, my_); }

 private:
  static int Convert(std::int64_t value, std::int64_t m, std::int64_t d);
  std::optional<int> TextToPixels(std::string_view text, std::int64_t m) const;
  std::string PixelsToText(int pixels, std::int64_t m) const;

  std::int64_t mx_ = 1;
  std::int64_t my_ = 1;
  std::int64_t d_ = 1;
};

}  // namespace runtime
