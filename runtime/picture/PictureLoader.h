// Resolving an image name to a picture among the modules' resources or files.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "runtime/module/ModuleList.h"
#include "runtime/paint/Bitmap.h"

namespace runtime {

// Longer image names find nothing: their resource name would not fit the
// 260-character buffer that names are formed in.
inline constexpr std::size_t kMaxPictureName = 259;
// A file larger than this is not read as a picture.
inline constexpr std::size_t kMaxPictureFileBytes = 16 * 1024 * 1024;
// The resource type that pictures are stored under.
inline constexpr std::string_view kPictureResourceType = "IMAGE";

// The picture that `name` names, decoded, or nothing.
//
// A leading "~" asks for resources before files. The resource name is the
// name without "~", each "." made "_" and upper-cased ("~Slider-On.png" is
// SLIDER-ON_PNG, type IMAGE). Resources are looked up in `window_module`
// when it is given and is not the executable (the first of `modules`), then
// among the executable's resources in the modules' search order; the file of
// the same name, relative to the working directory, is tried after each
// look-up that yields no picture. Without "~" the file comes first, then the
// same look-ups. The extension, compared without case, picks the decoder;
// only ".png" has one. Data that a decoder refuses count as not found. A name
// that finds nothing is no error: the result is empty and nothing is reported.
std::optional<Bitmap> LoadPicture(std::string_view name, const ModuleList& modules,
                                  const ModuleDescription* window_module = nullptr);

}  // namespace runtime
