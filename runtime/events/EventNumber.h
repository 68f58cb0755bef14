// The runtime's event numbers; "EVENT:Accepted" is Event::Accepted.
#pragma once

#include <string>

namespace runtime::Event {

inline constexpr int None = 0;
inline constexpr int Accepted = 1;      // a control was accepted (clicked, toggled)
inline constexpr int Selected = 2;      // a control took the keyboard focus
inline constexpr int MouseDown = 9;     // the button went down over a control that reports mouse events
inline constexpr int MouseUp = 10;      // the button was released over such a control
inline constexpr int MouseMove = 11;    // the mouse moved over such a control
inline constexpr int CloseWindow = 0x201;  // a close request
inline constexpr int OpenWindow = 0x202;   // the window has opened

// "EVENT:Accepted" and so on, or "EVENT:<number>" for a number the runtime does not raise.
std::string Name(int event);

}  // namespace runtime::Event
