// References: runtime values that designate a variable of a known kind.
//
// A reference names the variable's own storage (no copy); it is reached
// through a 32-bit handle, and a record holds it in a 4-byte slot. Every
// reference is a separate object of the runtime's handle table: assigning a
// reference into a slot makes a new one for the slot, so the giver and the
// slot each release their own. A handle that was never issued, is already
// released, or names a queue is a run-time error (InvalidReference) and the
// operation does nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/data/Handle.h"

namespace runtime {

// Variable kinds that a reference can designate (the type descriptor's kinds).
inline constexpr int kKindUnsigned8 = 1;
inline constexpr int kKindSigned32 = 6;

// A reference to the variable at `address`, of kind 1 or 6. A null address or
// another kind is reported and gives kNullHandle.
Handle MakeReference(void* address, int kind);

// Releases the reference; the variable is untouched. Null does nothing.
void FreeReference(Handle reference);

// Releases what `slot` held, then stores a new reference of the slot's own to
// the variable that `reference` designates, or null for kNullHandle.
void AssignReference(std::uint32_t& slot, Handle reference);

// Stores `value` into the variable that `slot` designates, converted to the
// variable's type as C++ converts integers (so 257 stored into a one-byte
// variable is 1). A null slot first gets an anonymous signed 32-bit value of
// the runtime's own.
void AssignValue(std::uint32_t& slot, std::int64_t value);

// 0 when the designated variable equals `value`; -1 or 1 when it is below or
// above it, and 1 for a null slot.
int CompareValue(const std::uint32_t& slot, std::int64_t value);

// Live reference objects, so that tests can see each was released once.
std::size_t LiveReferenceCount();

}  // namespace runtime
