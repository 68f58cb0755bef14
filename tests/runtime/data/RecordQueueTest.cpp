// Record queues: keyed and positional gets, put and delete keeping the index right, bad handles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "runtime/data/Queue.h"
#include "runtime/data/Reference.h"
#include "tests/runtime/data/DescriptorBytes.h"
#include "tests/runtime/data/ErrorCollector.h"

namespace runtime {
namespace {

using test::Bytes;
using test::Group;

struct Row {
  std::int32_t key;
  std::int32_t value;
  std::uint32_t slot;
};

// Row: KEY and VALUE (kind 6), then a reference slot (kind 15).
const Bytes kRowDescriptor = Group(0, 12, 3, {6, 0, 6, 0, 15, 0});
constexpr std::int32_t kByKey[] = {1, 0};
constexpr int kEntryNotFound = 30;
constexpr int kInvalidField = 75;

class RecordQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    queue_ = NewQueue(kRowDescriptor);
    ASSERT_NE(queue_, kNullHandle);
  }
  void TearDown() override {
    DisposeQueue(queue_);
    EXPECT_TRUE(errors_.Take().empty());
  }

  Row& Buffer() { return *static_cast<Row*>(QueueBuffer(queue_)); }
  void Add(std::int32_t key, std::int32_t value) {
    Buffer() = Row{key, value, 0};
    AddRecord(queue_);
  }
  // The value of the record found by `key`, or the error code.
  std::int32_t ValueOf(std::int32_t key) {
    Buffer().key = key;
    GetRecordByKey(queue_, kByKey);
    return ErrorCode() == 0 ? Buffer().value : -ErrorCode();
  }
  std::vector<std::int32_t> ValuesByPosition() {
    std::vector<std::int32_t> values;
    for (std::int32_t position = 1; position <= RecordCount(queue_); ++position) {
      GetRecordAt(queue_, position);
      values.push_back(ErrorCode() == 0 ? Buffer().value : -ErrorCode());
    }
    return values;
  }

  test::ErrorCollector errors_;
  Handle queue_ = kNullHandle;
};

TEST_F(RecordQueueTest, NewQueueHasNoRecordsAndAClearedAlignedBuffer) {
  EXPECT_EQ(RecordCount(queue_), 0);
  void* buffer = QueueBuffer(queue_);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer) % alignof(std::max_align_t), 0u);
  EXPECT_EQ(Buffer().key, 0);
  EXPECT_EQ(Buffer().slot, 0u);
  for (int i = 0; i < 100; ++i) Add(i, i);
  EXPECT_EQ(QueueBuffer(queue_), buffer) << "the buffer stays put as records are added";
}

TEST_F(RecordQueueTest, KeyedGetFindsTheFirstMatchInQueueOrder) {
  Add(1, 100);
  Add(2, 200);
  Add(1, 101);
  EXPECT_EQ(ValueOf(1), 100);
  EXPECT_EQ(ValueOf(2), 200);
  EXPECT_EQ(ValueOf(3), -kEntryNotFound);

  ValueOf(1);
  DeleteRecord(queue_);
  EXPECT_EQ(ValueOf(1), 101) << "the duplicate behind the deleted record";

  // Moving the later duplicate's key onto 2 must not put it ahead of the earlier record.
  Buffer().key = 2;
  PutRecord(queue_);
  EXPECT_EQ(ErrorCode(), 0);
  EXPECT_EQ(ValueOf(2), 200);
  EXPECT_EQ(ValueOf(1), -kEntryNotFound);
}

TEST_F(RecordQueueTest, AMissLeavesTheBufferAsItWas) {
  Add(1, 100);
  Buffer() = Row{9, 42, 7};
  GetRecordByKey(queue_, kByKey);
  EXPECT_EQ(ErrorCode(), kEntryNotFound);
  EXPECT_EQ(Buffer().key, 9);
  EXPECT_EQ(Buffer().value, 42);
  EXPECT_EQ(Buffer().slot, 7u);
  EXPECT_EQ(ValueOf(1), 100);
  EXPECT_EQ(ErrorCode(), 0) << "the next operation that succeeds clears the code";
}

TEST_F(RecordQueueTest, KeyListsAreTakenBySizeSignAndAtMostSixteen) {
  Add(5, 500);
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  struct Case { const char* what; std::vector<std::int32_t> keys; int code; };
  const Case cases[] = {
      {"a number is taken without its sign", {-1, 0}, 0},
      {"several fields", {1, 2, 0}, 0},
      {"the list may end without its 0", {1}, 0},
      {"nothing after the end mark counts", {1, 0, 9}, 0},
      {"a field past the record's fields", {4, 0}, kInvalidField},
      {"a negative one past them", {-4, 0}, kInvalidField},
      {"the most negative number", {kMin, 0}, kInvalidField},
      {"a bad field among good ones", {1, 2, 9, 0}, kInvalidField},
      {"only sixteen are taken", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 99, 0}, 0},
  };
  for (const Case& c : cases) {
    Buffer() = Row{5, 500, 0};
    GetRecordByKey(queue_, c.keys);
    EXPECT_EQ(ErrorCode(), c.code) << c.what;
    EXPECT_EQ(Buffer().key, 5) << c.what;
  }
  Buffer() = Row{5, 501, 0};
  GetRecordByKey(queue_, std::vector<std::int32_t>{1, 2, 0});
  EXPECT_EQ(ErrorCode(), kEntryNotFound) << "both fields must match";
}

