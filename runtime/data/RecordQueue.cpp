// Records in a queue: add, get by key or position, put, delete.
#include "runtime/data/RecordQueue.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace runtime {
namespace {

std::size_t AlignedUnits(std::size_t bytes) {
  return std::max<std::size_t>(1, (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
}

}  // namespace

RecordQueue::RecordQueue(TypeDescriptor descriptor)
    : descriptor_(std::move(descriptor)),
      clear_plan_(descriptor_),
      record_size_(static_cast<std::size_t>(descriptor_.record_size)),
      stride_(std::max<std::size_t>(record_size_, 1)),
      buffer_(new std::max_align_t[AlignedUnits(record_size_)]()) {
  clear_plan_.Clear(buffer_.get());
}

void RecordQueue::MakeCurrent(std::uint32_t slot) {
  std::memcpy(BufferBytes(), Record(slot), record_size_);
  current_ = slot;
}

void RecordQueue::Add() {
  std::uint32_t slot;
  if (!free_slots_.empty()) {
    slot = free_slots_.back();
    free_slots_.pop_back();
  } else {
    slot = static_cast<std::uint32_t>(serials_.size());
    serials_.push_back(0);
    arena_.resize(arena_.size() + stride_);
  }
  serials_[slot] = next_serial_++;
  std::memcpy(Record(slot), BufferBytes(), record_size_);
  for (KeyIndex& index : indexes_) index.Insert(slot, Record(slot));
  order_.push_back(slot);
  current_ = slot;
}

KeyIndex& RecordQueue::IndexFor(std::span<const std::int32_t> numbers) {
  for (KeyIndex& index : indexes_) {
    if (std::ranges::equal(index.Numbers(), numbers)) return index;
  }
  if (indexes_.size() == kMaxKeyIndexes) indexes_.erase(indexes_.begin());
  KeyIndex& index = indexes_.emplace_back(std::vector<std::int32_t>(numbers.begin(), numbers.end()), descriptor_);
  for (std::uint32_t slot : order_) index.Insert(slot, Record(slot));
  return index;
}

ErrorNumber RecordQueue::GetByKey(std::span<const std::int32_t> key_list) {
  std::array<std::int32_t, kMaxKeyFields> numbers;
  std::size_t count = 0;
  for (std::int32_t number : key_list) {
    if (number == 0 || count == kMaxKeyFields) break;
    // Widened first: the magnitude of INT32_MIN does not fit in 32 bits.
    const std::int64_t field = std::abs(static_cast<std::int64_t>(number));
    if (field > static_cast<std::int64_t>(descriptor_.fields.size())) return ErrorNumber::InvalidFieldTypeDescriptor;
    numbers[count++] = static_cast<std::int32_t>(field);
  }
  const std::uint32_t found = IndexFor(std::span(numbers).first(count)).FindFirst(BufferBytes(), View());
  if (found == kNoSlot) return ErrorNumber::EntryNotFound;
  MakeCurrent(found);
  return ErrorNumber::None;
}

ErrorNumber RecordQueue::GetAt(std::int32_t position) {
  if (position < 1 || position > Count()) return ErrorNumber::EntryNotFound;
  MakeCurrent(order_[static_cast<std::size_t>(position) - 1]);
  return ErrorNumber::None;
}

ErrorNumber RecordQueue::Put() {
  if (current_ == kNoSlot) return ErrorNumber::EntryNotFound;
  // Reindex only where the key changed; an unchanged key keeps its place.
  std::vector<KeyIndex*> moved;
  for (KeyIndex& index : indexes_) {
    if (!index.SameKey(Record(current_), BufferBytes())) {
      index.Erase(current_, Record(current_));
      moved.push_back(&index);
    }
  }
  std::memcpy(Record(current_), BufferBytes(), record_size_);
  for (KeyIndex* index : moved) index->Insert(current_, Record(current_));
  return ErrorNumber::None;
}

ErrorNumber RecordQueue::Delete() {
  if (current_ == kNoSlot) return ErrorNumber::EntryNotFound;
  for (KeyIndex& index : indexes_) index.Erase(current_, Record(current_));
  const std::uint64_t serial = serials_[current_];
  auto at = std::lower_bound(order_.begin(), order_.end(), serial,
                             [this](std::uint32_t slot, std::uint64_t wanted) { return serials_[slot] < wanted; });
  // The later records move up one position; the indexes name slots, not
  // positions, and stay right.
  order_.erase(at);
  free_slots_.push_back(current_);
  current_ = kNoSlot;
  return ErrorNumber::None;
}

}  // namespace runtime
