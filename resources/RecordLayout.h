// Byte positions of the fields of every record of the window definition format.
//
// Shared by the reader and the writer so that both lay the records out alike.
// Positions count from a record's first byte; every number is little-endian
// and nothing is aligned. Bytes between the listed fields are not read and
// are written as zero.
#pragma once

#include <cstddef>
#include <cstdint>

namespace windef::layout {

// A record offset is the position in the data area plus this.
inline constexpr std::int32_t kOffsetBase = 2;
inline constexpr std::int32_t kNoRecord = 0;
inline constexpr std::size_t kDataHeaderSize = 4;

namespace window {
inline constexpr std::size_t kSize = 117;
inline constexpr std::size_t kKind = 0, kNext = 1, kFlagsA = 5, kDropNames = 9, kX = 13, kY = 17,
                             kWidth = 21, kHeight = 25, kFirstControl = 29, kLabel = 33, kFont = 37,
                             kText = 41, kColours = 53, kLayout = 57, kIcon = 58, kMessage = 62,
                             kHelp = 70, kAlertKeys = 78, kFlagsB = 82, kPalette = 86, kTimer = 90,
                             kMenuBar = 94, kToolBar = 98, kCursor = 102, kStatusBar = 106,
                             kWallpaperMode = 110, kWallpaper = 111, kDock = 115, kDocked = 116;
}  // namespace window

// The header that every control record begins with.
namespace control {
inline constexpr std::size_t kHeaderSize = 21;
inline constexpr std::size_t kKind = 0, kNext = 1, kFlags = 5, kDropNames = 9, kNumber = 13,
                             kLabel = 17;
}  // namespace control

namespace string {
inline constexpr std::size_t kSize = 64;
inline constexpr std::size_t kPosition = 21, kJustification = 37, kText = 41, kFont = 45,
                             kCursor = 49, kColours = 53, kAngle = 57, kExtensionText = 59,
                             kLayout = 63;
}  // namespace string

namespace button {
inline constexpr std::size_t kSize = 96;
inline constexpr std::size_t kPosition = 21, kHelp = 37, kFont = 57, kCursor = 61, kColours = 65,
                             kText = 69, kIcon = 73, kLayout = 85, kStandardAction = 86,
                             kButtonFlags = 90, kDelay = 92, kRepeat = 94;
}  // namespace button

namespace check_box {
inline constexpr std::size_t kSize = 98;
inline constexpr std::size_t kUse = 21, kPosition = 25, kHelp = 41, kFont = 61, kCursor = 65,
                             kColours = 69, kText = 73, kIcon = 77, kTrueValue = 85,
                             kFalseValue = 89, kExtensionText = 93, kLayout = 97;
}  // namespace check_box

// Position block inside a control record: x, y, width, height.
namespace position {
inline constexpr std::size_t kSize = 16;
inline constexpr std::size_t kX = 0, kY = 4, kWidth = 8, kHeight = 12;
}  // namespace position

namespace help {
inline constexpr std::size_t kSize = 20;
inline constexpr std::size_t kMessage = 0, kTooltip = 4, kHelp = 8, kKey = 12, kAlertKeys = 16;
}  // namespace help

namespace font {
inline constexpr std::size_t kSize = 16;
inline constexpr std::size_t kFace = 0, kPoints = 4, kCharset = 5, kColour = 8, kStyle = 12;
}  // namespace font

namespace colours {
inline constexpr std::size_t kSize = 12;
inline constexpr std::size_t kColour = 0, kSelected = 4, kSelectedFill = 8;
}  // namespace colours

namespace list_node {
inline constexpr std::size_t kSize = 8;
inline constexpr std::size_t kValue = 0, kNext = 4;
}  // namespace list_node

namespace use {
inline constexpr std::size_t kSize = 9;
inline constexpr std::size_t kType = 0, kVariableSize = 1, kExtra = 5;
}  // namespace use

}  // namespace windef::layout
