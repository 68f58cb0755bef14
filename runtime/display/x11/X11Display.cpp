// The X11 display: the real screen, through Xlib.
//
// [SECTION] Connection, atoms and errors
// [SECTION] Pixel conversion
// [SECTION] Surfaces
// [SECTION] Presenting
// [SECTION] Input
#include "runtime/display/x11/X11Display.h"

#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "runtime/error/ErrorReport.h"
#include "runtime/paint/Windows1252.h"

// The X11 headers come last: their macros (None, Expose, ...) would clash
// with the runtime's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

// X's Expose event type, under a name that does not hide InputEvent's Expose.
constexpr int kXExpose = Expose;
#undef Expose

namespace runtime {
namespace {

// [SECTION] Connection, atoms and errors

constexpr int kMaxDpi = 1000;
constexpr std::size_t kKeyTextBytes = 32;

enum AtomIndex {
  kWmProtocols,
  kWmDeleteWindow,
  kNetWmName,
  kUtf8String,
  kNetWmWindowType,
  kNetWmWindowTypeDialog,
  kNetWmState,
  kNetWmStateModal,
  kMotifWmHints,
  kAtomCount,
};
constexpr std::array<const char*, kAtomCount> kAtomNames = {
    "WM_PROTOCOLS",   "WM_DELETE_WINDOW",        "_NET_WM_NAME",        "UTF8_STRING",
    "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_STATE", "_NET_WM_STATE_MODAL",
    "_MOTIF_WM_HINTS",
};

// The Motif window manager hints: which functions and decorations the frame offers.
constexpr long kMwmHintsFunctions = 1L << 0;
constexpr long kMwmHintsDecorations = 1L << 1;
constexpr long kMwmFuncMove = 1L << 2;
constexpr long kMwmDecorBorder = 1L << 1;
constexpr long kMwmDecorTitle = 1L << 3;
constexpr int kMwmHintsLength = 5;  // flags, functions, decorations, input mode, status

// Without the connection there is nothing left to show or to read: the
// runtime cannot go on, so the process ends here instead of hanging.
int OnIOError(::Display* display) {
  std::fprintf(stderr, "lost the connection to the X display %s\n", DisplayString(display));
  std::_Exit(kErrorExitStatus);
}

// A failed request (a window gone in the meantime, say) is reported and
// survived; the default handler would end the process.
int OnProtocolError(::Display* display, XErrorEvent* error) {
  std::array<char, 256> text{};
  XGetErrorText(display, error->error_code, text.data(), static_cast<int>(text.size()));
  std::fprintf(stderr, "X request %d failed: %s\n", error->request_code, text.data());
  return 0;
}

// Xft.dpi from the resource string the X server holds ("Xft.dpi:\t120\n"), if any.
int DpiFromResources(const char* resources) {
  if (resources == nullptr) return kDefaultDpi;
  constexpr std::string_view kKey = "Xft.dpi:";
  std::string_view text(resources);
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.starts_with(kKey)) continue;
    std::string value(line.substr(kKey.size()));
    char* parsed_end = nullptr;
    const double dpi = std::strtod(value.c_str(), &parsed_end);
    if (parsed_end != value.c_str() && dpi >= 1 && dpi <= kMaxDpi) return static_cast<int>(std::lround(dpi));
  }
  return kDefaultDpi;
}

// [SECTION] Pixel conversion

// Where one 8-bit channel goes in a TrueColor pixel.
struct Channel {
  int shift = 0;  // of the channel's lowest bit
  int bits = 0;
  static Channel FromMask(unsigned long mask) {
    if (mask == 0) return {};
    return {std::countr_zero(mask), std::popcount(mask)};
  }
  unsigned long Place(std::uint8_t value) const {
    if (bits >= 8) return static_cast<unsigned long>(value) << (shift + bits - 8);
    return static_cast<unsigned long>(value >> (8 - bits)) << shift;
  }
};

struct PixelFormat {
  Channel red, green, blue;
  unsigned long Pixel(Rgba color) const { return red.Place(color.r) | green.Place(color.g) | blue.Place(color.b); }
};

struct Surface {
  Window window = 0;
  XImage* image = nullptr;  // the client area's pixels as last presented
};

