// Bounded access to the data area of a window definition resource.
//
// Every access goes through a record offset and is checked against the area
// before a byte is read. The first failure is kept; after it every access
// yields nothing, so a reader can walk on without checking each step and ask
// for the error at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "resources/FormatError.h"

namespace windef {

// The bytes of one record that the data area holds in full.
class RecordView {
 public:
  RecordView(std::span<const std::byte> bytes, std::int32_t offset) : bytes_(bytes), offset_(offset) {}

  std::int32_t Offset() const { return offset_; }
  std::uint8_t U8(std::size_t pos) const;
  std::uint16_t U16(std::size_t pos) const;
  std::int16_t I16(std::size_t pos) const { return static_cast<std::int16_t>(U16(pos)); }
  std::uint32_t U32(std::size_t pos) const;
  std::int32_t I32(std::size_t pos) const { return static_cast<std::int32_t>(U32(pos)); }

 private:
  std::span<const std::byte> bytes_;
  std::int32_t offset_;
};

class DataArea {
 public:
  explicit DataArea(std::span<const std::byte> bytes) : bytes_(bytes) {}

  // The `size` bytes at `offset`; nothing, and the error noted, when they do
  // not all lie inside the area. `what` names the record in the message.
  std::optional<RecordView> Record(std::int32_t offset, std::size_t size, std::string_view what);

  // The text at `offset`, copied out; empty for offset 0. A text must end
  // with a zero byte inside the area.
  std::string Text(std::int32_t offset, std::string_view what);

  void Fail(std::string message, std::int32_t offset);
  bool Failed() const { return error_.has_value(); }
  const std::optional<FormatError>& Error() const { return error_; }

 private:
  // Position in bytes_ of a record offset, or nothing when outside the area.
  std::optional<std::size_t> Position(std::int32_t offset) const;

  std::span<const std::byte> bytes_;
  std::optional<FormatError> error_;
};

}  // namespace windef
