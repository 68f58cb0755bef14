// The bytes of the program's two type descriptors.
#include "slider/Descriptors.h"

// Group header: kind 22, flags, then size, field count and descriptor length
// as little-endian 32-bit words.
const std::array<std::uint8_t, 60> kSwitchRecordDescriptor = {
    0x16, 0x00, 0x10, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00,
    // kind 6, named
    0x06, 0x02, 'D', 'W', 'F', 'E', 'Q', 0x00,
    0x06, 0x02, 'D', 'W', 'I', 'M', 'A', 'G', 'E', 'F', 'E', 'Q', 0x00,
    0x06, 0x02, 'D', 'W', 'R', 'E', 'G', 'I', 'O', 'N', 'F', 'E', 'Q', 0x00,
    // kind 15, named
    0x0F, 0x02, 'T', 'H', 'E', 'F', 'I', 'E', 'L', 'D', 0x00,
};

const std::array<std::uint8_t, 25> kSliderSwitchManagerDescriptor = {
    0x16, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x19, 0x00, 0x00, 0x00,
    // kind 31, named and with a gap: size byte 4, the name, the gap 4
    0x1F, 0x0A, 0x04, 'E', 'N', 'T', 'R', 'Y', 'Q', 0x00, 0x04,
};
