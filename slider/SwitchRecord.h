// SwitchRecord: one row of the slider switch manager's queue, one per switch.
#pragma once

#include <cstddef>
#include <cstdint>

// The layout is the one kSwitchRecordDescriptor gives the runtime: three
// 32-bit control numbers and a 4-byte reference slot, 16 bytes in all.
struct SwitchRecord {
  std::int32_t DWFEQ;        // the hidden check box; accepted events are posted to it
  std::int32_t DWIMAGEFEQ;   // the image control that shows the switch picture
  std::int32_t DWREGIONFEQ;  // the region control that catches the mouse; the lookup key
  std::uint32_t THEFIELD;    // handle of the reference to the check box's variable, owned by the record
};

static_assert(sizeof(SwitchRecord) == 16);
static_assert(offsetof(SwitchRecord, DWFEQ) == 0);
static_assert(offsetof(SwitchRecord, DWIMAGEFEQ) == 4);
static_assert(offsetof(SwitchRecord, DWREGIONFEQ) == 8);
static_assert(offsetof(SwitchRecord, THEFIELD) == 12);
