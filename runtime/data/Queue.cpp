// The queue operations over handles, and the error code of the last one.
#include "runtime/data/Queue.h"

#include <memory>
#include <string>

#include "runtime/data/HandleTable.h"
#include "runtime/data/RecordQueue.h"
#include "runtime/error/ErrorReport.h"

namespace runtime {
namespace {

ErrorNumber& LastError() {
  static ErrorNumber code = ErrorNumber::None;
  return code;
}

void SetError(ErrorNumber code) { LastError() = code; }

void Report(ErrorNumber number, std::string detail) {
  SetError(number);
  ReportError(number, {}, detail);
}

// The queue that `queue` names; a bad handle is reported and gives nullptr.
RecordQueue* Find(Handle queue, const char* operation) {
  RecordQueue* found = HandleTable::Instance().Find<RecordQueue>(queue);
  if (!found) Report(ErrorNumber::InvalidQueue, std::string(operation) + ": handle " + std::to_string(queue) +
                                                    " names no live queue");
  return found;
}

}  // namespace

Handle NewQueue(std::span<const std::uint8_t> record_descriptor) {
  auto descriptor = ReadTypeDescriptor(record_descriptor);
  if (!descriptor) {
    Report(ErrorNumber::InvalidTypeDescriptor, "NewQueue: " + descriptor.error().Message());
    return kNullHandle;
  }
  const Handle handle = HandleTable::Instance().Issue(std::make_unique<RecordQueue>(std::move(*descriptor)));
  if (handle == kNullHandle) {
    Report(ErrorNumber::SystemResourcesExceeded, "NewQueue: the handle table is full");
    return kNullHandle;
  }
  SetError(ErrorNumber::None);
  return handle;
}

void* QueueBuffer(Handle queue) {
  RecordQueue* found = Find(queue, "QueueBuffer");
  return found ? found->Buffer() : nullptr;
}

void ClearQueueBuffer(Handle queue, int mode) {
  if (RecordQueue* found = Find(queue, "ClearQueueBuffer")) {
    found->ClearBuffer(mode);
    SetError(ErrorNumber::None);
  }
}

void AddRecord(Handle queue) {
  if (RecordQueue* found = Find(queue, "AddRecord")) {
    found->Add();
    SetError(ErrorNumber::None);
  }
}

void GetRecordByKey(Handle queue, std::span<const std::int32_t> key_list) {
  if (RecordQueue* found = Find(queue, "GetRecordByKey")) SetError(found->GetByKey(key_list));
}

void PutRecord(Handle queue) {
  if (RecordQueue* found = Find(queue, "PutRecord")) SetError(found->Put());
}

std::int32_t RecordCount(Handle queue) {
  RecordQueue* found = Find(queue, "RecordCount");
  return found ? found->Count() : 0;
}

void GetRecordAt(Handle queue, std::int32_t position) {
  if (RecordQueue* found = Find(queue, "GetRecordAt")) SetError(found->GetAt(position));
}

void DeleteRecord(Handle queue) {
  if (RecordQueue* found = Find(queue, "DeleteRecord")) SetError(found->Delete());
}

void DisposeQueue(Handle queue) {
  if (queue == kNullHandle) return;
  if (HandleTable::Instance().Release(queue, HandleSort::Queue)) {
    SetError(ErrorNumber::None);
  } else {
    Report(ErrorNumber::InvalidQueue, "DisposeQueue: handle " + std::to_string(queue) + " names no live queue");
  }
}

int ErrorCode() { return static_cast<int>(LastError()); }

}  // namespace runtime
