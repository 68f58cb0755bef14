// Drawing the slider switch's four pictures: off and on, normal and disabled.
#pragma once

#include <string_view>

#include "runtime/paint/Bitmap.h"
#include "runtime/paint/Color.h"

namespace tools {

inline constexpr int kSliderWidth = 26;
inline constexpr int kSliderHeight = 16;

enum class SliderPosition { kOff, kOn };
enum class SliderLook { kNormal, kDisabled };

inline constexpr runtime::Rgba kSliderTrack{0x3C, 0x76, 0xB1, 0xFF};
inline constexpr runtime::Rgba kSliderTrackDisabled{0xA0, 0xA0, 0xA0, 0xFF};

struct SliderPictureFile {
  std::string_view file_name;
  SliderPosition position;
  SliderLook look;
};

inline constexpr SliderPictureFile kSliderPictureFiles[] = {
    {"slider-off.png", SliderPosition::kOff, SliderLook::kNormal},
    {"slider-on.png", SliderPosition::kOn, SliderLook::kNormal},
    {"slider-off-disabled.png", SliderPosition::kOff, SliderLook::kDisabled},
    {"slider-on-disabled.png", SliderPosition::kOn, SliderLook::kDisabled},
};

constexpr runtime::Rgba TrackColor(SliderLook look) {
  return look == SliderLook::kNormal ? kSliderTrack : kSliderTrackDisabled;
}

// The picture, 26 x 16 pixels with straight alpha: a capsule in the track
// colour, smoothed at its edge, with a white knob at the left end when off
// and at the right end when on. The same arguments always give the same
// pixels.
runtime::Bitmap DrawSliderPicture(SliderPosition position, SliderLook look);

}  // namespace tools
