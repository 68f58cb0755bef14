// The runtime's one table of the objects that handles name: references and queues.
//
// A handle is a slot index in its low kHandleIndexBits bits (plus one, so no
// handle is 0) and the slot's generation above. Releasing an object bumps
// its slot's generation, and freed slots are reused oldest first, so a handle
// comes back only after its slot has been reused 2^kHandleGenerationBits
// times; until then a stale handle finds a slot of another generation and is
// refused, never followed to freed memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "runtime/data/Handle.h"

namespace runtime {

inline constexpr int kHandleIndexBits = 20;
inline constexpr int kHandleGenerationBits = 32 - kHandleIndexBits;
// Live objects at most: every index but the all-ones one.
inline constexpr std::size_t kMaxHandles = (std::size_t{1} << kHandleIndexBits) - 1;

// Freed slots that wait before the oldest of them is reused.
inline constexpr std::size_t kFreeSlotsBeforeReuse = 1024;

enum class HandleSort : std::uint8_t { Reference, Queue };

// What a handle names. The table owns it from Issue to Release.
class HandleObject {
 public:
  virtual ~HandleObject() = default;
  virtual HandleSort Sort() const = 0;
};

class HandleTable {
 public:
  // The process's table; the runtime runs on one thread.
  static HandleTable& Instance();

  // Takes ownership and returns the new handle, or kNullHandle when the table
  // is full (the object is then destroyed).
  Handle Issue(std::unique_ptr<HandleObject> object);

  // The object that `handle` names if it is live and of this sort, else nullptr.
  HandleObject* Find(Handle handle, HandleSort sort) const;

  template <typename T>
  T* Find(Handle handle) const {
    return static_cast<T*>(Find(handle, T::kSort));
  }

  // Destroys the object. Returns false, and does nothing, when the handle is
  // not live or not of this sort.
  bool Release(Handle handle, HandleSort sort);

  std::size_t LiveCount(HandleSort sort) const;

 private:
  struct Slot {
    std::uint32_t generation = 0;
    std::unique_ptr<HandleObject> object;
  };
  const Slot* Live(Handle handle, HandleSort sort) const;

  std::vector<Slot> slots_;
  std::deque<std::uint32_t> free_;  // indices of empty slots, oldest release first
  std::size_t live_[2] = {0, 0};    // by sort
};

}  // namespace runtime
