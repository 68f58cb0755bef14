// A font opened by face name at a point size and DPI: metrics and glyphs of 8-bit text.
#include "runtime/paint/Font.h"

#include <cassert>
#include <cmath>
#include <map>
#include <tuple>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "runtime/paint/FontLibrary.h"
#include "runtime/paint/Windows1252.h"

namespace runtime {
namespace {

constexpr int kPointsPerInch = 72;
constexpr int kMaxPoints = 1000;
constexpr int kMaxDpi = 2000;
constexpr int kMinWeight = 1;
constexpr int kMaxWeight = 1000;
constexpr int kSubpixels = 64;  // FreeType's 26.6 fixed point

// value * pixels / units, rounded up (value >= 0).
int ScaleUp(long value, int pixels, int units) {
  if (value <= 0) return 0;
  return static_cast<int>((value * pixels + units - 1) / units);
}
int ScaleNearest(long value, int pixels, int units) {
  return static_cast<int>(std::lround(static_cast<double>(value) * pixels / units));
}
int CeilSubpixels(long value) { return static_cast<int>((value + kSubpixels - 1) / kSubpixels); }

using FontKey = std::tuple<std::string, int, int, bool, bool, bool, int>;

FontKey KeyOf(const FontRequest& request, int dpi) {
  return {request.face, request.points, request.weight, request.italic, request.underline, request.strikeout, dpi};
}

// The fonts opened so far. Made after the font library, so destroyed before
// it at exit.
std::map<FontKey, std::shared_ptr<const Font>>& OpenFonts() {
  static std::map<FontKey, std::shared_ptr<const Font>> fonts;
  return fonts;
}

}  // namespace

int PointsToPixels(int points, int dpi) {
  return (points * dpi + kPointsPerInch / 2) / kPointsPerInch;
}

std::expected<std::shared_ptr<const Font>, std::string> Font::Open(const FontRequest& request, int dpi) {
  if (request.points <= 0 || request.points > kMaxPoints) {
    return std::unexpected("font size out of range: " + std::to_string(request.points) + " points");
  }
  if (dpi <= 0 || dpi > kMaxDpi) return std::unexpected("DPI out of range: " + std::to_string(dpi));
  if (request.weight < kMinWeight || request.weight > kMaxWeight) {
    return std::unexpected("font weight out of range: " + std::to_string(request.weight));
  }
  auto library = FontLibrary::Instance();
  if (!library) return std::unexpected(library.error());
  auto& fonts = OpenFonts();
  FontKey key = KeyOf(request, dpi);
  if (auto found = fonts.find(key); found != fonts.end()) return found->second;

  auto match = (*library)->Match(request.face, request.weight, request.italic);
  if (!match) return std::unexpected(match.error());
  FT_Face face = nullptr;
  if (FT_New_Face((*library)->FreeType(), match->file.c_str(), match->index, &face) != 0) {
    return std::unexpected("cannot open the font file " + match->file);
  }
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(PointsToPixels(request.points, dpi))) != 0) {
    FT_Done_Face(face);
    return std::unexpected("the font " + match->file + " has no size of " +
                           std::to_string(request.points) + " points");
  }
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  std::shared_ptr<const Font> font(new Font(*library, face, request, dpi, match->family,
                                            {match->embolden, match->oblique}));
  fonts.emplace(std::move(key), font);
  return font;
}

Font::Font(std::shared_ptr<FontLibrary> library, FT_FaceRec_* face, FontRequest request, int dpi,
           std::string family, Synthesis synthesis)
    : library_(std::move(library)),
      face_(face),
      request_(std::move(request)),
      dpi_(dpi),
      pixel_size_(PointsToPixels(request_.points, dpi)),
      family_(std::move(family)),
      synthesis_(synthesis) {
  ComputeMetrics();
}

Font::~Font() { FT_Done_Face(face_); }

void Font::ComputeMetrics() {
  if (!FT_IS_SCALABLE(face_)) {
    ascent_ = CeilSubpixels(face_->size->metrics.ascender);
    descent_ = CeilSubpixels(-face_->size->metrics.descender);
    underline_ = {1, 1};
    strikeout_ = {-ascent_ / 3, 1};
    return;
  }
  // The OS/2 table's Windows ascent and descent bound every glyph; fonts
  // without one give the horizontal header's.
  const int units = face_->units_per_EM;
  long ascender = face_->ascender;
  long descender = -face_->descender;
  auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    ascender = os2->usWinAscent;
    descender = os2->usWinDescent;
  }
  ascent_ = ScaleUp(ascender, pixel_size_, units);
  descent_ = ScaleUp(descender, pixel_size_, units);

  const int thickness = std::max(1, ScaleNearest(face_->underline_thickness, pixel_size_, units));
  // The underline position is the stroke's centre, negative below the baseline.
  underline_ = {std::max(1, ScaleNearest(-face_->underline_position, pixel_size_, units) - thickness / 2),
                thickness};
  if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    const int size = std::max(1, ScaleNearest(os2->yStrikeoutSize, pixel_size_, units));
    // yStrikeoutPosition is the top of the stroke above the baseline.
    strikeout_ = {-ScaleNearest(os2->yStrikeoutPosition, pixel_size_, units), size};
  } else {
    strikeout_ = {-std::max(1, ascent_ / 3), thickness};
  }
}

int Font::TextWidth(std::string_view text) const {
  int width = 0;
  for (char c : text) width += GlyphFor(static_cast<unsigned char>(c)).advance;
  return width;
}

const Glyph& Font::GlyphFor(unsigned char byte) const {
  std::optional<Glyph>& slot = glyphs_[byte];
  if (slot) return *slot;
  slot.emplace();
  Glyph& glyph = *slot;
  if (FT_Load_Char(face_, Windows1252ToUnicode(byte), FT_LOAD_DEFAULT) != 0) return glyph;
  FT_GlyphSlot loaded = face_->glyph;
  if (synthesis_.oblique) FT_GlyphSlot_Oblique(loaded);
  if (synthesis_.embolden) FT_GlyphSlot_Embolden(loaded);
  glyph.advance = static_cast<int>((loaded->advance.x + kSubpixels / 2) / kSubpixels);
  if (FT_Render_Glyph(loaded, FT_RENDER_MODE_NORMAL) != 0) return glyph;
  const FT_Bitmap& bitmap = loaded->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.buffer == nullptr) return glyph;
  glyph.left = loaded->bitmap_left;
  glyph.top = loaded->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
  // FreeType renders outlines top-down; the pitch may pad each row.
  const std::size_t pitch = static_cast<std::size_t>(bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch);
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<std::size_t>(row) * pitch;
    std::copy(source, source + glyph.width,
              glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width);
  }
  return glyph;
}

}  // namespace runtime
