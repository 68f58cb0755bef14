// The process's FreeType and fontconfig state, its face matches and its open fonts.
#pragma once

#include <expected>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include "runtime/paint/Font.h"

namespace runtime {

// What fontconfig found for a face name, weight and slant.
struct FaceMatch {
  std::string file;
  int index = 0;
  std::string family;
  bool embolden = false;  // the file has no weight that heavy
  bool oblique = false;   // the file has no italic
};

// Started on first use, once per process; shut down at exit after the last
// font is gone, so that nothing of FreeType or fontconfig stays allocated.
class FontLibrary {
 public:
  static std::expected<std::shared_ptr<FontLibrary>, std::string> Instance();

  ~FontLibrary();
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  FT_Library FreeType() const { return freetype_; }
  // One fontconfig match per face name, weight and slant; later calls reuse it.
  std::expected<FaceMatch, std::string> Match(const std::string& face, int weight, bool italic);

 private:
  FontLibrary(FT_Library freetype, FcConfig* config) : freetype_(freetype), config_(config) {}

  FT_Library freetype_;
  FcConfig* config_;
  std::map<std::tuple<std::string, int, bool>, FaceMatch> matches_;
};

}  // namespace runtime
