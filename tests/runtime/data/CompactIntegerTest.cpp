// Compact integers: sign, length bits and the bytes appended below.
#include <gtest/gtest.h>

#include "runtime/data/CompactInteger.h"
#include "tests/runtime/data/DescriptorBytes.h"

namespace runtime {
namespace {

using test::Bytes;

TEST(CompactInteger, ReadsValueAndLength) {
  struct Case { Bytes bytes; std::int32_t value; std::size_t length; };
  const Case cases[] = {
      {{0x04}, 4, 1},
      {{0x21, 0x00}, 256, 2},
      {{0x84}, -4, 1},
      {{0x00}, 0, 1},
      {{0x1F}, 31, 1},
      {{0x20, 0xFF}, 255, 2},
      {{0x41, 0x02, 0x03}, 0x010203, 3},
      {{0x7F, 0xFF, 0xFF, 0xFF}, 0x1FFFFFFF, 4},
      {{0xFF, 0xFF, 0xFF, 0xFF}, -0x1FFFFFFF, 4},
      {{0x04, 0x99}, 4, 1},  // what follows is not part of it
  };
  for (const Case& c : cases) {
    auto read = ReadCompactInteger(c.bytes);
    ASSERT_TRUE(read) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(read->value, c.value) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(read->length, c.length) << ::testing::PrintToString(c.bytes);
  }
}

TEST(CompactInteger, RefusesBytesThatEndTooSoon) {
  for (const Bytes& bytes : {Bytes{}, Bytes{0x21}, Bytes{0x60, 0x00, 0x00}, Bytes{0xC0, 0x01}}) {
    auto read = ReadCompactInteger(bytes);
    ASSERT_FALSE(read) << ::testing::PrintToString(bytes);
    EXPECT_EQ(read.error().fault, DescriptorFault::Truncated);
  }
}

}  // namespace
}  // namespace runtime