class X11Display final : public runtime::Display {
 public:
  X11Display(::Display* display, std::array<Atom, kAtomCount> atoms)
      : display_(display),
        screen_(DefaultScreen(display)),
        visual_(DefaultVisual(display, screen_)),
        depth_(DefaultDepth(display, screen_)),
        atoms_(atoms),
        format_{Channel::FromMask(visual_->red_mask), Channel::FromMask(visual_->green_mask),
                Channel::FromMask(visual_->blue_mask)},
        dpi_(DpiFromResources(XResourceManagerString(display))),
        gc_(DefaultGC(display, screen_)) {}

  ~X11Display() override {
    for (auto& [id, surface] : surfaces_) Release(surface);
    XCloseDisplay(display_);
  }

  SurfaceId CreateSurface(const SurfaceOptions& options) override;
  void DestroySurface(SurfaceId surface) override;
  void Present(SurfaceId surface, const Bitmap& frame, Rect area) override;
  std::optional<InputEvent> NextInput(Wait wait) override;
  Size ScreenSize() const override {
    return {DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)};
  }
  int Dpi() const override { return dpi_; }
  void Sync() { XSync(display_, False); }

 private:
  void SetHints(Window window, const SurfaceOptions& options);
  void SetTitle(Window window, const std::string& title);
  bool MakeImage(Surface& surface, Size size);
  void Release(Surface& surface) {
    if (surface.image != nullptr) XDestroyImage(surface.image);  // frees its pixels too
    XDestroyWindow(display_, surface.window);
    surface = {};
  }
  SurfaceId SurfaceOf(Window window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? 0 : found->second;
  }
  std::optional<InputEvent> Translate(XEvent& event);
  std::optional<InputEvent> TranslateKey(XKeyEvent& event, SurfaceId surface);

  ::Display* display_;
  int screen_;
  Visual* visual_;
  int depth_;
  std::array<Atom, kAtomCount> atoms_;
  PixelFormat format_;
  int dpi_;
  GC gc_;
  SurfaceId next_id_ = 1;
  std::map<SurfaceId, Surface> surfaces_;
  std::map<Window, SurfaceId> windows_;
};

// [SECTION] Surfaces

SurfaceId X11Display::CreateSurface(const SurfaceOptions& options) {
  const Size size = options.client;
  if (size.width <= 0 || size.height <= 0) return 0;
  const Point at = options.position.value_or(Point{0, 0});
  XSetWindowAttributes attributes{};
  attributes.background_pixel = format_.Pixel(kWindowFace);
  attributes.event_mask =
      ExposureMask | PointerMotionMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask;
  const Window window = XCreateWindow(
      display_, RootWindow(display_, screen_), at.x, at.y, static_cast<unsigned>(size.width),
      static_cast<unsigned>(size.height), 0, depth_, InputOutput, visual_, CWBackPixel | CWEventMask,
      &attributes);
  if (window == 0) return 0;
  Surface surface{window, nullptr};
  if (!MakeImage(surface, size)) {
    XDestroyWindow(display_, window);
    return 0;
  }
  SetHints(window, options);
  if (options.kind == SurfaceKind::MessageBox) {
    if (auto owner = surfaces_.find(options.owner); owner != surfaces_.end()) {
      XSetTransientForHint(display_, window, owner->second.window);
    }
  }
  SetTitle(window, options.title);
  XMapWindow(display_, window);
  XFlush(display_);
  const SurfaceId id = next_id_++;
  surfaces_.emplace(id, surface);
  windows_.emplace(window, id);
  return id;
}

