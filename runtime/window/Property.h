// The numbers of the control properties that the runtime knows.
#pragma once

namespace runtime::Prop {

inline constexpr int Text = 0x7C00;
inline constexpr int Xpos = 0x7C02;
inline constexpr int Ypos = 0x7C03;
inline constexpr int Width = 0x7C04;
inline constexpr int Height = 0x7C05;
inline constexpr int Imm = 0x7C6A;       // a region reports mouse events
inline constexpr int Centered = 0x7A17;  // an image is drawn at its own size, centred

}  // namespace runtime::Prop
