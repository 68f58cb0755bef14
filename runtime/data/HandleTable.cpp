// Issuing, finding and releasing handles.
#include "runtime/data/HandleTable.h"

namespace runtime {
namespace {

constexpr std::uint32_t kIndexMask = (std::uint32_t{1} << kHandleIndexBits) - 1;
constexpr std::uint32_t kGenerationMask = (std::uint32_t{1} << kHandleGenerationBits) - 1;

std::size_t SortIndex(HandleSort sort) { return static_cast<std::size_t>(sort); }

}  // namespace

HandleTable& HandleTable::Instance() {
  static HandleTable table;
  return table;
}

Handle HandleTable::Issue(std::unique_ptr<HandleObject> object) {
  std::uint32_t index = 0;
  if (free_.size() > kFreeSlotsBeforeReuse || (!free_.empty() && slots_.size() == kMaxHandles)) {
    index = free_.front();
    free_.pop_front();
  } else if (slots_.size() < kMaxHandles) {
    index = static_cast<std::uint32_t>(slots_.size());
    slots_.emplace_back();
  } else {
    return kNullHandle;
  }
  Slot& slot = slots_[index];
  ++live_[SortIndex(object->Sort())];
  slot.object = std::move(object);
  return slot.generation << kHandleIndexBits | (index + 1);
}

const HandleTable::Slot* HandleTable::Live(Handle handle, HandleSort sort) const {
  const std::uint32_t index_part = handle & kIndexMask;
  if (index_part == 0 || index_part > slots_.size()) return nullptr;
  const Slot& slot = slots_[index_part - 1];
  if (!slot.object || slot.generation != handle >> kHandleIndexBits || slot.object->Sort() != sort) return nullptr;
  return &slot;
}

HandleObject* HandleTable::Find(Handle handle, HandleSort sort) const {
  const Slot* slot = Live(handle, sort);
  return slot ? slot->object.get() : nullptr;
}

bool HandleTable::Release(Handle handle, HandleSort sort) {
  if (!Live(handle, sort)) return false;
  const std::uint32_t index = (handle & kIndexMask) - 1;
  Slot& slot = slots_[index];
  // Move the object out first: its destructor may release other handles.
  std::unique_ptr<HandleObject> object = std::move(slot.object);
  slot.generation = (slot.generation + 1) & kGenerationMask;
  free_.push_back(index);
  --live_[SortIndex(sort)];
  object.reset();
  return true;
}

std::size_t HandleTable::LiveCount(HandleSort sort) const { return live_[SortIndex(sort)]; }

}  // namespace runtime
