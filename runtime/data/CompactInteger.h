// The compact integer of type descriptors: a sign, a length and up to 29 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <span>

#include "runtime/data/DescriptorError.h"

namespace runtime {

// Bytes after the first one that a compact integer may carry.
inline constexpr std::size_t kMaxCompactIntegerExtraBytes = 3;

struct CompactInteger {
  std::int32_t value = 0;
  std::size_t length = 0;  // bytes it took, 1 to 4
};

// Reads the compact integer at the front of `bytes`. The first byte's bit 7 is
// the sign, bits 5 and 6 the number of further bytes, bits 0 to 4 the top of
// the magnitude; each further byte is appended below (value * 256 + byte).
// So 04 is 4, 21 00 is 256 and 84 is -4. Fails with Truncated (offset 0) when
// the bytes end before the integer does.
std::expected<CompactInteger, DescriptorError> ReadCompactInteger(std::span<const std::uint8_t> bytes);

}  // namespace runtime
