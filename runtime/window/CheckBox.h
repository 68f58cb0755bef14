// A check box bound to a variable, shown against its true and false values.
#pragma once

#include <optional>
#include <string>

#include "runtime/window/PressableControl.h"
#include "runtime/window/VariableBinding.h"

namespace runtime {

enum class TextSide { Right, Left };

class CheckBox final : public PressableControl {
 public:
  static constexpr int kBoxSize = 13;

  CheckBox(ControlHost& host, int number, TextSide side)
      : PressableControl(host, number, ControlKind::CheckBox), side_(side) {}

  void Bind(VariableBinding binding, std::optional<std::string> true_value,
            std::optional<std::string> false_value);
  // Shows the variable: checked when it equals the true value, unchecked when
  // it equals the false value, unchanged otherwise.
  void ShowVariable() override;
  bool IsChecked() const { return checked_; }

  bool IsTabStop() const override { return IsVisible() && IsEnabled() && !SkipFlag(); }
  void Paint(Painter& painter, const PaintState& state) const override;

 private:
  void Click() override;

  TextSide side_;
  bool checked_ = false;
  std::optional<VariableBinding> binding_;
  std::optional<std::string> true_value_;
  std::optional<std::string> false_value_;
};

}  // namespace runtime
