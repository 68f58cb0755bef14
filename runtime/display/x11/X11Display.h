// The X11 display: the real screen, through Xlib.
//
// Implements: top-level surfaces as fixed-size dialog windows (size hints with
// minimum = maximum, the dialog window type, Motif hints without close,
// minimise or maximise, WM_DELETE_WINDOW as the close request), message boxes
// the same but transient for and modal to their owner; titles in WM_NAME
// (Latin-1) and _NET_WM_NAME (UTF-8); the position from the options as a
// user-given position of the client area. Presenting converts the RGBA frame
// into one XImage per surface for the area only and puts it with XPutImage, on
// 24- and 32-bit TrueColor visuals (other TrueColor depths go pixel by pixel).
// Input: pointer motion, the left button, keys mapped to Key with the text
// XLookupString types, close requests, exposures (one per burst). The DPI is
// Xft.dpi from the X resources when given, else 96. Losing the connection ends
// the process with a message on stderr.
// Does not implement: input methods (text is what XLookupString gives, in
// Latin-1), the MIT-SHM extension, other buttons or the wheel, keyboard focus
// events, or visuals that are not TrueColor.
#pragma once

#include <expected>
#include <memory>
#include <string>

#include "runtime/display/Display.h"

namespace runtime {

// Connects to the X server named by $DISPLAY.
std::expected<std::unique_ptr<Display>, std::string> OpenX11Display();

// Waits until the X server has carried out every request sent so far (one
// round trip), so that what was presented is on the screen; for measuring
// start-up. Does nothing to a display that OpenX11Display did not make.
void SyncX11Display(Display& display);

}  // namespace runtime
