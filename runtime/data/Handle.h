// The 32-bit handle that a record slot holds for a reference or a queue.
#pragma once

#include <cstdint>

namespace runtime {

// 0 is null. Records keep handles rather than pointers so that a slot is four
// bytes on every host and a stale slot is caught instead of followed.
using Handle = std::uint32_t;

inline constexpr Handle kNullHandle = 0;

}  // namespace runtime
