// Helpers that build type descriptor bytes for tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace runtime::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes bytes;
  for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

inline Bytes Word(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// A NUL-terminated string.
inline Bytes Text(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

// A group entry (the header, or a nested group) whose stated length covers
// its own 14 bytes and `rest`: its name, gap and dimensions, then its fields.
inline Bytes Group(std::uint8_t flags, std::int32_t size, std::int32_t count, const Bytes& rest) {
  return Cat({{22, flags}, Word(static_cast<std::uint32_t>(size)), Word(static_cast<std::uint32_t>(count)),
              Word(static_cast<std::uint32_t>(14 + rest.size())), rest});
}

}  // namespace runtime::test
