// Clearing memory by descriptor: described fields only, references not released.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "runtime/data/ClearByDescriptor.h"
#include "runtime/data/Reference.h"
#include "tests/runtime/data/DescriptorBytes.h"
#include "tests/runtime/data/ErrorCollector.h"

namespace runtime {
namespace {

using test::Bytes;
using test::Cat;
using test::Group;

constexpr std::uint8_t kFill = 0xAB;

// Fills a block, clears it by `descriptor`, and lists which bytes became 0.
std::vector<bool> ClearedBytes(const Bytes& descriptor, std::size_t size) {
  Bytes block(size, kFill);
  ClearByDescriptor(block.data(), descriptor);
  std::vector<bool> cleared;
  for (std::uint8_t byte : block) cleared.push_back(byte == 0);
  return cleared;
}

std::vector<bool> Marks(std::size_t size, std::initializer_list<std::pair<std::size_t, std::size_t>> spans) {
  std::vector<bool> marks(size, false);
  for (auto [from, to] : spans) {
    for (std::size_t i = from; i < to; ++i) marks[i] = true;
  }
  return marks;
}

TEST(ClearByDescriptor, ClearsDescribedFieldsAndLeavesTheRest) {
  test::ErrorCollector errors;
  // Undescribed identity word, a kind 31 slot, a number, a gap, a kind 15
  // slot, a byte, then two undescribed bytes.
  const Bytes fields = Group(0, 20, 4, {31, 0x08, 4, 4, 6, 0, 15, 0x08, 2, 1, 0});
  EXPECT_EQ(ClearedBytes(fields, 22), Marks(22, {{4, 12}, {14, 19}}));

  // Each element of a dimensioned group has its fields cleared in place.
  const Bytes group = Group(0, 16, 1, Group(0x10, 4, 1, {1, 3, 1, 0x08, 1}));
  EXPECT_EQ(ClearedBytes(group, 16), Marks(16, {{1, 2}, {5, 6}, {9, 10}}));

  EXPECT_EQ(ClearedBytes({6, 0, 0, 0}, 4), Marks(4, {})) << "a first byte other than 22 describes nothing";
  EXPECT_TRUE(errors.Take().empty());
}

TEST(ClearByDescriptor, NullsReferenceSlotsWithoutReleasingThem) {
  test::ErrorCollector errors;
  std::uint8_t variable = 7;
  const std::size_t live = LiveReferenceCount();
  std::array<std::uint32_t, 2> block = {MakeReference(&variable, kKindUnsigned8), 0};
  const std::uint32_t held = block[0];
  ClearByDescriptor(block.data(), Group(0, 4, 1, {15, 0}));
  EXPECT_EQ(block[0], 0u);
  EXPECT_EQ(LiveReferenceCount(), live + 1);
  EXPECT_EQ(CompareValue(held, 7), 0) << "the reference still designates its variable";
  FreeReference(held);
  EXPECT_TRUE(errors.Take().empty());
}

TEST(ClearByDescriptor, ReportsARefusedDescriptorAndTouchesNothing) {
  test::ErrorCollector errors;
  Bytes block(8, kFill);
  ClearByDescriptor(block.data(), Group(0, 4, 2, {6, 0}));
  EXPECT_EQ(errors.Take(), std::vector{ErrorNumber::InvalidTypeDescriptor});
  EXPECT_EQ(block, Bytes(8, kFill));
}

}  // namespace
}  // namespace runtime
