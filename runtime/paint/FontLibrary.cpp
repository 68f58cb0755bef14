// The process's FreeType and fontconfig state, its face matches and its open fonts.
#include "runtime/paint/FontLibrary.h"

#include <fontconfig/fontconfig.h>

namespace runtime {

std::expected<std::shared_ptr<FontLibrary>, std::string> FontLibrary::Instance() {
  // The first caller starts both libraries; the static releases them at exit,
  // or later if a font outlives it (each font holds the library).
  static std::expected<std::shared_ptr<FontLibrary>, std::string> instance =
      []() -> std::expected<std::shared_ptr<FontLibrary>, std::string> {
    FT_Library freetype = nullptr;
    if (FT_Init_FreeType(&freetype) != 0) return std::unexpected("cannot start FreeType");
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
      FT_Done_FreeType(freetype);
      return std::unexpected("cannot load the fontconfig configuration");
    }
    return std::shared_ptr<FontLibrary>(new FontLibrary(freetype, config));
  }();
  return instance;
}

FontLibrary::~FontLibrary() {
  FT_Done_FreeType(freetype_);
  FcConfigDestroy(config_);
  FcFini();
}

std::expected<FaceMatch, std::string> FontLibrary::Match(const std::string& face, int weight,
                                                         bool italic) {
  auto key = std::make_tuple(face, weight, italic);
  if (auto found = matches_.find(key); found != matches_.end()) return found->second;

  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config_, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* matched = FcFontMatch(config_, pattern, &result);
  FcPatternDestroy(pattern);
  if (matched == nullptr) return std::unexpected("no font matches \"" + face + "\"");

  FaceMatch match;
  FcChar8* file = nullptr;
  if (FcPatternGetString(matched, FC_FILE, 0, &file) != FcResultMatch) {
    FcPatternDestroy(matched);
    return std::unexpected("the font found for \"" + face + "\" has no file");
  }
  match.file = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(matched, FC_INDEX, 0, &match.index);
  FcChar8* family = nullptr;
  if (FcPatternGetString(matched, FC_FAMILY, 0, &family) == FcResultMatch) {
    match.family = reinterpret_cast<const char*>(family);
  }
  FcBool embolden = FcFalse;
  if (FcPatternGetBool(matched, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
    match.embolden = embolden == FcTrue;
  }
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(matched, FC_SLANT, 0, &slant);
  match.oblique = italic && slant == FC_SLANT_ROMAN;
  FcPatternDestroy(matched);

  matches_.emplace(std::move(key), match);
  return match;
}

}  // namespace runtime
