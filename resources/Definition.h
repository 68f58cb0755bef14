// The records of a window definition resource, as the reader returns them and the writer takes them.
//
// A definition resource starts with its key and a zero byte; the rest is the
// data area. Records inside it refer to each other by record offset (the
// position in the data area plus 2; 0 is "none" and the empty text). These
// structs hold the records with every reference resolved and every text copied
// out, so that nothing here points into the resource.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace windef {

// A position or size that the record leaves to the runtime (0x80000000).
inline constexpr std::int32_t kNotGiven = std::numeric_limits<std::int32_t>::min();
constexpr bool IsGiven(std::int32_t value) { return value != kNotGiven; }

// Record kinds: the first byte of every record.
namespace Kind {
inline constexpr std::uint8_t String = 2;
inline constexpr std::uint8_t Image = 3;
inline constexpr std::uint8_t Region = 4;
inline constexpr std::uint8_t Button = 9;
inline constexpr std::uint8_t CheckBox = 12;
inline constexpr std::uint8_t Window = 25;
inline constexpr std::uint8_t OtherTopLevel = 26;  // only its units and label are read
}  // namespace Kind

// Window flags A.
namespace WindowFlagsA {
inline constexpr std::uint32_t Center = 0x10;
inline constexpr std::uint32_t UnitsMask = 0x300;
inline constexpr std::uint32_t UnitsDialog = 0x000;
inline constexpr std::uint32_t UnitsMillimetres = 0x100;
inline constexpr std::uint32_t UnitsThousandthsOfInch = 0x200;
inline constexpr std::uint32_t UnitsPixels = 0x300;
}  // namespace WindowFlagsA

// Window flags B.
namespace WindowFlagsB {
inline constexpr std::uint32_t Auto = 0x2;
inline constexpr std::uint32_t FrameMask = 0x60;
inline constexpr std::uint32_t FrameSingle = 0x00;
inline constexpr std::uint32_t FrameResize = 0x20;
inline constexpr std::uint32_t FrameDouble = 0x40;
inline constexpr std::uint32_t FrameNone = 0x60;
inline constexpr std::uint32_t Mask = 0x80;
inline constexpr std::uint32_t ToolBox = 0x400;
inline constexpr std::uint32_t Max = 0x800;
inline constexpr std::uint32_t System = 0x1000;
inline constexpr std::uint32_t Gray = 0x2000;
inline constexpr std::uint32_t Maximize = 0x4000;
inline constexpr std::uint32_t Iconize = 0x8000;
}  // namespace WindowFlagsB

// Control flags.
namespace ControlFlags {
inline constexpr std::uint32_t CheckBoxTextLeft = 0x4;
inline constexpr std::uint32_t Skip = 0x20;
inline constexpr std::uint32_t Disable = 0x40;
inline constexpr std::uint32_t Hide = 0x400;
inline constexpr std::uint32_t Trn = 0x1000;
inline constexpr std::uint32_t Full = 0x2000;
}  // namespace ControlFlags

// Button flags.
namespace ButtonFlags {
inline constexpr std::uint8_t Default = 0x1;
inline constexpr std::uint8_t Req = 0x2;
}  // namespace ButtonFlags

inline constexpr std::int32_t kStandardActionNone = 0;
inline constexpr std::int32_t kStandardActionClose = 15;

// Layout direction of a window or control.
inline constexpr std::uint8_t kLayoutInherit = 0;
inline constexpr std::uint8_t kLayoutLeftToRight = 1;
inline constexpr std::uint8_t kLayoutRightToLeft = 2;

inline constexpr std::uint8_t kCharsetDefault = 1;  // also "not given"
inline constexpr std::uint32_t kColourNotGiven = 0xFFFFFFFF;
inline constexpr std::uint32_t kStyleNotGiven = 0xFFFFFFFF;  // 0 also means not given
inline constexpr std::uint32_t kStyleWeightMask = 0x7FF;
inline constexpr std::uint32_t kStyleFixedPitch = 0x800;
inline constexpr std::uint32_t kStyleItalic = 0x1000;
inline constexpr std::uint32_t kStyleUnderline = 0x2000;
inline constexpr std::uint32_t kStyleStrikeOut = 0x4000;
inline constexpr std::size_t kMaxFaceNameUsed = 31;  // characters of a face name the runtime uses

