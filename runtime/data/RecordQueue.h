// A queue of records laid out by a type descriptor, with its one record buffer.
//
// The program reads and writes the buffer directly; every operation moves
// whole records between the buffer and the queue. Records keep the order in
// which they were added. Keyed gets go through a hash index per key list,
// built on first use and kept right through add, put and delete, so their
// cost does not grow with the number of records.
//
// Records lie side by side in one arena of slots; a deleted record's slot is
// reused by a later add. Each slot has a serial that grows with every add,
// so queue order is serial order: `order_` lists the slots by position, and
// a delete finds its position by binary search and closes the gap (a move of
// four bytes per later record).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "runtime/data/ClearByDescriptor.h"
#include "runtime/data/HandleTable.h"
#include "runtime/data/KeyIndex.h"
#include "runtime/data/TypeDescriptor.h"
#include "runtime/error/ErrorNumber.h"

namespace runtime {

// Numbers of a key list that a keyed get takes; the rest are ignored.
inline constexpr std::size_t kMaxKeyFields = 16;
// Key indexes a queue keeps; past this the oldest is dropped (and rebuilt
// should its key list come back).
inline constexpr std::size_t kMaxKeyIndexes = 8;

class RecordQueue final : public HandleObject {
 public:
  static constexpr HandleSort kSort = HandleSort::Queue;

  explicit RecordQueue(TypeDescriptor descriptor);
  HandleSort Sort() const override { return kSort; }

  // Aligned for any scalar; stays where it is for the queue's life.
  void* Buffer() { return buffer_.get(); }
  std::size_t RecordSize() const { return record_size_; }

  void ClearBuffer(int mode) { clear_plan_.Clear(buffer_.get(), mode); }
  // Appends the buffer as the new last record, which becomes current.
  void Add();
  // The error codes below are what ErrorCode() reports afterwards.
  // None; InvalidFieldTypeDescriptor for a field number past the fields;
  // EntryNotFound, buffer untouched, for no match.
  ErrorNumber GetByKey(std::span<const std::int32_t> key_list);
  // EntryNotFound for a position outside 1 .. Count().
  ErrorNumber GetAt(std::int32_t position);
  // EntryNotFound when there is no current record.
  ErrorNumber Put();
  ErrorNumber Delete();
  std::int32_t Count() const { return static_cast<std::int32_t>(order_.size()); }

 private:
  std::uint8_t* BufferBytes() { return reinterpret_cast<std::uint8_t*>(buffer_.get()); }
  std::uint8_t* Record(std::uint32_t slot) { return arena_.data() + slot * stride_; }
  RecordView View() const { return RecordView{arena_.data(), stride_, serials_.data()}; }
  KeyIndex& IndexFor(std::span<const std::int32_t> numbers);
  void MakeCurrent(std::uint32_t slot);

  TypeDescriptor descriptor_;
  ClearPlan clear_plan_;
  std::size_t record_size_;
  std::size_t stride_;  // the record size, but at least 1 so slots have distinct addresses
  std::unique_ptr<std::max_align_t[]> buffer_;
  std::vector<std::uint8_t> arena_;     // slot i at i * stride_
  std::vector<std::uint64_t> serials_;  // by slot
  std::vector<std::uint32_t> free_slots_;
  std::vector<std::uint32_t> order_;    // slots in queue order, so by ascending serial
  std::uint32_t current_ = kNoSlot;
  std::uint64_t next_serial_ = 0;
  std::vector<KeyIndex> indexes_;
};

}  // namespace runtime
