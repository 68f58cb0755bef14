// Why a type descriptor was refused, and where.
#pragma once

#include <cstddef>
#include <string>

namespace runtime {

enum class DescriptorFault {
  Truncated,          // the descriptor runs past the bytes it was given
  BadLength,          // a group states a length shorter than its own entry
  PastStatedLength,   // an entry runs past the length that its group states
  LengthMismatch,     // a group's entries end before the length it states
  BadCount,           // a group states a negative number of field entries
  BadSize,            // a size that is negative or above kMaxDescribedSize
  BadGap,             // a negative gap
  BadDimension,       // a dimension below 1, or elements past kMaxDescribedSize
  FieldOverrunsSize,  // a field lies past the size that its group states
  TooDeep,            // groups nested deeper than kMaxGroupDepth
};

struct DescriptorError {
  DescriptorFault fault = DescriptorFault::Truncated;
  std::size_t offset = 0;  // the byte of the descriptor at which it was found

  // For example "type descriptor refused at byte 14: an entry runs past the
  // length that its group states".
  std::string Message() const;

  friend bool operator==(const DescriptorError&, const DescriptorError&) = default;
};

}  // namespace runtime
