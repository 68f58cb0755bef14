// Record queues as the program uses them: free functions over queue handles.
//
// A queue holds records laid out by the type descriptor it was made from, and
// one record buffer that the program reads and writes directly (through
// QueueBuffer) between operations. Records stand in the order they were
// added. The current record is the one last added or got; put and delete act
// on it, and a delete leaves none current.
//
// Each operation but QueueBuffer and RecordCount (which change it only for a
// bad handle) sets the error code that ErrorCode() returns: 0 on success, 30 (EntryNotFound) when a get finds no
// record, a position is outside 1 .. count, or a put or delete has no current
// record, 75 (InvalidFieldTypeDescriptor) when a key list names a field past
// the record's fields. These are the program's to check and are not reported.
// A handle that names no live queue is a run-time error (InvalidQueue, error
// code 803), and so is a descriptor that cannot be read (InvalidTypeDescriptor).
//
// Records hold reference slots as plain handles: adding, getting, putting and
// deleting copy them, and nothing here releases one. Releasing a record's
// reference is assigning null to the buffer's slot while it is current.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/data/ClearByDescriptor.h"
#include "runtime/data/Handle.h"

namespace runtime {

// A queue with no records and a cleared buffer; a refused descriptor is
// reported and gives kNullHandle.
Handle NewQueue(std::span<const std::uint8_t> record_descriptor);

// The record buffer: record size bytes, aligned for any scalar, at the same
// address for the queue's life. nullptr (reported) for a bad handle.
void* QueueBuffer(Handle queue);

void ClearQueueBuffer(Handle queue, int mode = kClearToZero);

// The buffer is appended as the new last record, which becomes current.
void AddRecord(Handle queue);

// `key_list` holds field numbers (1 .. field count, sign ignored) ended by 0,
// of which at most 16 are taken. Finds the first record, in queue order,
// whose key fields equal the buffer's, copies it into the buffer and makes
// it current.
void GetRecordByKey(Handle queue, std::span<const std::int32_t> key_list);

// Writes the buffer over the current record.
void PutRecord(Handle queue);

std::int32_t RecordCount(Handle queue);

// Copies the record at `position` (1 .. count) into the buffer and makes it current.
void GetRecordAt(Handle queue, std::int32_t position);

// Removes the current record; later records move up one position.
void DeleteRecord(Handle queue);

// Frees the queue and its records; releases no reference that they hold.
// Null does nothing.
void DisposeQueue(Handle queue);

// The error code of the last queue operation: 0, 30, 75, 802 or 803.
int ErrorCode();

}  // namespace runtime
