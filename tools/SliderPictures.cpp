// The slider pictures, drawn from signed distance fields.
//
// The capsule is a rectangle whose ends are half-ellipses; each pixel's alpha
// falls from 1 to 0 as its centre crosses the outline over kEdgeSoftness
// pixels. The ellipse sits slightly inside the picture at the ends and the
// straight edges slightly outside it, so that a straight top or bottom pixel
// gets alpha 241 and the middle of each end column 223. The knob is a disc
// blended from the track colour to white across its rim.
#include "tools/SliderPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tools {
namespace {

constexpr double kEdgeSoftness = 1.5;
constexpr double kEndRadiusX = 8.5;
constexpr double kEndRadiusY = 8.0;
constexpr int kStraightEdgeAlpha = 241;
constexpr int kEndMiddleAlpha = 223;

constexpr double kKnobRadius = 6.8;
constexpr double kKnobSoftness = 1.0;
constexpr double kKnobCentreX = 8.5;  // off; the on picture is the mirror image
constexpr double kKnobCentreY = 8.0;

// The signed distance (negative inside) at which the smoothed edge gives `alpha`.
constexpr double DistanceForAlpha(int alpha) { return (0.5 - alpha / 255.0) * kEdgeSoftness; }

struct Outline {
  double left;  // the ellipse's leftmost x
  double top;   // the straight edge's y
};

Outline CapsuleOutline() {
  Outline outline{};
  // A straight top pixel's centre is at y 0.5.
  outline.top = 0.5 + DistanceForAlpha(kStraightEdgeAlpha);
  // The centre (0.5, 7.5) of the end column's middle pixel lies on the
  // ellipse's field: solve it for the ellipse's leftmost x.
  double centre_y = outline.top + kEndRadiusY;
  double v = (centre_y - 7.5) / kEndRadiusY;
  double f = 1.0 + DistanceForAlpha(kEndMiddleAlpha) / kEndRadiusY;
  double u = std::sqrt(f * f - v * v);
  outline.left = 0.5 + kEndRadiusX * u - kEndRadiusX;
  return outline;
}

// The capsule's signed distance at (x, y), folded into the top-left quarter:
// the outline is symmetric about both middle lines.
double CapsuleDistance(const Outline& outline, double x, double y) {
  x = std::min(x, kSliderWidth - x);
  y = std::min(y, kSliderHeight - y);
  double centre_x = outline.left + kEndRadiusX, centre_y = outline.top + kEndRadiusY;
  if (x < centre_x && y < centre_y) {
    double u = (centre_x - x) / kEndRadiusX, v = (centre_y - y) / kEndRadiusY;
    return (std::hypot(u, v) - 1.0) * kEndRadiusY;
  }
  return std::max(outline.left - x, outline.top - y);
}

std::uint8_t ToByte(double value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0))); }

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, double weight) {
  return ToByte(from + (to - from) * weight);
}

// The lower ends are drawn a shade fuller than the upper ones: the pixel
// beside each end column in row 11 is solid, where its mirror in row 4 is
// smoothed.
bool IsSolidLowerEndPixel(int x, int y) { return y == 11 && (x == 1 || x == kSliderWidth - 2); }

runtime::Bitmap DrawOff(SliderLook look) {
  const Outline outline = CapsuleOutline();
  const runtime::Rgba track = TrackColor(look);
  runtime::Bitmap bitmap(kSliderWidth, kSliderHeight);
  for (int y = 0; y < kSliderHeight; ++y) {
    for (int x = 0; x < kSliderWidth; ++x) {
      double centre_x = x + 0.5, centre_y = y + 0.5;
      double coverage = std::clamp(0.5 - CapsuleDistance(outline, centre_x, centre_y) / kEdgeSoftness, 0.0, 1.0);
      double knob_distance = std::hypot(centre_x - kKnobCentreX, centre_y - kKnobCentreY) - kKnobRadius;
      double knob = std::clamp(0.5 - knob_distance / kKnobSoftness, 0.0, 1.0);
      runtime::Rgba& pixel = bitmap.At(x, y);
      pixel.r = Mix(track.r, 0xFF, knob);
      pixel.g = Mix(track.g, 0xFF, knob);
      pixel.b = Mix(track.b, 0xFF, knob);
      pixel.a = IsSolidLowerEndPixel(x, y) ? 0xFF : ToByte(255.0 * coverage);
    }
  }
  return bitmap;
}

runtime::Bitmap Mirrored(const runtime::Bitmap& source) {
  runtime::Bitmap mirrored(source.Width(), source.Height());
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) mirrored.At(x, y) = source.At(source.Width() - 1 - x, y);
  }
  return mirrored;
}

}  // namespace

runtime::Bitmap DrawSliderPicture(SliderPosition position, SliderLook look) {
  runtime::Bitmap off = DrawOff(look);
  return position == SliderPosition::kOff ? off : Mirrored(off);
}

}  // namespace tools