inline constexpr std::uint8_t kUseTypeUnsigned8 = 1;

// x, y, width, height in the window's units; kNotGiven where absent.
struct Position {
  std::int32_t x = kNotGiven;
  std::int32_t y = kNotGiven;
  std::int32_t width = kNotGiven;
  std::int32_t height = kNotGiven;
  bool operator==(const Position&) const = default;
};

struct FontRecord {
  std::string face;  // empty = not given
  std::uint8_t size = 0;  // points; 0 = not given
  std::uint8_t charset = kCharsetDefault;
  std::uint32_t colour = kColourNotGiven;
  std::uint32_t style = kStyleNotGiven;
  bool operator==(const FontRecord&) const = default;
};

// Background, selected and selected-fill colours; kColourNotGiven for none.
struct ColourTriple {
  std::uint32_t colour = kColourNotGiven;
  std::uint32_t selected_colour = kColourNotGiven;
  std::uint32_t selected_fill_colour = kColourNotGiven;
  bool operator==(const ColourTriple&) const = default;
};

// The variable bound to a control.
struct UseDescriptor {
  std::uint8_t type = kUseTypeUnsigned8;
  std::uint32_t size = 1;  // 0: the size follows the address in the variable list
  std::uint32_t extra = 0;
  bool operator==(const UseDescriptor&) const = default;
};

// Message, tooltip and help of a button or check box.
struct HelpBlock {
  std::string message;  // empty: the window's applies
  std::string tooltip;
  std::string help;  // empty: the window's applies
  std::uint32_t key = 0;  // hot key code, 0 for none
  std::vector<std::uint32_t> alert_keys;
  bool operator==(const HelpBlock&) const = default;
};

// A string, button or check box record. Fields that a kind's record does not
// have keep their defaults. Records of other kinds never appear here.
struct Control {
  std::uint8_t kind = 0;
  std::uint32_t flags = 0;
  std::vector<std::string> drop_names;
  std::int32_t number = 0;
  std::string label;
  Position position;
  std::string text;
  std::optional<FontRecord> font;  // none: the window's font
  std::string cursor;
  std::optional<ColourTriple> colours;
  std::uint8_t layout = kLayoutInherit;
  // String only.
  std::int32_t justification_offset = 0;
  std::int16_t angle = 0;
  // String and check box.
  std::string extension_text;
  // Button and check box.
  HelpBlock help;
  std::string icon;
  // Button only.
  std::int32_t standard_action = kStandardActionNone;
  std::uint8_t button_flags = 0;
  std::uint16_t delay = 0;   // hundredths of a second
  std::uint16_t repeat = 0;  // hundredths of a second
  // Check box only.
  std::optional<UseDescriptor> use;
  std::optional<std::string> true_value;
  std::optional<std::string> false_value;
  bool operator==(const Control&) const = default;
};

// A window record (kind 25). A record of kind 26 keeps only its kind, label
// and the units bits of flags A; everything else stays default.
struct Window {
  std::uint8_t kind = Kind::Window;
  std::uint32_t flags_a = 0;
  std::vector<std::string> drop_names;
  Position position;  // the client area's size
  std::string label;
  std::optional<FontRecord> font;
  std::string text;  // the caption
  std::optional<ColourTriple> colours;
  std::uint8_t layout = kLayoutInherit;
  std::string icon;
  std::string message;
  std::string help;
  std::vector<std::uint32_t> alert_keys;
  std::uint32_t flags_b = 0;
  std::uint32_t palette = 0;
  std::uint32_t timer = 0;  // hundredths of a second, 0 for none
  // FIXME: menu bar, tool bar and status bar records have layouts that this
  // format does not define yet; only whether the window has one is kept.
  bool has_menu_bar = false;
  bool has_tool_bar = false;
  bool has_status_bar = false;
  std::string cursor;
  std::uint8_t wallpaper_mode = 0;
  std::string wallpaper;
  std::uint8_t dock = 0;
  std::uint8_t docked = 0;
  std::vector<Control> controls;
  bool operator==(const Window&) const = default;
};

struct Definition {
  std::string key;
  std::vector<Window> windows;
  bool operator==(const Definition&) const = default;
};

}  // namespace windef
