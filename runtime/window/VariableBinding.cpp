// Comparing and storing a bound variable.
//
// A one-byte unsigned variable takes the number that a text reads as (its
// leading digits, "" and non-numbers as 0), reduced modulo 256 as an
// assignment to a byte is. Any other type is held as a text of its size,
// padded with blanks.
#include "runtime/window/VariableBinding.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace runtime {
namespace {

std::int64_t TextToNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  std::int64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool VariableBinding::Equals(std::string_view text) const {
  if (IsNumber()) {
    std::uint8_t value;
    std::memcpy(&value, address_, sizeof value);
    return value == static_cast<std::uint8_t>(TextToNumber(text));
  }
  std::string_view stored(static_cast<const char*>(address_), size_);
  return TrimRight(stored) == TrimRight(text);
}

void VariableBinding::Store(std::string_view text) const {
  if (IsNumber()) {
    auto value = static_cast<std::uint8_t>(TextToNumber(text));
    std::memcpy(address_, &value, sizeof value);
    return;
  }
  char* target = static_cast<char*>(address_);
  std::size_t copied = std::min(size_, text.size());
  std::memcpy(target, text.data(), copied);
  std::memset(target + copied, ' ', size_ - copied);
}

}  // namespace runtime
