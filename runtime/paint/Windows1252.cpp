// Windows-1252 text: the runtime's 8-bit text encoding, mapped to Unicode.
#include "runtime/paint/Windows1252.h"

#include <array>

namespace runtime {
namespace {

constexpr unsigned char kTableStart = 0x80;
constexpr unsigned char kTableEnd = 0x9F;

// 0x80-0x9F; the unassigned 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their own value.
constexpr std::array<char32_t, kTableEnd - kTableStart + 1> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    // Every code point of the code page lies in the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

char32_t Windows1252ToUnicode(unsigned char byte) {
  if (byte >= kTableStart && byte <= kTableEnd) return kHighTable[byte - kTableStart];
  return byte;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace runtime
