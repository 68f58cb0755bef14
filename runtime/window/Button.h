// A push button: a standard action, or an accepted event when it has none.
#pragma once

#include "runtime/window/PressableControl.h"

namespace runtime {

inline constexpr int kStandardActionClose = 15;

class Button final : public PressableControl {
 public:
  Button(ControlHost& host, int number, int standard_action)
      : PressableControl(host, number, ControlKind::Button), standard_action_(standard_action) {}

  bool IsTabStop() const override { return IsVisible() && IsEnabled() && !SkipFlag(); }
  void SetDefault(bool is_default) { is_default_ = is_default; Invalidate(); }
  bool IsDefault() const { return is_default_; }

  void Paint(Painter& painter, const PaintState& state) const override;

 private:
  void Click() override;

  int standard_action_;
  bool is_default_ = false;
};

}  // namespace runtime
