// The program's two type descriptors, read by the runtime, against the C++ layout.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "runtime/data/ClearByDescriptor.h"
#include "runtime/data/TypeDescriptor.h"
#include "slider/Descriptors.h"
#include "slider/SwitchRecord.h"

namespace {

TEST(Descriptors, SwitchRecordDescriptorMatchesTheStruct) {
  auto read = runtime::ReadTypeDescriptor(kSwitchRecordDescriptor);
  ASSERT_TRUE(read) << read.error().Message();
  EXPECT_EQ(read->length, 60);
  EXPECT_EQ(read->record_size, static_cast<std::int32_t>(sizeof(SwitchRecord)));
  struct Expected { const char* name; std::uint8_t kind; std::size_t offset; };
  const Expected expected[] = {{"DWFEQ", 6, offsetof(SwitchRecord, DWFEQ)},
                               {"DWIMAGEFEQ", 6, offsetof(SwitchRecord, DWIMAGEFEQ)},
                               {"DWREGIONFEQ", 6, offsetof(SwitchRecord, DWREGIONFEQ)},
                               {"THEFIELD", 15, offsetof(SwitchRecord, THEFIELD)}};
  ASSERT_EQ(read->fields.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const runtime::FieldDescriptor& field = read->fields[i];
    EXPECT_EQ(field.number, static_cast<std::int32_t>(i + 1));
    EXPECT_EQ(field.name, expected[i].name);
    EXPECT_EQ(field.kind, expected[i].kind) << field.name;
    EXPECT_EQ(field.offset, static_cast<std::int32_t>(expected[i].offset)) << field.name;
    EXPECT_EQ(field.size, 4) << field.name;
  }
}

TEST(Descriptors, ManagerDescriptorHoldsEntryqBehindTheIdentityWord) {
  auto read = runtime::ReadTypeDescriptor(kSliderSwitchManagerDescriptor);
  ASSERT_TRUE(read) << read.error().Message();
  EXPECT_EQ(read->length, 25);
  EXPECT_EQ(read->record_size, 8);
  ASSERT_EQ(read->fields.size(), 1u);
  EXPECT_EQ(read->fields[0].name, "ENTRYQ");
  EXPECT_EQ(read->fields[0].kind, 31);
  EXPECT_EQ(read->fields[0].offset, 4);
  EXPECT_EQ(read->fields[0].size, 4);

  std::uint32_t object[2] = {0x12345678, 0xDEADBEEF};
  runtime::ClearByDescriptor(object, kSliderSwitchManagerDescriptor);
  EXPECT_EQ(object[0], 0x12345678u) << "the identity word is not described and stays";
  EXPECT_EQ(object[1], 0u) << "ENTRYQ becomes null";
}

}  // namespace
