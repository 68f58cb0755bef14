// The base of every control.
#include "runtime/window/Control.h"

namespace runtime {

void Control::SetBounds(Rect bounds) {
  if (bounds == bounds_) return;
  Invalidate();
  bounds_ = bounds;
  Invalidate();
}

void Control::SetVisibility(Visibility visibility) {
  if (visibility == visibility_) return;
  visibility_ = visibility;
  Invalidate();
}

void Control::SetEnablement(Enablement enablement) {
  if (enablement == enablement_) return;
  enablement_ = enablement;
  Invalidate();
}

void Control::SetText(std::string_view text) {
  if (text == text_) return;
  text_ = text;
  Invalidate();
}

}  // namespace runtime
