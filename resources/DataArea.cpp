// Bounded access to the data area of a window definition resource.
#include "resources/DataArea.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "resources/RecordLayout.h"

namespace windef {

std::uint8_t RecordView::U8(std::size_t pos) const {
  assert(pos < bytes_.size() && "field read past the end of its record");
  return std::to_integer<std::uint8_t>(bytes_[pos]);
}

std::uint16_t RecordView::U16(std::size_t pos) const {
  return static_cast<std::uint16_t>(U8(pos) | (U8(pos + 1) << 8));
}

std::uint32_t RecordView::U32(std::size_t pos) const {
  return static_cast<std::uint32_t>(U8(pos)) | (static_cast<std::uint32_t>(U8(pos + 1)) << 8) |
         (static_cast<std::uint32_t>(U8(pos + 2)) << 16) | (static_cast<std::uint32_t>(U8(pos + 3)) << 24);
}

std::optional<std::size_t> DataArea::Position(std::int32_t offset) const {
  std::int64_t position = std::int64_t{offset} - layout::kOffsetBase;
  if (position < 0 || static_cast<std::uint64_t>(position) >= bytes_.size()) return std::nullopt;
  return static_cast<std::size_t>(position);
}

std::optional<RecordView> DataArea::Record(std::int32_t offset, std::size_t size, std::string_view what) {
  if (Failed()) return std::nullopt;
  std::optional<std::size_t> position = Position(offset);
  if (!position) {
    Fail(std::string(what) + " at offset " + std::to_string(offset) + " lies outside the data area", offset);
    return std::nullopt;
  }
  if (size > bytes_.size() - *position) {
    Fail(std::string(what) + " at offset " + std::to_string(offset) + " runs past the data area", offset);
    return std::nullopt;
  }
  return RecordView(bytes_.subspan(*position, size), offset);
}

std::string DataArea::Text(std::int32_t offset, std::string_view what) {
  if (Failed() || offset == layout::kNoRecord) return {};
  std::optional<std::size_t> position = Position(offset);
  if (!position) {
    Fail(std::string(what) + " at offset " + std::to_string(offset) + " lies outside the data area", offset);
    return {};
  }
  auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(*position);
  auto end = std::find(begin, bytes_.end(), std::byte{0});
  if (end != bytes_.end()) {
    std::string text(static_cast<std::size_t>(end - begin), '\0');
    std::transform(begin, end, text.begin(), [](std::byte b) { return static_cast<char>(b); });
    return text;
  }
  Fail(std::string(what) + " at offset " + std::to_string(offset) + " has no terminator inside the data area",
       offset);
  return {};
}

void DataArea::Fail(std::string message, std::int32_t offset) {
  if (!error_) error_ = FormatError{std::move(message), offset};
}

}  // namespace windef