TEST_F(RecordQueueTest, DeleteShiftsPositionsAndTheIndexFollows) {
  for (std::int32_t key = 1; key <= 5; ++key) Add(key, key * 10);
  EXPECT_EQ(ValueOf(3), 30);  // builds the index before the changes below

  GetRecordAt(queue_, 2);
  DeleteRecord(queue_);
  EXPECT_EQ(ErrorCode(), 0);
  EXPECT_EQ(ValuesByPosition(), (std::vector<std::int32_t>{10, 30, 40, 50}));
  EXPECT_EQ(ValueOf(2), -kEntryNotFound);
  EXPECT_EQ(ValueOf(4), 40);

  // The record at position 3 now is key 4; changing it through put moves it in the index.
  GetRecordAt(queue_, 3);
  Buffer().key = 7;
  Buffer().value = 70;
  PutRecord(queue_);
  EXPECT_EQ(ValueOf(4), -kEntryNotFound);
  EXPECT_EQ(ValueOf(7), 70);
  EXPECT_EQ(ValuesByPosition(), (std::vector<std::int32_t>{10, 30, 70, 50}));

  Add(2, 20);  // added after the index was built
  EXPECT_EQ(ValueOf(2), 20);
  EXPECT_EQ(RecordCount(queue_), 5);
}

// Many adds, puts and deletes with keys that repeat, checked against a plain
// list: the index must agree with a front-to-back search after every step.
TEST_F(RecordQueueTest, IndexAgreesWithASearchThroughManyChanges) {
  std::vector<Row> model;
  std::uint32_t mix = 7;
  auto next = [&mix](std::uint32_t below) {
    mix = mix * 1664525u + 1013904223u;
    return (mix >> 8) % below;
  };
  for (std::int32_t step = 0; step < 3000; ++step) {
    const std::int32_t key = static_cast<std::int32_t>(next(200));
    const std::uint32_t action = model.empty() ? 0 : next(4);
    if (action <= 1) {
      Add(key, step);
      model.push_back(Row{key, step, 0});
      continue;
    }
    const std::size_t position = next(static_cast<std::uint32_t>(model.size()));
    GetRecordAt(queue_, static_cast<std::int32_t>(position + 1));
    ASSERT_EQ(Buffer().value, model[position].value);
    if (action == 2) {
      DeleteRecord(queue_);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(position));
    } else {
      Buffer().key = key;
      PutRecord(queue_);
      model[position].key = key;
    }
    const std::int32_t probe = static_cast<std::int32_t>(next(200));
    auto first = std::find_if(model.begin(), model.end(), [probe](const Row& row) { return row.key == probe; });
    ASSERT_EQ(ValueOf(probe), first == model.end() ? -kEntryNotFound : first->value) << "step " << step;
  }
  ASSERT_EQ(RecordCount(queue_), static_cast<std::int32_t>(model.size()));
}

TEST_F(RecordQueueTest, PositionsOutsideTheQueueAndNoCurrentRecordAreErrorCodes) {
  Add(1, 10);
  for (std::int32_t position : {0, -1, 2}) {
    GetRecordAt(queue_, position);
    EXPECT_EQ(ErrorCode(), kEntryNotFound) << position;
  }
  GetRecordAt(queue_, 1);
  DeleteRecord(queue_);
  PutRecord(queue_);
  EXPECT_EQ(ErrorCode(), kEntryNotFound) << "put after delete has no record to write over";
  DeleteRecord(queue_);
  EXPECT_EQ(ErrorCode(), kEntryNotFound);
  EXPECT_EQ(RecordCount(queue_), 0);
}

TEST(RecordQueue, RecordSizeCountsTheHeaderDimensions) {
  test::ErrorCollector errors;
  const Handle queue = NewQueue(Group(0x10, 4, 1, {1, 3, 6, 0}));
  auto* buffer = static_cast<std::int32_t*>(QueueBuffer(queue));
  buffer[0] = 1, buffer[1] = 2, buffer[2] = 3;
  AddRecord(queue);
  std::memset(buffer, 0, 12);
  GetRecordAt(queue, 1);
  EXPECT_EQ((std::vector<std::int32_t>(buffer, buffer + 3)), (std::vector<std::int32_t>{1, 2, 3}));
  DisposeQueue(queue);
  EXPECT_TRUE(errors.Take().empty());
}

TEST(RecordQueue, BadHandlesAndDescriptorsAreReported) {
  test::ErrorCollector errors;
  EXPECT_EQ(NewQueue(Group(0, 4, 1, {6, 0, 6, 0})), kNullHandle);
  EXPECT_EQ(errors.Take(), std::vector{ErrorNumber::InvalidTypeDescriptor});

  const Handle disposed = NewQueue(kRowDescriptor);
  DisposeQueue(disposed);
  std::uint8_t variable = 0;
  const Handle reference = MakeReference(&variable, kKindUnsigned8);
  for (Handle bad : {disposed, reference, Handle{0x00ABCDEF}}) {
    EXPECT_EQ(QueueBuffer(bad), nullptr);
    AddRecord(bad);
    EXPECT_EQ(ErrorCode(), 803);
    GetRecordByKey(bad, kByKey);
    GetRecordAt(bad, 1);
    PutRecord(bad);
    DeleteRecord(bad);
    EXPECT_EQ(RecordCount(bad), 0);
    DisposeQueue(bad);
    EXPECT_EQ(errors.Take(), std::vector<ErrorNumber>(8, ErrorNumber::InvalidQueue)) << bad;
  }
  EXPECT_EQ(CompareValue(reference, 0), 0) << "a reference handed to the queue operations is left alone";
  FreeReference(reference);
  const Handle fresh = NewQueue(kRowDescriptor);
  EXPECT_NE(fresh, disposed) << "a new queue does not take a disposed queue's handle";
  DisposeQueue(fresh);
  EXPECT_TRUE(errors.Take().empty());
}

}  // namespace
}  // namespace runtime
