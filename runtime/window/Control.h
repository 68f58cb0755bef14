// The base of every control: its number, kind, place, state and painting hook.
//
// A control paints in its own coordinates (the painter is already translated
// and clipped to its rectangle) and never touches the framebuffer outside
// Paint. Setters compare, assign and invalidate. How a mouse press becomes a
// click is PressableControl's; a region hit-tests and paints nothing; a string
// and an image only paint.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "runtime/paint/Color.h"
#include "runtime/paint/Font.h"
#include "runtime/paint/Geometry.h"
#include "runtime/paint/Painter.h"
#include "runtime/window/ControlHost.h"

namespace runtime {

// Control kinds, the same numbers as in a window definition record.
namespace ControlKind {
inline constexpr int String = 2;
inline constexpr int Image = 3;
inline constexpr int Region = 4;
inline constexpr int Button = 9;
inline constexpr int CheckBox = 12;
}  // namespace ControlKind

enum class Visibility { Shown, Hidden };
enum class Enablement { Enabled, Disabled };

struct PaintState {
  bool focused = false;
};

class Control {
 public:
  Control(ControlHost& host, int number, int kind) : host_(host), number_(number), kind_(kind) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  int Number() const { return number_; }
  int Kind() const { return kind_; }

  Rect Bounds() const { return bounds_; }
  void SetBounds(Rect bounds);

  bool IsVisible() const { return visibility_ == Visibility::Shown; }
  void SetVisibility(Visibility visibility);
  bool IsEnabled() const { return enablement_ == Enablement::Enabled; }
  void SetEnablement(Enablement enablement);

  const std::string& Text() const { return text_; }
  virtual void SetText(std::string_view text);

  void SetFont(std::shared_ptr<const Font> font, Rgba color) { font_ = std::move(font); text_color_ = color; }
  const Font* TextFont() const { return font_.get(); }

  // Whether Tab reaches the control (a visible, enabled tab stop).
  virtual bool IsTabStop() const { return false; }
  void SetSkip(bool skip) { skip_ = skip; }

  // Whether a mouse press over the control goes to it.
  virtual bool TakesMouse() const { return false; }
  virtual void OnMouseDown() {}
  virtual void OnMouseMove(bool inside) { (void)inside; }
  virtual void OnMouseUp(bool inside) { (void)inside; }
  // Space while focused, Enter on the default button.
  virtual void Activate() {}

  // Brings what the control shows up to date with its bound variable.
  virtual void ShowVariable() {}

  // On/off properties that only some kinds use (Imm, Centered).
  virtual void SetFlagProperty(int property, bool on) { (void)property; (void)on; }
  virtual bool FlagProperty(int property) const { (void)property; return false; }

  virtual void Paint(Painter& painter, const PaintState& state) const = 0;

 protected:
  ControlHost& Host() const { return host_; }
  void Invalidate() { host_.Invalidate(bounds_); }
  bool SkipFlag() const { return skip_; }
  Rgba TextColor() const { return IsEnabled() ? text_color_ : kDisabledText; }
  static constexpr Rgba kDisabledText{0x6D, 0x6D, 0x6D, 0xFF};

 private:
  ControlHost& host_;
  int number_;
  int kind_;
  Rect bounds_;
  Visibility visibility_ = Visibility::Shown;
  Enablement enablement_ = Enablement::Enabled;
  bool skip_ = false;
  std::string text_;
  std::shared_ptr<const Font> font_;
  Rgba text_color_ = kWindowText;
};

}  // namespace runtime
