// A window definition resource in memory, written at record offsets, for hand-made test fixtures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace windef::testing {

class RecordBytes {
 public:
  // The key, its terminator and a zero-filled data area of `data_size` bytes.
  RecordBytes(std::string_view key, std::size_t data_size) : key_size_(key.size() + 1) {
    bytes_.resize(key_size_ + data_size);
    std::memcpy(bytes_.data(), key.data(), key.size());
  }
  // An existing resource whose key is `key_size` bytes long without its terminator.
  RecordBytes(std::vector<std::byte> resource, std::size_t key_size)
      : bytes_(std::move(resource)), key_size_(key_size + 1) {}

  RecordBytes& U8(std::int32_t offset, std::uint8_t value) {
    At(offset, 1)[0] = std::byte{value};
    return *this;
  }
  RecordBytes& U16(std::int32_t offset, std::uint16_t value) {
    return U8(offset, static_cast<std::uint8_t>(value)).U8(offset + 1, static_cast<std::uint8_t>(value >> 8));
  }
  RecordBytes& U32(std::int32_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) U8(offset + i, static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }
  RecordBytes& I32(std::int32_t offset, std::int32_t value) { return U32(offset, static_cast<std::uint32_t>(value)); }
  // The text and its terminator.
  RecordBytes& Text(std::int32_t offset, std::string_view text) {
    std::memcpy(At(offset, text.size() + 1), text.data(), text.size());
    return *this;
  }
  // Keeps the first `size` bytes of the whole resource.
  RecordBytes& Truncate(std::size_t size) {
    bytes_.resize(size);
    return *this;
  }

  const std::vector<std::byte>& Bytes() const { return bytes_; }

 private:
  // A record offset is the position in the data area plus 2.
  std::byte* At(std::int32_t offset, std::size_t size) {
    std::size_t position = key_size_ + static_cast<std::size_t>(offset) - 2;
    if (bytes_.size() < position + size) bytes_.resize(position + size);
    return bytes_.data() + position;
  }

  std::vector<std::byte> bytes_;
  std::size_t key_size_;
};

}  // namespace windef::testing
