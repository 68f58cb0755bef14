// A hash index over a queue's records for one list of key fields.
//
// The key of a record is the bytes of its key fields; two records match when
// those bytes are equal. The index is an open-addressing table of record
// slots with their key hashes, probed linearly, so a lookup touches the table
// and the few records whose hash matches, however many records the queue
// holds. Duplicate keys sit in the same probe run, and the lookup returns
// the first of them in queue order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "runtime/data/TypeDescriptor.h"

namespace runtime {

inline constexpr std::uint32_t kNoSlot = 0xFFFFFFFF;

// The queue's records as the index reads them: slot i's bytes start at
// arena + i * stride, and serials[i] orders slots in queue order.
struct RecordView {
  const std::uint8_t* arena = nullptr;
  std::size_t stride = 0;
  const std::uint64_t* serials = nullptr;
  const std::uint8_t* Bytes(std::uint32_t slot) const { return arena + slot * stride; }
};

class KeyIndex {
 public:
  // `numbers` are field numbers of `descriptor`, each from 1 to its field count.
  KeyIndex(std::vector<std::int32_t> numbers, const TypeDescriptor& descriptor);

  const std::vector<std::int32_t>& Numbers() const { return numbers_; }
  bool SameKey(const std::uint8_t* a, const std::uint8_t* b) const;

  // Indexes `slot` under the key of `bytes`, the record's bytes as they are now.
  void Insert(std::uint32_t slot, const std::uint8_t* bytes);
  // Removes `slot`; `bytes` must have the key it was inserted with.
  void Erase(std::uint32_t slot, const std::uint8_t* bytes);

  // The slot of the first record in queue order whose key equals that of
  // `bytes`, or kNoSlot.
  std::uint32_t FindFirst(const std::uint8_t* bytes, const RecordView& records) const;

 private:
  struct Bucket {
    std::uint32_t slot = kNoSlot;
    std::uint32_t hash = 0;
  };
  std::uint32_t Hash(const std::uint8_t* bytes) const;
  std::size_t Home(std::uint32_t hash) const { return hash & (buckets_.size() - 1); }
  void Place(Bucket bucket);
  void Grow();

  std::vector<std::int32_t> numbers_;
  std::vector<std::pair<std::size_t, std::size_t>> spans_;  // offset and extent of each key field
  std::vector<Bucket> buckets_;  // a power of two in size, at most three quarters full
  std::size_t size_ = 0;
};

}  // namespace runtime
