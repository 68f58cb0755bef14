// A second client on an X display that acts as a window manager or user would, for tests.
#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace runtime {

// Sends WM_DELETE_WINDOW, as a window manager does for its close button, to
// the top-level window titled `title` (WM_NAME) on the display `display_name`.
std::expected<void, std::string> SendDeleteWindow(const std::string& display_name, std::string_view title);

// A property of that window as text, for checking hints: the names of the
// atoms in an ATOM property, the numbers of a CARDINAL or other 32-bit one
// separated by spaces, the bytes of an 8-bit one.
std::expected<std::string, std::string> WindowProperty(const std::string& display_name,
                                                       std::string_view title, std::string_view property);

}  // namespace runtime
