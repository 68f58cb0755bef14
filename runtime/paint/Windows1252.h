// Windows-1252 text: the runtime's 8-bit text encoding, mapped to Unicode.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// The Unicode code point of a Windows-1252 byte. 0x80-0x9F follow the code
// page's table (its five unassigned bytes map to the C1 control of the same
// value); every other byte is the Latin-1 code point of the same value.
char32_t Windows1252ToUnicode(unsigned char byte);

std::string Windows1252ToUtf8(std::string_view text);

}  // namespace runtime
