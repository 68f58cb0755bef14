// The display interface: the one seam between the runtime and a screen.
//
// A display makes top-level surfaces, shows a window's framebuffer on them
// and turns the platform's input into the neutral InputEvents below, which
// flow one way, from the display into the runtime; the display never calls
// back into the runtime. Two displays implement it: the X11 display for the
// real screen (runtime/display/x11) and the headless display for tests and
// tools (runtime/display/headless).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "runtime/paint/Bitmap.h"
#include "runtime/paint/Geometry.h"

namespace runtime {

using SurfaceId = std::uint32_t;  // 0 names no surface
inline constexpr int kDefaultDpi = 96;

enum class SurfaceKind {
  Dialog,      // a fixed-size dialog window without a close box
  MessageBox,  // a fixed-size box, transient for and modal to its owner
};

struct SurfaceOptions {
  std::string title;
  Size client;                    // the client area in pixels; the frame goes around it
  std::optional<Point> position;  // of the client area on the screen; none: the display chooses
  SurfaceKind kind = SurfaceKind::Dialog;
  SurfaceId owner = 0;            // for a message box: the surface it is modal to
};

enum class Key { Other, Tab, Enter, Escape, Space, Left, Right, Up, Down };

struct InputEvent {
  enum class Type {
    MouseMove,
    MouseDown,     // the left button pressed
    MouseUp,       // the left button released
    KeyDown,
    CloseRequest,  // the platform asks to close the surface (its title bar, the window manager)
    Expose,        // the surface's pixels were lost and must be presented again
  };
  Type type = Type::MouseMove;
  SurfaceId surface = 0;
  Point position;     // mouse events: client coordinates
  Key key = Key::Other;
  bool shift = false;
  std::string text;   // key events: the typed text, if any
};

enum class Wait { Block, Poll };

class Display {
 public:
  virtual ~Display() = default;

  // A new, shown surface, or 0 when the platform cannot make one.
  virtual SurfaceId CreateSurface(const SurfaceOptions& options) = 0;
  virtual void DestroySurface(SurfaceId surface) = 0;

  // Shows `area` of `frame` (the surface's whole client area) on the surface.
  virtual void Present(SurfaceId surface, const Bitmap& frame, Rect area) = 0;

  // The next input. With Wait::Block an empty result means the display has
  // gone (the connection was lost, or a headless display ran out of input)
  // and will deliver nothing more; with Wait::Poll it means nothing is waiting.
  virtual std::optional<InputEvent> NextInput(Wait wait) = 0;

  virtual Size ScreenSize() const = 0;
  virtual int Dpi() const = 0;
};

}  // namespace runtime