void X11Display::SetHints(Window window, const SurfaceOptions& options) {
  // A fixed size; a given position is the client area's (static gravity).
  XSizeHints* size = XAllocSizeHints();
  size->flags = PMinSize | PMaxSize;
  size->min_width = size->max_width = options.client.width;
  size->min_height = size->max_height = options.client.height;
  if (options.position) {
    size->flags |= USPosition | PPosition | PWinGravity;
    size->x = options.position->x;
    size->y = options.position->y;
    size->win_gravity = StaticGravity;
  }
  XSetWMNormalHints(display_, window, size);
  XFree(size);

  XWMHints* wm = XAllocWMHints();
  wm->flags = InputHint | StateHint;
  wm->input = True;
  wm->initial_state = NormalState;
  XSetWMHints(display_, window, wm);
  XFree(wm);

  Atom delete_window = atoms_[kWmDeleteWindow];
  XSetWMProtocols(display_, window, &delete_window, 1);

  const Atom type = atoms_[kNetWmWindowTypeDialog];
  XChangeProperty(display_, window, atoms_[kNetWmWindowType], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&type), 1);

  // Move only: no close, resize, minimise or maximise, and no window menu.
  const std::array<long, kMwmHintsLength> motif = {kMwmHintsFunctions | kMwmHintsDecorations,
                                                   kMwmFuncMove, kMwmDecorBorder | kMwmDecorTitle, 0, 0};
  XChangeProperty(display_, window, atoms_[kMotifWmHints], atoms_[kMotifWmHints], 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif.data()), kMwmHintsLength);

  if (options.kind == SurfaceKind::MessageBox) {
    const Atom modal = atoms_[kNetWmStateModal];
    XChangeProperty(display_, window, atoms_[kNetWmState], XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&modal), 1);
  }
}

