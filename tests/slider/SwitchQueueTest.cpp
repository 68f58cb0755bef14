// The queue of SwitchRecords as the manager uses it: buffer, keyed get by region, release on kill.
#include <gtest/gtest.h>

#include <array>

#include "runtime/data/Queue.h"
#include "runtime/data/Reference.h"
#include "runtime/error/ErrorReport.h"
#include "slider/Descriptors.h"
#include "slider/SwitchRecord.h"

namespace {

constexpr std::int32_t kRegionKey[] = {3, 0};
constexpr std::int32_t kFifthField[] = {5, 0};

// A queue holding one record per one-byte variable, each with a reference of
// its own, added the way the manager adds switches.
class SwitchQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    live_at_start_ = runtime::LiveReferenceCount();
    queue_ = runtime::NewQueue(kSwitchRecordDescriptor);
    ASSERT_NE(queue_, runtime::kNullHandle);
    for (std::size_t i = 0; i < variables_.size(); ++i) {
      runtime::ClearQueueBuffer(queue_);
      SwitchRecord& record = Buffer();
      record.DWFEQ = static_cast<std::int32_t>(3 + i);
      const runtime::Handle temporary = runtime::MakeReference(&variables_[i], runtime::kKindUnsigned8);
      runtime::AssignReference(record.THEFIELD, temporary);
      runtime::FreeReference(temporary);
      record.DWREGIONFEQ = static_cast<std::int32_t>(100 + 2 * i);
      record.DWIMAGEFEQ = static_cast<std::int32_t>(101 + 2 * i);
      runtime::AddRecord(queue_);
    }
  }
  void TearDown() override { EXPECT_TRUE(errors_.empty()); }

  SwitchRecord& Buffer() { return *static_cast<SwitchRecord*>(runtime::QueueBuffer(queue_)); }

  // What the manager's Kill does: release each record's reference, last first.
  void Kill() {
    for (std::int32_t position = runtime::RecordCount(queue_); position >= 1; --position) {
      runtime::GetRecordAt(queue_, position);
      if (runtime::ErrorCode() != 0) continue;
      runtime::AssignReference(Buffer().THEFIELD, runtime::kNullHandle);
      runtime::DeleteRecord(queue_);
    }
    runtime::DisposeQueue(queue_);
  }

  std::vector<runtime::ErrorNumber> errors_;
  runtime::ScopedErrorHook hook_{[this](const runtime::RuntimeError& error) { errors_.push_back(error.number); }};
  std::array<std::uint8_t, 3> variables_ = {0, 1, 2};
  std::size_t live_at_start_ = 0;
  runtime::Handle queue_ = runtime::kNullHandle;
};

TEST_F(SwitchQueueTest, ClearingTheBufferLeavesStoredReferencesAlone) {
  runtime::ClearQueueBuffer(queue_);
  EXPECT_EQ(Buffer().THEFIELD, 0u);
  EXPECT_EQ(Buffer().DWREGIONFEQ, 0);
  EXPECT_EQ(runtime::LiveReferenceCount(), live_at_start_ + variables_.size()) << "one per record";
  runtime::GetRecordAt(queue_, 2);
  ASSERT_EQ(runtime::ErrorCode(), 0);
  runtime::AssignValue(Buffer().THEFIELD, 7);
  EXPECT_EQ(variables_[1], 7) << "the stored record still designates its variable";
  Kill();
}

TEST_F(SwitchQueueTest, RegionKeyFindsItsSwitch) {
  Buffer().DWREGIONFEQ = 102;
  runtime::GetRecordByKey(queue_, kRegionKey);
  ASSERT_EQ(runtime::ErrorCode(), 0);
  EXPECT_EQ(Buffer().DWFEQ, 4);
  EXPECT_EQ(Buffer().DWIMAGEFEQ, 103);

  // A toggle as the manager does it: write through the reference, put back.
  EXPECT_EQ(runtime::CompareValue(Buffer().THEFIELD, 1), 0);
  runtime::AssignValue(Buffer().THEFIELD, 0);
  runtime::PutRecord(queue_);
  EXPECT_EQ(variables_[1], 0);

  const SwitchRecord before = Buffer();
  Buffer().DWREGIONFEQ = 101;  // an image, not a region
  runtime::GetRecordByKey(queue_, kRegionKey);
  EXPECT_EQ(runtime::ErrorCode(), 30);
  EXPECT_EQ(Buffer().DWFEQ, before.DWFEQ);
  EXPECT_EQ(Buffer().THEFIELD, before.THEFIELD);
  EXPECT_EQ(Buffer().DWREGIONFEQ, 101);

  runtime::GetRecordByKey(queue_, kFifthField);
  EXPECT_EQ(runtime::ErrorCode(), 75);
  Kill();
}

TEST_F(SwitchQueueTest, ValuesOtherThanOneAreOff) {
  for (std::uint8_t value : {2, 255, 0}) {
    variables_[0] = value;
    runtime::GetRecordAt(queue_, 1);
    EXPECT_NE(runtime::CompareValue(Buffer().THEFIELD, 1), 0) << int{value};
  }
  runtime::AssignValue(Buffer().THEFIELD, 1);
  EXPECT_EQ(variables_[0], 1);
  EXPECT_EQ(runtime::CompareValue(Buffer().THEFIELD, 1), 0);
  Kill();
}

TEST_F(SwitchQueueTest, KillReleasesEveryReferenceOnceAndLeavesTheVariables) {
  const auto before = variables_;
  Kill();
  EXPECT_EQ(runtime::LiveReferenceCount(), live_at_start_);
  EXPECT_EQ(variables_, before);
  runtime::RecordCount(queue_);
  EXPECT_EQ(errors_, std::vector{runtime::ErrorNumber::InvalidQueue}) << "the queue is gone";
  errors_.clear();
}

}  // namespace
