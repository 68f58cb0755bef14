// Clearing a block of memory field by field, as its type descriptor describes it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/data/TypeDescriptor.h"

namespace runtime {

// The one clearing mode: every described field becomes zero bytes, which is 0
// for a number (kind 6) and a null handle for a reference or queue slot
// (kinds 15 and 31). What a cleared slot held is not released: it may belong
// to a stored record. Bytes that no field describes are left alone, so a
// class identity word ahead of the described fields survives.
inline constexpr int kClearToZero = 0;

// Clears `block`, which must hold at least the descriptor's record size. A
// refused descriptor is a run-time error (InvalidTypeDescriptor) and the
// block is left as it was.
void ClearByDescriptor(void* block, std::span<const std::uint8_t> descriptor, int mode = kClearToZero);

// The fields of a descriptor that clearing touches, worked out once, for a
// queue that clears its buffer again and again. Fields of no bytes and groups
// without such fields are dropped, so that clearing costs time in proportion
// to the bytes described, however many elements a dimensioned group has.
class ClearPlan {
 public:
  explicit ClearPlan(const TypeDescriptor& descriptor);
  void Clear(void* block, int mode = kClearToZero) const;

 private:
  struct Node {
    std::int32_t offset = 0;  // of the first element
    std::int32_t extent = 0;  // leaves: bytes to clear
    std::int32_t size = 0;    // groups: bytes of one element
    std::int64_t elements = 0;  // groups: how many
    std::vector<Node> children;  // empty for a leaf
  };
  static std::size_t Build(const std::vector<FieldDescriptor>& fields, std::size_t index, std::vector<Node>& out);
  static void ClearNodes(std::uint8_t* block, const std::vector<Node>& nodes, std::int64_t shift);

  std::vector<Node> roots_;
};

}  // namespace runtime
