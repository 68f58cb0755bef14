// Case rules for resource types and names: ASCII letters only, as the names are.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

constexpr char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
  }
  return true;
}

inline std::string ToUpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = ToUpperAscii(c);
  return result;
}

}  // namespace runtime
