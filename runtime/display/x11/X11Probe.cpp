// A second client on an X display that acts as a window manager or user would, for tests.
#include "runtime/display/x11/X11Probe.h"

#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace runtime {
namespace {

constexpr int kMaxDepth = 3;          // a window manager's frames nest the client a level or two down
constexpr long kMaxPropertyLongs = 1024;

struct Closer {
  void operator()(::Display* display) const { XCloseDisplay(display); }
};
using Connection = std::unique_ptr<::Display, Closer>;

// The first window below `parent`, depth first, whose WM_NAME is `title`.
Window FindByTitle(::Display* display, Window parent, std::string_view title, int depth) {
  Window root_return = 0, parent_return = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, parent, &root_return, &parent_return, &children, &count) == 0) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
      if (title == name) found = children[i];
      XFree(name);
    }
    if (found == 0 && depth < kMaxDepth) found = FindByTitle(display, children[i], title, depth + 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

std::expected<std::pair<Connection, Window>, std::string> Connect(const std::string& display_name,
                                                                  std::string_view title) {
  Connection display(XOpenDisplay(display_name.c_str()));
  if (!display) return std::unexpected("cannot open display " + display_name);
  const Window window = FindByTitle(display.get(), DefaultRootWindow(display.get()), title, 0);
  if (window == 0) return std::unexpected("no window titled \"" + std::string(title) + "\"");
  return std::make_pair(std::move(display), window);
}

}  // namespace

std::expected<void, std::string> SendDeleteWindow(const std::string& display_name, std::string_view title) {
  auto connection = Connect(display_name, title);
  if (!connection) return std::unexpected(connection.error());
  ::Display* display = connection->first.get();
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = connection->second;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  if (XSendEvent(display, connection->second, False, NoEventMask, &event) == 0) {
    return std::unexpected("XSendEvent failed");
  }
  XSync(display, False);
  return {};
}

std::expected<std::string, std::string> WindowProperty(const std::string& display_name,
                                                       std::string_view title, std::string_view property) {
  auto connection = Connect(display_name, title);
  if (!connection) return std::unexpected(connection.error());
  ::Display* display = connection->first.get();
  const Atom name = XInternAtom(display, std::string(property).c_str(), False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, connection->second, name, 0, kMaxPropertyLongs, False, AnyPropertyType,
                         &type, &format, &count, &remaining, &data) != Success) {
    return std::unexpected("cannot read " + std::string(property));
  }
  std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
  if (type == 0) return std::unexpected(std::string(property) + " is not set");
  std::string text;
  if (format == 8) return std::string(reinterpret_cast<const char*>(data), count);
  const long* values = reinterpret_cast<const long*>(data);  // 32-bit items arrive as longs
  for (unsigned long i = 0; i < count; ++i) {
    if (!text.empty()) text += ' ';
    if (type == XA_ATOM) {
      char* atom_name = XGetAtomName(display, static_cast<Atom>(values[i]));
      text += atom_name != nullptr ? atom_name : "?";
      if (atom_name != nullptr) XFree(atom_name);
    } else {
      text += std::to_string(values[i]);
    }
  }
  return text;
}

}  // namespace runtime
