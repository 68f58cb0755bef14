// The type descriptors that the program hands the runtime.
#pragma once

#include <array>
#include <cstdint>

// The record descriptor of SwitchRecord (60 bytes): a group of 16 bytes with
// four named fields, DWFEQ, DWIMAGEFEQ and DWREGIONFEQ (kind 6) and THEFIELD
// (kind 15), at offsets 0, 4, 8 and 12. The queue of switches is made from it.
extern const std::array<std::uint8_t, 60> kSwitchRecordDescriptor;

// The class data descriptor of SliderSwitchManager (25 bytes): a group of 8
// bytes with one field, ENTRYQ (kind 31, size 4), after a gap of 4 bytes that
// leaves the class identity word undescribed. A new manager is cleared by it.
extern const std::array<std::uint8_t, 25> kSliderSwitchManagerDescriptor;
