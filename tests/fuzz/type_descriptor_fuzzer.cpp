// Feeds arbitrary bytes to the type descriptor reader; what it accepts must lie
// within the size it states, and clearing and queueing by it must stay in bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "runtime/data/ClearByDescriptor.h"
#include "runtime/data/Queue.h"
#include "runtime/data/TypeDescriptor.h"
#include "runtime/error/ErrorReport.h"

namespace {

// Records up to this size are also cleared and queued; larger ones only read.
constexpr std::int32_t kMaxExercisedRecord = 1 << 16;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static runtime::ScopedErrorHook ignore_reports([](const runtime::RuntimeError&) {});
  const std::span<const std::uint8_t> bytes(data, size);
  auto descriptor = runtime::ReadTypeDescriptor(bytes);
  if (!descriptor) {
    Check(descriptor.error().offset <= size);
    return 0;
  }
  Check(descriptor->record_size >= 0 && descriptor->record_size <= runtime::kMaxDescribedSize);
  Check(static_cast<std::size_t>(descriptor->length) <= size);
  for (std::size_t i = 0; i < descriptor->fields.size(); ++i) {
    const runtime::FieldDescriptor& field = descriptor->fields[i];
    Check(field.number == static_cast<std::int32_t>(i + 1));
    Check(field.offset >= 0 && field.extent >= 0 && field.offset + field.extent <= descriptor->size);
    Check(field.group >= 0 && field.group < field.number);
  }
  if (descriptor->record_size > kMaxExercisedRecord) return 0;

  // Exactly the record's bytes, so that the sanitizers see any write past them.
  std::vector<std::uint8_t> block(static_cast<std::size_t>(descriptor->record_size), 0xAB);
  runtime::ClearByDescriptor(block.data(), bytes);

  const runtime::Handle queue = runtime::NewQueue(bytes);
  Check(queue != runtime::kNullHandle);
  runtime::AddRecord(queue);
  runtime::AddRecord(queue);
  std::vector<std::int32_t> keys;
  for (std::size_t i = 0; i < descriptor->fields.size() && i < 4; ++i) keys.push_back(static_cast<std::int32_t>(i + 1));
  keys.push_back(0);
  runtime::GetRecordByKey(queue, keys);
  Check(runtime::ErrorCode() == 0);
  runtime::DeleteRecord(queue);
  runtime::PutRecord(queue);
  Check(runtime::ErrorCode() == 30);
  Check(runtime::RecordCount(queue) == 1);
  runtime::DisposeQueue(queue);
  return 0;
}
