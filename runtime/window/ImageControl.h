// An image: shows the picture named by its Text, painted as part of the window.
//
// Setting the same text does nothing; another name releases the picture and
// loads the new one (a name that finds nothing leaves no picture); "" only
// releases it. With Centered on, the picture keeps its own size, centred in
// the control and clipped to it; otherwise it is stretched over the control.
// An image never takes the mouse.
#pragma once

#include <optional>

#include "runtime/paint/Bitmap.h"
#include "runtime/window/Control.h"

namespace runtime {

class ImageControl final : public Control {
 public:
  ImageControl(ControlHost& host, int number) : Control(host, number, ControlKind::Image) {}

  void SetText(std::string_view text) override;
  void SetFlagProperty(int property, bool on) override;
  bool FlagProperty(int property) const override;

  const std::optional<Bitmap>& Picture() const { return picture_; }
  void Paint(Painter& painter, const PaintState& state) const override;

 private:
  std::optional<Bitmap> picture_;
  bool centered_ = false;
};

}  // namespace runtime
