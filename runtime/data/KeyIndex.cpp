// Keeping and searching a key index.
#include "runtime/data/KeyIndex.h"

#include <cassert>
#include <cstring>

namespace runtime {
namespace {

constexpr std::size_t kInitialBuckets = 16;

}  // namespace

KeyIndex::KeyIndex(std::vector<std::int32_t> numbers, const TypeDescriptor& descriptor)
    : numbers_(std::move(numbers)), buckets_(kInitialBuckets) {
  for (std::int32_t number : numbers_) {
    assert(number >= 1 && static_cast<std::size_t>(number) <= descriptor.fields.size() && "key field out of range");
    const FieldDescriptor& field = descriptor.fields[static_cast<std::size_t>(number) - 1];
    if (field.extent > 0) {
      spans_.emplace_back(static_cast<std::size_t>(field.offset), static_cast<std::size_t>(field.extent));
    }
  }
}

// FNV-1a over the key bytes, then a final mix so that the low bits, which
// pick the bucket, depend on every byte.
std::uint32_t KeyIndex::Hash(const std::uint8_t* bytes) const {
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (auto [offset, extent] : spans_) {
    for (std::size_t i = 0; i < extent; ++i) hash = (hash ^ bytes[offset + i]) * 0x100000001B3u;
  }
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDu;
  hash ^= hash >> 33;
  return static_cast<std::uint32_t>(hash);
}

bool KeyIndex::SameKey(const std::uint8_t* a, const std::uint8_t* b) const {
  for (auto [offset, extent] : spans_) {
    if (std::memcmp(a + offset, b + offset, extent) != 0) return false;
  }
  return true;
}

void KeyIndex::Place(Bucket bucket) {
  std::size_t at = Home(bucket.hash);
  while (buckets_[at].slot != kNoSlot) at = (at + 1) & (buckets_.size() - 1);
  buckets_[at] = bucket;
}

void KeyIndex::Grow() {
  std::vector<Bucket> old(buckets_.size() * 2);
  old.swap(buckets_);
  for (const Bucket& bucket : old) {
    if (bucket.slot != kNoSlot) Place(bucket);
  }
}

void KeyIndex::Insert(std::uint32_t slot, const std::uint8_t* bytes) {
  if ((size_ + 1) * 4 > buckets_.size() * 3) Grow();
  Place(Bucket{slot, Hash(bytes)});
  ++size_;
}

void KeyIndex::Erase(std::uint32_t slot, const std::uint8_t* bytes) {
  const std::size_t mask = buckets_.size() - 1;
  std::size_t hole = Home(Hash(bytes));
  while (buckets_[hole].slot != slot) {
    assert(buckets_[hole].slot != kNoSlot && "record missing from its key index");
    if (buckets_[hole].slot == kNoSlot) return;
    hole = (hole + 1) & mask;
  }
  // Backward-shift deletion: move up every later entry of the run whose home
  // does not lie cyclically in (hole, next], so that no probe run is broken.
  for (std::size_t next = (hole + 1) & mask; buckets_[next].slot != kNoSlot; next = (next + 1) & mask) {
    const std::size_t home = Home(buckets_[next].hash);
    const bool stays = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (stays) continue;
    buckets_[hole] = buckets_[next];
    hole = next;
  }
  buckets_[hole] = Bucket{};
  --size_;
}

std::uint32_t KeyIndex::FindFirst(const std::uint8_t* bytes, const RecordView& records) const {
  const std::uint32_t hash = Hash(bytes);
  std::uint32_t found = kNoSlot;
  for (std::size_t at = Home(hash); buckets_[at].slot != kNoSlot; at = (at + 1) & (buckets_.size() - 1)) {
    const Bucket& bucket = buckets_[at];
    if (bucket.hash != hash || !SameKey(bytes, records.Bytes(bucket.slot))) continue;
    if (found == kNoSlot || records.serials[bucket.slot] < records.serials[found]) found = bucket.slot;
  }
  return found;
}

}  // namespace runtime
