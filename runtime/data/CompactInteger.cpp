// Reading compact integers.
#include "runtime/data/CompactInteger.h"

namespace runtime {

std::expected<CompactInteger, DescriptorError> ReadCompactInteger(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return std::unexpected(DescriptorError{DescriptorFault::Truncated, 0});
  const std::uint8_t first = bytes[0];
  const bool negative = (first & 0x80) != 0;
  const std::size_t extra = (first >> 5) & 0x03;
  if (bytes.size() < 1 + extra) return std::unexpected(DescriptorError{DescriptorFault::Truncated, 0});
  // At most 5 + 3 * 8 = 29 bits, so the magnitude and its negation fit.
  std::int32_t magnitude = first & 0x1F;
  for (std::size_t i = 1; i <= extra; ++i) magnitude = magnitude * 256 + bytes[i];
  return CompactInteger{negative ? -magnitude : magnitude, 1 + extra};
}

}  // namespace runtime
