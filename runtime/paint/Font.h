// A font opened by face name at a point size and DPI: metrics and glyphs of 8-bit text.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FT_FaceRec_;

namespace runtime {

class FontLibrary;

struct FontRequest {
  std::string face;
  int points = 10;
  int weight = 400;  // 100 (thin) .. 900 (black); 400 regular, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

// round(points * dpi / 72): the em size in pixels.
int PointsToPixels(int points, int dpi);

// One rendered character: its grayscale coverage and where it sits.
struct Glyph {
  int advance = 0;  // whole pixels
  int left = 0;     // from the pen position to the coverage's left column
  int top = 0;      // from the baseline up to the coverage's top row
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width * height, row by row, 0 transparent .. 255 full
};

// A horizontal stroke (underline or strikeout) relative to the baseline.
struct Stroke {
  int offset = 0;     // rows from the baseline down to the stroke's top row (negative: above)
  int thickness = 1;
};

// Texts are Windows-1252; each byte is one character. Glyphs are rendered
// once, when first measured or drawn, and kept for the font's life. Fonts
// with equal FontRequests and DPI are shared.
class Font {
 public:
  static std::expected<std::shared_ptr<const Font>, std::string> Open(const FontRequest& request, int dpi);

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const FontRequest& Request() const { return request_; }
  int Dpi() const { return dpi_; }
  int PixelSize() const { return pixel_size_; }
  // The family that fontconfig chose for the FontRequest's face name.
  const std::string& Family() const { return family_; }

  int Height() const { return ascent_ + descent_; }  // whole pixels, each part rounded up
  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  int TextWidth(std::string_view text) const;  // the sum of the advances

  const Glyph& GlyphFor(unsigned char byte) const;
  Stroke Underline() const { return underline_; }
  Stroke Strikeout() const { return strikeout_; }

 private:
  struct Synthesis {
    bool embolden = false;
    bool oblique = false;
  };
  Font(std::shared_ptr<FontLibrary> library, FT_FaceRec_* face, FontRequest request, int dpi,
       std::string family, Synthesis synthesis);
  void ComputeMetrics();

  std::shared_ptr<FontLibrary> library_;  // outlives the face
  FT_FaceRec_* face_;
  FontRequest request_;
  int dpi_;
  int pixel_size_;
  std::string family_;
  Synthesis synthesis_;
  int ascent_ = 0;
  int descent_ = 0;
  Stroke underline_;
  Stroke strikeout_;
  mutable std::array<std::optional<Glyph>, 256> glyphs_;

  friend class FontLibrary;
};

}  // namespace runtime
