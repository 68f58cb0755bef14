// The program's window: its description read back, and its resource byte for byte.
#include <gtest/gtest.h>

#include "resources/DefinitionReader.h"
#include "resources/DefinitionWriter.h"
#include "resources/ProgramResources.h"
#include "resources/ProgramWindow.h"
#include "runtime/module/Ascii.h"
#include "tests/resources/RecordBytes.h"

namespace windef {
namespace {

constexpr std::uint32_t kNotGivenBits = 0x80000000;

// The resource as the format lays it out: record offset, then content. Every
// other byte is zero.
std::vector<std::byte> ExpectedProgramResource() {
  testing::RecordBytes r("Quindle$Quindle", 638);
  r.I32(2, 49);  // data header: the first window record
  r.Text(6, "Caption").Text(14, "P2$WINDOW");
  r.I32(24, 40).U8(28, 10).U8(29, 1).U32(32, 0xFFFFFFFF).U32(36, 0xFFFFFFFF);  // font record
  r.Text(40, "Segoe UI");
  // Window record at 49.
  r.U8(49, 25).I32(49 + 1, 0).U32(49 + 5, 0x10).U32(49 + 13, kNotGivenBits).U32(49 + 17, kNotGivenBits);
  r.I32(49 + 21, 276).I32(49 + 25, 140).I32(49 + 29, 186).I32(49 + 33, 14).I32(49 + 37, 24).I32(49 + 41, 6);
  r.U32(49 + 82, 0x40);
  // Button record at 186.
  r.Text(166, "Close").Text(172, "?CANCELBUTTON");
  r.U8(186, 9).I32(186 + 1, 309).I32(186 + 13, 1).I32(186 + 17, 172);
  r.I32(186 + 21, 223).I32(186 + 25, 118).I32(186 + 29, 42).I32(186 + 33, 14);
  r.I32(186 + 69, 166).I32(186 + 86, 15);
  // String record at 309.
  r.Text(282, "Variable Number 1").Text(300, "?STRING1");
  r.U8(309, 2).I32(309 + 1, 399).I32(309 + 13, 2).I32(309 + 17, 300);
  r.I32(309 + 21, 13).I32(309 + 25, 18).U32(309 + 29, kNotGivenBits).U32(309 + 33, kNotGivenBits);
  r.I32(309 + 41, 282);
  // Check box records at 399 and 542, each after its label, use descriptor and values.
  struct Box { std::int32_t at, next, number, label_at, use_at, true_at, false_at, x, y, text_at; };
  for (Box b : {Box{399, 542, 3, 373, 386, 395, 397, 86, 18, 0}, Box{542, 0, 4, 516, 529, 538, 540, 13, 38, 497}}) {
    r.U8(b.use_at, 1).U32(b.use_at + 1, 1).U32(b.use_at + 5, 0);
    r.Text(b.true_at, "1").Text(b.false_at, "0");
    r.U8(b.at, 12).I32(b.at + 1, b.next).I32(b.at + 13, b.number).I32(b.at + 17, b.label_at);
    r.I32(b.at + 21, b.use_at);
    r.I32(b.at + 25, b.x).I32(b.at + 29, b.y).U32(b.at + 33, kNotGivenBits).U32(b.at + 37, kNotGivenBits);
    r.I32(b.at + 73, b.text_at).I32(b.at + 85, b.true_at).I32(b.at + 89, b.false_at);
  }
  r.Text(373, "?BYVARIABLE1");
  r.Text(497, " Variable Number 2").Text(516, "?BYVARIABLE2");
  return r.Bytes();
}

// The first position at which two byte strings differ, for a readable failure.
std::size_t FirstDifference(const std::vector<std::byte>& a, std::span<const std::byte> b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

TEST(ProgramWindow, WriterLaysOutTheRecordByteForByte) {
  std::vector<std::byte> expected = ExpectedProgramResource();
  ASSERT_EQ(expected.size(), 654u);
  std::vector<std::byte> written = WriteDefinition(ProgramWindowDefinition());
  EXPECT_EQ(written.size(), expected.size());
  EXPECT_EQ(FirstDifference(expected, written), expected.size()) << "resource position of the first difference";
}

TEST(ProgramWindow, TheProgramEmbedsTheRecordAsQuindleRsc) {
  const runtime::Resource* found = nullptr;
  for (const runtime::Resource& resource : ProgramResources()) {
    if (runtime::EqualsIgnoringCase(resource.type, "DABDUMP") && resource.name == "QUINDLE_RSC") found = &resource;
  }
  ASSERT_NE(found, nullptr);
  std::vector<std::byte> expected = ExpectedProgramResource();
  ASSERT_EQ(found->bytes.size(), expected.size());
  EXPECT_EQ(FirstDifference(expected, found->bytes), expected.size());
}

TEST(ProgramWindow, ReadsBackAsTheWindowAndItsFourControls) {
  std::expected<Definition, FormatError> read = ReadDefinition(ExpectedProgramResource());
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(read->key, "Quindle$Quindle");
  ASSERT_EQ(read->windows.size(), 1u);
  const Window& w = read->windows[0];
  EXPECT_EQ(w.kind, Kind::Window);
  EXPECT_EQ(w.label, "P2$WINDOW");
  EXPECT_EQ(w.text, "Caption");
  EXPECT_EQ(w.position, (Position{kNotGiven, kNotGiven, 276, 140}));
  EXPECT_EQ(w.flags_a, WindowFlagsA::Center);
  EXPECT_EQ(w.flags_a & WindowFlagsA::UnitsMask, WindowFlagsA::UnitsDialog);
  EXPECT_EQ(w.flags_b, WindowFlagsB::FrameDouble);
  EXPECT_EQ(w.flags_b & WindowFlagsB::System, 0u);
  EXPECT_EQ(w.font, (FontRecord{"Segoe UI", 10, kCharsetDefault, kColourNotGiven, kStyleNotGiven}));
  EXPECT_EQ(w.colours, std::nullopt);
  EXPECT_TRUE(w.icon.empty() && w.message.empty() && w.help.empty() && w.cursor.empty() && w.wallpaper.empty());
  EXPECT_TRUE(w.alert_keys.empty() && w.drop_names.empty());
  EXPECT_FALSE(w.has_menu_bar || w.has_tool_bar || w.has_status_bar);
  EXPECT_EQ(w.timer, 0u);
  EXPECT_EQ(w.layout, kLayoutInherit);

  ASSERT_EQ(w.controls.size(), 4u);
  struct Expected {
    std::uint8_t kind;
    std::int32_t number;
    std::string_view label, text;
    Position position;
    bool bound;
  };
  const Expected expected[] = {
      {Kind::Button, 1, "?CANCELBUTTON", "Close", {223, 118, 42, 14}, false},
      {Kind::String, 2, "?STRING1", "Variable Number 1", {13, 18, kNotGiven, kNotGiven}, false},
      {Kind::CheckBox, 3, "?BYVARIABLE1", "", {86, 18, kNotGiven, kNotGiven}, true},
      {Kind::CheckBox, 4, "?BYVARIABLE2", " Variable Number 2", {13, 38, kNotGiven, kNotGiven}, true},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    const Control& c = w.controls[i];
    const Expected& e = expected[i];
    SCOPED_TRACE(e.label);
    EXPECT_EQ(c.kind, e.kind);
    EXPECT_EQ(c.number, e.number);
    EXPECT_EQ(c.label, e.label);
    EXPECT_EQ(c.text, e.text);
    EXPECT_EQ(c.position, e.position);
    EXPECT_EQ(c.flags, 0u) << "none is hidden, disabled or skipped";
    EXPECT_EQ(c.font, std::nullopt);
    EXPECT_EQ(c.colours, std::nullopt);
    EXPECT_EQ(c.help, HelpBlock{});
    EXPECT_TRUE(c.cursor.empty() && c.icon.empty() && c.drop_names.empty());
    EXPECT_EQ(c.layout, kLayoutInherit);
    if (e.bound) {
      EXPECT_EQ(c.use, (UseDescriptor{kUseTypeUnsigned8, 1, 0}));
      EXPECT_EQ(c.true_value, "1");
      EXPECT_EQ(c.false_value, "0");
    } else {
      EXPECT_EQ(c.use, std::nullopt);
    }
  }
  EXPECT_EQ(w.controls[0].standard_action, kStandardActionClose);
  EXPECT_EQ(w.controls[0].button_flags, 0) << "neither the default button nor required";
}

}  // namespace
}  // namespace windef
