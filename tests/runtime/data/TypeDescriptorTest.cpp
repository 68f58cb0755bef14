// Reading type descriptors: every part of a field entry, and refusing damaged ones.
#include <gtest/gtest.h>

#include <string>

#include "runtime/data/TypeDescriptor.h"
#include "tests/runtime/data/DescriptorBytes.h"

namespace runtime {
namespace {

using test::Bytes;
using test::Cat;
using test::Group;
using test::Text;
using test::Word;

// One field as "number kind name @offset size [dims] in group".
std::string Show(const FieldDescriptor& field) {
  std::string text = std::to_string(field.number) + " k" + std::to_string(field.kind) + " '" + field.name + "' @" +
                     std::to_string(field.offset) + " s" + std::to_string(field.size);
  for (std::int32_t dimension : field.dimensions) text += " d" + std::to_string(dimension);
  if (field.group != 0) text += " in" + std::to_string(field.group);
  return text;
}

struct ValidCase {
  const char* what;
  Bytes bytes;
  std::int32_t size;
  std::int32_t record_size;
  std::vector<std::string> fields;
};

TEST(TypeDescriptor, ReadsEveryPartOfAFieldEntry) {
  const ValidCase cases[] = {
      {"sizes from the table by kind",
       Group(0, 37, 7, {1, 0, 2, 0, 9, 0, 38, 0, 45, 0, 50, 0, 6, 0}), 37, 37,
       {"1 k1 '' @0 s1", "2 k2 '' @1 s2", "3 k9 '' @3 s8", "4 k38 '' @11 s6", "5 k45 '' @17 s16",
        "6 k50 '' @33 s0", "7 k6 '' @33 s4"}},
      {"kinds 10 and 11 carry a size byte and a parameter byte",
       Group(0, 8, 2, {10, 0, 5, 2, 11, 0, 3, 0}), 8, 8, {"1 k10 '' @0 s5", "2 k11 '' @5 s3"}},
      {"kinds 18 to 21 carry a compact size, and a string under flag 0x04",
       Group(0, 300, 4, Cat({{18, 0, 4}, {19, 4, 0x21, 0x00}, Text("AB"), {20, 0x06, 5}, Text(""), Text("S"),
                             {21, 0x02, 3}, Text("N")})),
       300, 300, {"1 k18 '' @0 s4", "2 k19 '' @4 s256", "3 k20 'S' @260 s5", "4 k21 'N' @265 s3"}},
      {"kind 31 carries a size byte", Group(0, 10, 2, {31, 0, 8, 31, 0, 2}), 10, 10,
       {"1 k31 '' @0 s8", "2 k31 '' @8 s2"}},
      {"the name and the second string",
       Group(0, 8, 2, Cat({{6, 0x03}, Text("A"), Text("XY"), {6, 0x01}, Text("skipped")})), 8, 8,
       {"1 k6 'A' @0 s4", "2 k6 '' @4 s4"}},
      {"a gap moves the field and those after it",
       Group(0, 28, 3, {6, 0x08, 4, 6, 0x08, 0x20, 0x0C, 6, 0}), 28, 28,
       {"1 k6 '' @4 s4", "2 k6 '' @20 s4", "3 k6 '' @24 s4"}},
      {"dimensions multiply the room a field takes",
       Group(0, 26, 2, {6, 0x10, 2, 3, 2, 2, 0x10, 0}), 26, 26, {"1 k6 '' @0 s4 d3 d2", "2 k2 '' @24 s2"}},
      {"a nested group is numbered before its fields, which lie from its offset",
       Group(0, 16, 3, Cat({{1, 0}, Group(0x08, 8, 2, {3, 6, 0, 6, 0}), {6, 0}})), 16, 16,
       {"1 k1 '' @0 s1", "2 k22 '' @4 s8", "3 k6 '' @4 s4 in2", "4 k6 '' @8 s4 in2", "5 k6 '' @12 s4"}},
      {"groups nest in groups",
       Group(0, 12, 2, Cat({Group(0x12, 4, 1, Cat({Text("OUTER"), {1, 2}, Group(0, 4, 1, {6, 0})})), {6, 0}})), 12, 12,
       {"1 k22 'OUTER' @0 s4 d2", "2 k22 '' @0 s4 in1", "3 k6 '' @0 s4 in2", "4 k6 '' @8 s4"}},
      {"the header's dimensions make the record size", Group(0x10, 4, 1, {1, 3, 6, 0}), 4, 12, {"1 k6 '' @0 s4"}},
      {"the header may have a name", Group(0x02, 4, 1, Cat({Text("REC"), {6, 0}})), 4, 4, {"1 k6 '' @0 s4"}},
      {"fields may leave room at the end", Group(0, 10, 1, {6, 0}), 10, 10, {"1 k6 '' @0 s4"}},
      {"bytes past the stated length are not read", Cat({Group(0, 4, 1, {6, 0}), {0xEE, 0xEE}}), 4, 4,
       {"1 k6 '' @0 s4"}},
      {"a first byte other than 22 describes nothing", {6, 2, 'A', 0}, 0, 0, {}},
      {"no bytes describe nothing", {}, 0, 0, {}},
  };
  for (const ValidCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto read = ReadTypeDescriptor(c.bytes);
    ASSERT_TRUE(read) << read.error().Message();
    EXPECT_EQ(read->size, c.size);
    EXPECT_EQ(read->record_size, c.record_size);
    std::vector<std::string> fields;
    for (const FieldDescriptor& field : read->fields) fields.push_back(Show(field));
    EXPECT_EQ(fields, c.fields);
  }
}

// Groups nested `depth` deep inside the header, with one kind 6 field innermost.
Bytes Nested(int depth) {
  Bytes inner = {6, 0};
  for (int i = 0; i < depth; ++i) inner = Group(0, 4, 1, inner);
  return Group(0, 4, 1, inner);
}

struct RefusedCase {
  const char* what;
  Bytes bytes;
  DescriptorFault fault;
};

TEST(TypeDescriptor, RefusesDamagedDescriptors) {
  const Bytes one_field = Group(0, 4, 1, {6, 0});  // 16 bytes
  auto with_byte = [](Bytes bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
  };
  const RefusedCase cases[] = {
      {"header cut short", Bytes(one_field.begin(), one_field.begin() + 13), DescriptorFault::Truncated},
      {"stated length past the buffer", Bytes(one_field.begin(), one_field.end() - 1), DescriptorFault::Truncated},
      {"stated length below a header", with_byte(one_field, 10, 13), DescriptorFault::BadLength},
      {"entries past the stated length", Cat({with_byte(one_field, 10, 15), {0}}), DescriptorFault::PastStatedLength},
      {"entries end before the stated length", Cat({with_byte(one_field, 10, 17), {0}}),
       DescriptorFault::LengthMismatch},
      {"more fields counted than written", with_byte(one_field, 6, 2), DescriptorFault::PastStatedLength},
      {"fewer fields counted than written", with_byte(one_field, 6, 0), DescriptorFault::LengthMismatch},
      {"negative field count", Group(0, 4, -1, {6, 0}), DescriptorFault::BadCount},
      {"negative size", Group(0, -4, 1, {6, 0}), DescriptorFault::BadSize},
      {"absurd size", Group(0, 0x7FFFFFFF, 1, {6, 0}), DescriptorFault::BadSize},
      {"negative compact size", Group(0, 4, 1, {18, 0, 0x81}), DescriptorFault::BadSize},
      {"field past the stated size", Group(0, 3, 1, {6, 0}), DescriptorFault::FieldOverrunsSize},
      {"gap past the stated size", Group(0, 8, 1, {6, 0x08, 5}), DescriptorFault::FieldOverrunsSize},
      {"absurd gap", Group(0, 8, 1, {6, 0x08, 0x7F, 0xFF, 0xFF, 0xFF}), DescriptorFault::FieldOverrunsSize},
      {"negative gap", Group(0, 8, 1, {6, 0x08, 0x84}), DescriptorFault::BadGap},
      {"dimension 0", Group(0, 8, 1, {6, 0x10, 1, 0}), DescriptorFault::BadDimension},
      {"negative dimension", Group(0, 8, 1, {6, 0x10, 1, 0x82}), DescriptorFault::BadDimension},
      {"absurd dimensions", Group(0, 8, 1, {6, 0x10, 2, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF}),
       DescriptorFault::BadDimension},
      {"dimensions past the stated size", Group(0, 8, 1, {6, 0x10, 1, 3}), DescriptorFault::FieldOverrunsSize},
      {"header dimensions too large", Group(0x10, 4096, 1, {1, 0x41, 0x00, 0x00, 6, 0}), DescriptorFault::BadDimension},
      {"name without its terminator", Group(0, 4, 1, {6, 2, 'A', 'B'}), DescriptorFault::PastStatedLength},
      {"compact integer cut at the end", Group(0, 4, 1, {6, 0x08, 0x21}), DescriptorFault::PastStatedLength},
      {"size string without its terminator", Group(0, 4, 1, {18, 4, 4, 'A'}), DescriptorFault::PastStatedLength},
      {"nested group longer than its parent",
       Cat({with_byte(Group(0, 8, 1, Group(0, 4, 1, {6, 0})), 24, 17), {0}}), DescriptorFault::PastStatedLength},
      {"nested group shorter than its fields", with_byte(Group(0, 8, 2, Cat({Group(0, 4, 1, {6, 0}), {6, 0}})), 24, 14),
       DescriptorFault::PastStatedLength},
      {"nested fields past the nested size", Group(0, 8, 1, Group(0, 2, 1, {6, 0})),
       DescriptorFault::FieldOverrunsSize},
      {"nested group past the stated size", Group(0, 4, 1, Group(0, 8, 1, {6, 0})),
       DescriptorFault::FieldOverrunsSize},
      {"groups nested too deeply", Nested(kMaxGroupDepth + 1), DescriptorFault::TooDeep},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.what);
    // An exact-size copy, so that a read past the end shows under the sanitizers.
    const Bytes bytes = c.bytes;
    auto read = ReadTypeDescriptor(bytes);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().fault, c.fault) << read.error().Message();
  }
  EXPECT_TRUE(ReadTypeDescriptor(Nested(kMaxGroupDepth)));
}

TEST(TypeDescriptor, RefusesEveryPrefixOfADescriptor) {
  const Bytes whole = Group(0, 12, 2, Cat({{6, 0x0A}, Text("KEY"), {4}, {22, 0x10}, Word(4), Word(1), Word(18),
                                           {1, 1}, {6, 0}}));
  ASSERT_TRUE(ReadTypeDescriptor(whole));
  for (std::size_t length = 1; length < whole.size(); ++length) {
    const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    auto read = ReadTypeDescriptor(prefix);
    ASSERT_FALSE(read) << length;
    EXPECT_EQ(read.error().fault, DescriptorFault::Truncated) << length;
  }
}

TEST(TypeDescriptor, ErrorTellsWhereAndWhy) {
  auto read = ReadTypeDescriptor(Group(0, 3, 1, {6, 0}));
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error().offset, 14u);
  EXPECT_EQ(read.error().Message(), "type descriptor refused at byte 14: a field lies past the size that its group states");
}

}  // namespace
}  // namespace runtime
