// The type descriptor: the byte string that tells the runtime a record's fields.
//
// A descriptor is a group entry (the header: kind 22, flags, then the words
// size, field count and length, all little-endian) followed by its field
// entries. Each entry is: kind, flags, size data by kind (10 and 11: a size
// byte and a parameter byte; 18 to 21: a compact-integer size, then a string
// under flag 0x04; 22: the words size, count and length; 31: a size byte;
// any other kind: nothing, the size comes from DefaultFieldSize), then the
// name (flag 0x02), a second string (0x01), the gap before the field (0x08, a
// compact integer) and the dimensions (0x10: a count byte, then that many
// compact integers). A nested group's field entries follow its entry and are
// laid out from the group's own offset.
//
// Numbering: every entry after the header gets the next number, 1 upwards, in
// the order of the bytes. A nested group's own entry takes a number and its
// fields take the numbers right after it, so numbers name groups and their
// fields alike and a keyed operation may name either.
//
// The reader never reads past the bytes it is given. It refuses a descriptor
// whose entries run past its stated length or end before it (the length is
// redundant with the entries, so a disagreement means a damaged descriptor),
// whose stated length runs past the buffer, whose fields overrun the size of
// their group, or whose sizes, gaps or dimensions are negative or absurd.
// Bytes of the buffer after the stated length are not part of the descriptor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <vector>

#include "runtime/data/DescriptorError.h"

namespace runtime {

inline constexpr std::uint8_t kGroupKind = 22;
inline constexpr std::uint8_t kFlagSecondString = 0x01;
inline constexpr std::uint8_t kFlagName = 0x02;
inline constexpr std::uint8_t kFlagSizeString = 0x04;
inline constexpr std::uint8_t kFlagGap = 0x08;
inline constexpr std::uint8_t kFlagDimensions = 0x10;

// A group entry: kind, flags and its three words.
inline constexpr std::size_t kGroupEntrySize = 14;
// Largest size, in bytes, of anything described, a whole record included.
inline constexpr std::int32_t kMaxDescribedSize = 1 << 24;
// Deepest nesting of groups inside the header's group.
inline constexpr int kMaxGroupDepth = 16;

struct FieldDescriptor {
  std::int32_t number = 0;  // 1 upwards, in descriptor order
  std::uint8_t kind = 0;
  std::uint8_t flags = 0;
  std::string name;         // empty without flag 0x02
  std::int32_t offset = 0;  // from the start of the described data
  std::int32_t size = 0;    // of one element
  std::vector<std::int32_t> dimensions;  // empty: one element
  std::int32_t extent = 0;  // bytes covered: size times the product of the dimensions
  std::int32_t group = 0;   // number of the enclosing nested group; 0 for the header's
  std::int32_t field_count = 0;  // a nested group's own field entries; 0 for other kinds

  friend bool operator==(const FieldDescriptor&, const FieldDescriptor&) = default;
};

struct TypeDescriptor {
  std::string name;                      // the header's name, if it has one
  std::int32_t size = 0;                 // the header's size
  std::vector<std::int32_t> dimensions;  // the header's dimensions
  std::int32_t record_size = 0;          // size times the product of the dimensions
  std::int32_t length = 0;               // bytes of the descriptor, header included
  std::vector<FieldDescriptor> fields;   // fields[i].number == i + 1
};

// Size of a field of this kind when its entry carries none; 0 for kinds
// without a default.
std::int32_t DefaultFieldSize(std::uint8_t kind);

// Reads a descriptor. A descriptor whose first byte is not 22 (an empty one
// too) is read as describing nothing: no fields, size 0.
std::expected<TypeDescriptor, DescriptorError> ReadTypeDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace runtime
