// Controls made at run time, hiding, and properties by number, on the current window.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Makes an image (kind 3) or region (kind 4) control on the current window,
// hidden and without size until its properties are set, and returns its
// number: `requested`, or for 0 a number that no control of the window has.
// 0 when there is no open window, the kind is not one of those, or the
// requested number is taken. Positions are in the window's client area for
// any `parent`; `position` (the place in the window's control order) is
// accepted and the control goes last.
int CreateControl(int requested, int kind, int parent = 0, int position = -1);

// Hides or shows the controls first .. last (last 0: only first). A hidden
// control stays bound, keeps its number and still takes posted events, but
// is neither drawn nor reached by the mouse or the keyboard.
void HideControls(int first, int last = 0);
void UnhideControls(int first, int last = 0);

// Positions and sizes are in the window's units; on/off properties read "1"
// or "0" and take any text but "" and "0" as on. An unknown control or
// property reads "" and ignores what is set.
std::string GetProperty(int control, int property);
void SetProperty(int control, int property, std::string_view value);
void SetProperty(int control, int property, int value);

}  // namespace runtime
