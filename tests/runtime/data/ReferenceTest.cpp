// References: writing and comparing through slots, each slot's own object, stale handles.
#include <gtest/gtest.h>

#include <memory>

#include "runtime/data/Queue.h"
#include "runtime/data/Reference.h"
#include "tests/runtime/data/ErrorCollector.h"

namespace runtime {
namespace {

class ReferenceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(LiveReferenceCount(), live_at_start_) << "every reference made was released";
    EXPECT_TRUE(errors_.Take().empty());
  }

  test::ErrorCollector errors_;
  const std::size_t live_at_start_ = LiveReferenceCount();
};

TEST_F(ReferenceTest, AssignsAndComparesInTheVariablesOwnType) {
  struct Case { std::int64_t assigned; std::uint8_t byte; std::int32_t word; };
  const Case cases[] = {
      {1, 1, 1}, {0, 0, 0}, {255, 255, 255}, {256, 0, 256}, {-1, 255, -1}, {(std::int64_t{1} << 32) + 7, 7, 7},
  };
  std::uint8_t byte = 9;
  std::int32_t word = 9;
  std::uint32_t byte_slot = 0;
  std::uint32_t word_slot = 0;
  const Handle byte_reference = MakeReference(&byte, kKindUnsigned8);
  const Handle word_reference = MakeReference(&word, kKindSigned32);
  AssignReference(byte_slot, byte_reference);
  AssignReference(word_slot, word_reference);
  FreeReference(byte_reference);
  FreeReference(word_reference);
  for (const Case& c : cases) {
    AssignValue(byte_slot, c.assigned);
    AssignValue(word_slot, c.assigned);
    EXPECT_EQ(byte, c.byte) << c.assigned;
    EXPECT_EQ(word, c.word) << c.assigned;
    EXPECT_EQ(CompareValue(byte_slot, c.byte), 0) << c.assigned;
    EXPECT_EQ(CompareValue(word_slot, c.word), 0) << c.assigned;
  }
  for (std::uint8_t value : {0, 2, 255}) {
    byte = value;
    EXPECT_NE(CompareValue(byte_slot, 1), 0) << int{value};
  }
  byte = 1;
  EXPECT_EQ(CompareValue(byte_slot, 1), 0);
  AssignReference(byte_slot, kNullHandle);
  AssignReference(word_slot, kNullHandle);
  EXPECT_EQ(byte_slot, 0u);
  EXPECT_NE(CompareValue(byte_slot, 0), 0) << "a null slot equals nothing";
  EXPECT_EQ(byte, 1) << "releasing a reference leaves its variable alone";
}

TEST_F(ReferenceTest, ASlotGetsAReferenceOfItsOwn) {
  std::uint8_t first = 1;
  std::uint8_t second = 2;
  const Handle given = MakeReference(&first, kKindUnsigned8);
  std::uint32_t slot = 0;
  AssignReference(slot, given);
  EXPECT_NE(slot, given);
  EXPECT_EQ(LiveReferenceCount(), live_at_start_ + 2);
  FreeReference(given);
  AssignValue(slot, 5);
  EXPECT_EQ(first, 5) << "the slot's reference outlives the one it was made from";

  const Handle other = MakeReference(&second, kKindUnsigned8);
  AssignReference(slot, other);
  EXPECT_EQ(LiveReferenceCount(), live_at_start_ + 2) << "the slot released what it held";
  AssignReference(slot, slot);
  EXPECT_EQ(LiveReferenceCount(), live_at_start_ + 2);
  EXPECT_EQ(CompareValue(slot, 2), 0) << "assigning a slot its own reference keeps the variable";
  FreeReference(other);
  AssignReference(slot, kNullHandle);
}

TEST_F(ReferenceTest, ANullSlotGetsAnAnonymousValueThatItsCopiesShare) {
  std::uint32_t slot = 0;
  AssignValue(slot, 300);
  ASSERT_NE(slot, 0u);
  EXPECT_EQ(CompareValue(slot, 300), 0);
  std::uint32_t copy = 0;
  AssignReference(copy, slot);
  AssignReference(slot, kNullHandle);
  AssignValue(copy, 301);
  EXPECT_EQ(CompareValue(copy, 301), 0) << "the value lives as long as a reference to it";
  AssignReference(copy, kNullHandle);
}

TEST_F(ReferenceTest, StaleAndForeignHandlesAreReportedNotFollowed) {
  // The variable is freed too, so following the stale reference would be a
  // use after free that the sanitizers catch.
  auto variable = std::make_unique<std::int32_t>(4);
  std::uint32_t stale = MakeReference(variable.get(), kKindSigned32);
  const std::uint32_t copy_of_stale = stale;
  FreeReference(stale);
  variable.reset();
  const Handle queue = NewQueue(std::span<const std::uint8_t>{});
  std::uint8_t other = 3;
  const Handle fresh = MakeReference(&other, kKindUnsigned8);
  EXPECT_NE(fresh, copy_of_stale) << "a released handle is not handed out again at once";

  for (std::uint32_t bad : {copy_of_stale, std::uint32_t{queue}, std::uint32_t{0xFFFFFFFF}}) {
    std::uint32_t slot = bad;
    AssignValue(slot, 1);
    EXPECT_NE(CompareValue(slot, 4), 0);
    AssignReference(slot, fresh);
    EXPECT_EQ(slot, bad) << "a slot holding a bad handle is left as it is";
    std::uint32_t good = 0;
    AssignReference(good, bad);
    EXPECT_EQ(good, 0u);
    FreeReference(bad);
    EXPECT_EQ(errors_.Take(), std::vector<ErrorNumber>(5, ErrorNumber::InvalidReference)) << bad;
  }
  EXPECT_EQ(other, 3);
  FreeReference(fresh);
  DisposeQueue(queue);
}

TEST_F(ReferenceTest, AHandleStaysStaleThroughManyReuses) {
  std::uint8_t variable = 0;
  const Handle first = MakeReference(&variable, kKindUnsigned8);
  FreeReference(first);
  for (int i = 0; i < 10000; ++i) {
    const Handle again = MakeReference(&variable, kKindUnsigned8);
    ASSERT_NE(again, first) << i;
    FreeReference(again);
  }
  FreeReference(first);
  EXPECT_EQ(errors_.Take(), std::vector{ErrorNumber::InvalidReference});
}

TEST_F(ReferenceTest, OnlyKnownKindsAtRealAddressesCanBeReferenced) {
  std::uint8_t variable = 0;
  EXPECT_EQ(MakeReference(&variable, 2), kNullHandle);
  EXPECT_EQ(MakeReference(nullptr, kKindUnsigned8), kNullHandle);
  EXPECT_EQ(errors_.Take(), std::vector<ErrorNumber>(2, ErrorNumber::InvalidReference));
}

}  // namespace
}  // namespace runtime