void X11Display::SetTitle(Window window, const std::string& title) {
  // WM_NAME is Latin-1, which lacks the code page's 0x80-0x9F; those become '?'.
  std::string latin1;
  for (char c : title) {
    const char32_t code = Windows1252ToUnicode(static_cast<unsigned char>(c));
    latin1 += code <= 0xFF && (code < 0x80 || code > 0x9F) ? c : '?';
  }
  XChangeProperty(display_, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
  const std::string utf8 = Windows1252ToUtf8(title);
  XChangeProperty(display_, window, atoms_[kNetWmName], atoms_[kUtf8String], 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
}

bool X11Display::MakeImage(Surface& surface, Size size) {
  // XDestroyImage frees the pixels with free(), so they come from calloc.
  const int bitmap_pad = 32;
  XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(size.width), static_cast<unsigned>(size.height),
                               bitmap_pad, 0);
  if (image == nullptr) return false;
  image->data = static_cast<char*>(
      std::calloc(static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(size.height), 1));
  if (image->data == nullptr) {
    XDestroyImage(image);
    return false;
  }
  surface.image = image;
  return true;
}

void X11Display::DestroySurface(SurfaceId id) {
  auto found = surfaces_.find(id);
  assert(found != surfaces_.end() && "destroying a surface this display does not have");
  if (found == surfaces_.end()) return;
  windows_.erase(found->second.window);
  Release(found->second);
  surfaces_.erase(found);
  XFlush(display_);
}

// [SECTION] Presenting

void X11Display::Present(SurfaceId id, const Bitmap& frame, Rect area) {
  auto found = surfaces_.find(id);
  assert(found != surfaces_.end() && "presenting on a surface this display does not have");
  if (found == surfaces_.end()) return;
  XImage* image = found->second.image;
  const Rect clipped = area.Intersected(frame.Bounds()).Intersected({0, 0, image->width, image->height});
  if (clipped.IsEmpty()) return;
  const bool host_order = (image->byte_order == LSBFirst) == (std::endian::native == std::endian::little);
  const bool direct = image->bits_per_pixel == 32 && host_order;
  for (int y = clipped.Top(); y < clipped.Bottom(); ++y) {
    const auto row = frame.Row(y);
    char* line = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
    for (int x = clipped.Left(); x < clipped.Right(); ++x) {
      const unsigned long pixel = format_.Pixel(row[static_cast<std::size_t>(x)]);
      if (direct) {
        const auto value = static_cast<std::uint32_t>(pixel);
        std::memcpy(line + static_cast<std::ptrdiff_t>(x) * 4, &value, sizeof value);
      } else {
        XPutPixel(image, x, y, pixel);
      }
    }
  }
  XPutImage(display_, found->second.window, gc_, image, clipped.x, clipped.y, clipped.x, clipped.y,
            static_cast<unsigned>(clipped.width), static_cast<unsigned>(clipped.height));
  XFlush(display_);
}

// [SECTION] Input

std::optional<InputEvent> X11Display::NextInput(Wait wait) {
  XEvent event;
  while (wait == Wait::Block || XPending(display_) > 0) {
    XNextEvent(display_, &event);  // blocks; a lost connection ends in OnIOError
    if (auto input = Translate(event)) return input;
  }
  return std::nullopt;
}

std::optional<InputEvent> X11Display::Translate(XEvent& event) {
  const SurfaceId surface = SurfaceOf(event.xany.window);
  if (surface == 0) return std::nullopt;
  InputEvent input;
  input.surface = surface;
  switch (event.type) {
    case MotionNotify: {
      // Of motions that follow each other in the queue only the last matters;
      // a motion behind a button event stays behind it.
      XEvent next;
      while (XEventsQueued(display_, QueuedAlready) > 0) {
        XPeekEvent(display_, &next);
        if (next.type != MotionNotify || next.xany.window != event.xany.window) break;
        XNextEvent(display_, &event);
      }
      input.type = InputEvent::Type::MouseMove;
      input.position = {event.xmotion.x, event.xmotion.y};
      return input;
    }
    case ButtonPress:
    case ButtonRelease:
      if (event.xbutton.button != Button1) return std::nullopt;
      input.type = event.type == ButtonPress ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
      input.position = {event.xbutton.x, event.xbutton.y};
      return input;
    case KeyPress:
      return TranslateKey(event.xkey, surface);
    case ClientMessage:
      if (event.xclient.message_type != atoms_[kWmProtocols] || event.xclient.format != 32 ||
          static_cast<Atom>(event.xclient.data.l[0]) != atoms_[kWmDeleteWindow]) {
        return std::nullopt;
      }
      input.type = InputEvent::Type::CloseRequest;
      return input;
    case kXExpose: {
      // One Expose per burst: the surface is presented whole again anyway.
      if (event.xexpose.count > 0) return std::nullopt;
      while (XCheckTypedWindowEvent(display_, event.xany.window, kXExpose, &event)) {
      }
      input.type = InputEvent::Type::Expose;
      return input;
    }
    default:
      return std::nullopt;
  }
}

std::optional<InputEvent> X11Display::TranslateKey(XKeyEvent& event, SurfaceId surface) {
  std::array<char, kKeyTextBytes> text{};
  KeySym keysym = NoSymbol;
  const int length = XLookupString(&event, text.data(), static_cast<int>(text.size()), &keysym, nullptr);
  InputEvent input;
  input.type = InputEvent::Type::KeyDown;
  input.surface = surface;
  input.shift = (event.state & ShiftMask) != 0;
  if (length > 0) input.text.assign(text.data(), static_cast<std::size_t>(length));
  switch (keysym) {
    case XK_Tab: input.key = Key::Tab; break;
    case XK_ISO_Left_Tab: input.key = Key::Tab; input.shift = true; break;
    case XK_Return:
    case XK_KP_Enter: input.key = Key::Enter; break;
    case XK_Escape: input.key = Key::Escape; break;
    case XK_space:
    case XK_KP_Space: input.key = Key::Space; break;
    case XK_Left:
    case XK_KP_Left: input.key = Key::Left; break;
    case XK_Right:
    case XK_KP_Right: input.key = Key::Right; break;
    case XK_Up:
    case XK_KP_Up: input.key = Key::Up; break;
    case XK_Down:
    case XK_KP_Down: input.key = Key::Down; break;
    default: input.key = Key::Other; break;
  }
  return input;
}

}  // namespace

std::expected<std::unique_ptr<Display>, std::string> OpenX11Display() {
  XSetIOErrorHandler(OnIOError);
  XSetErrorHandler(OnProtocolError);
  const char* name = XDisplayName(nullptr);
  ::Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    if (name == nullptr || *name == '\0') return std::unexpected("cannot open display: DISPLAY is not set");
    return std::unexpected(std::string("cannot open display ") + name);
  }
  Visual* visual = DefaultVisual(display, DefaultScreen(display));
  if (visual->c_class != TrueColor) {
    XCloseDisplay(display);
    return std::unexpected(std::string("the display ") + name + " has no TrueColor visual");
  }
  std::array<Atom, kAtomCount> atoms{};
  XInternAtoms(display, const_cast<char**>(kAtomNames.data()), kAtomCount, False, atoms.data());
  return std::make_unique<X11Display>(display, atoms);
}

void SyncX11Display(Display& display) {
  if (auto* x11 = dynamic_cast<X11Display*>(&display)) x11->Sync();
}

}  // namespace runtime
