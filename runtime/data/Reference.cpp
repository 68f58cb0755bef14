// References to one-byte and 32-bit variables, held in the handle table.
#include "runtime/data/Reference.h"

#include <cstring>
#include <memory>
#include <string>

#include "runtime/data/HandleTable.h"
#include "runtime/error/ErrorReport.h"

namespace runtime {
namespace {

class ReferenceObject final : public HandleObject {
 public:
  static constexpr HandleSort kSort = HandleSort::Reference;

  ReferenceObject(void* address, int kind, std::shared_ptr<void> owner)
      : address_(address), kind_(kind), owner_(std::move(owner)) {}
  HandleSort Sort() const override { return kSort; }

  // Another reference to the same variable; an anonymous value stays alive
  // while any reference to it does.
  std::unique_ptr<ReferenceObject> Copy() const { return std::make_unique<ReferenceObject>(address_, kind_, owner_); }

  std::int64_t Read() const {
    if (kind_ == kKindUnsigned8) {
      std::uint8_t value;
      std::memcpy(&value, address_, sizeof value);
      return value;
    }
    std::int32_t value;
    std::memcpy(&value, address_, sizeof value);
    return value;
  }

  void Write(std::int64_t value) const {
    if (kind_ == kKindUnsigned8) {
      const auto narrow = static_cast<std::uint8_t>(value);
      std::memcpy(address_, &narrow, sizeof narrow);
    } else {
      const auto narrow = static_cast<std::int32_t>(value);
      std::memcpy(address_, &narrow, sizeof narrow);
    }
  }

 private:
  void* address_;
  int kind_;
  std::shared_ptr<void> owner_;  // the anonymous value's storage; empty for a program variable
};

void ReportBadHandle(Handle handle, const char* operation) {
  ReportError(ErrorNumber::InvalidReference, {},
              std::string(operation) + ": handle " + std::to_string(handle) + " names no live reference");
}

Handle IssueReference(std::unique_ptr<ReferenceObject> object) {
  const Handle handle = HandleTable::Instance().Issue(std::move(object));
  if (handle == kNullHandle) ReportError(ErrorNumber::SystemResourcesExceeded, {}, "the handle table is full");
  return handle;
}

}  // namespace

Handle MakeReference(void* address, int kind) {
  if (address == nullptr || (kind != kKindUnsigned8 && kind != kKindSigned32)) {
    ReportError(ErrorNumber::InvalidReference, {},
                "MakeReference: cannot refer to a variable of kind " + std::to_string(kind) +
                    (address ? "" : " at a null address"));
    return kNullHandle;
  }
  return IssueReference(std::make_unique<ReferenceObject>(address, kind, nullptr));
}

void FreeReference(Handle reference) {
  if (reference == kNullHandle) return;
  if (!HandleTable::Instance().Release(reference, HandleSort::Reference)) ReportBadHandle(reference, "FreeReference");
}

void AssignReference(std::uint32_t& slot, Handle reference) {
  HandleTable& table = HandleTable::Instance();
  // Check both before changing either, so that a bad handle changes nothing
  // and a slot assigned its own handle is copied before it is released.
  const auto* source = table.Find<ReferenceObject>(reference);
  if (reference != kNullHandle && !source) return ReportBadHandle(reference, "AssignReference");
  if (slot != kNullHandle && !table.Find<ReferenceObject>(slot)) return ReportBadHandle(slot, "AssignReference");
  std::unique_ptr<ReferenceObject> copy = source ? source->Copy() : nullptr;
  if (slot != kNullHandle) table.Release(slot, HandleSort::Reference);
  slot = copy ? IssueReference(std::move(copy)) : kNullHandle;
}

void AssignValue(std::uint32_t& slot, std::int64_t value) {
  if (slot == kNullHandle) {
    auto storage = std::make_shared<std::int32_t>(0);
    void* address = storage.get();
    slot = IssueReference(std::make_unique<ReferenceObject>(address, kKindSigned32, std::move(storage)));
    if (slot == kNullHandle) return;
  }
  const auto* target = HandleTable::Instance().Find<ReferenceObject>(slot);
  if (!target) return ReportBadHandle(slot, "AssignValue");
  target->Write(value);
}

int CompareValue(const std::uint32_t& slot, std::int64_t value) {
  if (slot == kNullHandle) return 1;
  const auto* target = HandleTable::Instance().Find<ReferenceObject>(slot);
  if (!target) {
    ReportBadHandle(slot, "CompareValue");
    return 1;
  }
  const std::int64_t held = target->Read();
  return held < value ? -1 : held > value ? 1 : 0;
}

std::size_t LiveReferenceCount() { return HandleTable::Instance().LiveCount(HandleSort::Reference); }

}  // namespace runtime
