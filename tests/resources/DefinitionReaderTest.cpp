// Reading window definitions: broken resources are refused with what and where; the writer's output reads back whole.
#include <gtest/gtest.h>

#include "resources/DefinitionReader.h"
#include "resources/DefinitionWriter.h"
#include "resources/ProgramWindow.h"
#include "tests/resources/RecordBytes.h"

namespace windef {
namespace {

using testing::RecordBytes;

// The program's resource, to be broken at the record offsets of its layout:
// window record 49, button 186, string 309, check boxes 399 and 542; the data
// area ends before offset 640.
RecordBytes Program() { return RecordBytes(WriteDefinition(ProgramWindowDefinition()), kProgramWindowKey.size()); }

std::vector<std::byte> Raw(std::string_view text) {
  std::vector<std::byte> bytes(text.size());
  std::memcpy(bytes.data(), text.data(), text.size());
  return bytes;
}

struct BrokenCase {
  const char* name;
  std::vector<std::byte> bytes;
  std::string message;
  std::int32_t offset;
};

TEST(DefinitionReader, RefusesBrokenResourcesSayingWhatAndWhere) {
  // An unused stretch inside the window record (positions 45 to 52, never
  // read) holds a list node that links to itself.
  constexpr std::int32_t kSelfLinkedNode = 49 + 45;
  const BrokenCase cases[] = {
      {"empty", {}, "the key has no terminator", 0},
      {"no key terminator", Raw("Quindle$Quindle"), "the key has no terminator", 0},
      {"key only", RecordBytes("K", 0).Bytes(), "data header at offset 2 lies outside the data area", 2},
      {"header cut short", RecordBytes("K", 3).Bytes(), "data header at offset 2 runs past the data area", 2},
      {"truncated", Program().Truncate(600).Bytes(), "check box record at offset 542 runs past the data area", 542},
      {"window record cut short", Program().I32(2, 600).Bytes(), "window record at offset 600 runs past the data area",
       600},
      {"label past the end", Program().I32(49 + 33, 5000).Bytes(),
       "window label at offset 5000 lies outside the data area", 5000},
      {"negative offset", Program().I32(186 + 69, -7).Bytes(), "button text at offset -7 lies outside the data area",
       -7},
      {"offset 1, before the data area", Program().I32(24, 1).Bytes(), "face name at offset 1 lies outside the data area",
       1},
      {"control link past the end", Program().I32(542 + 1, 700).Bytes(),
       "control record at offset 700 lies outside the data area", 700},
      {"font record cut short", Program().I32(49 + 37, 630).Bytes(), "font record at offset 630 runs past the data area",
       630},
      {"use descriptor cut short", Program().I32(399 + 21, 635).Bytes(),
       "use descriptor at offset 635 runs past the data area", 635},
      {"text without terminator", Program().U8(639, 'x').I32(49 + 41, 639).Bytes(),
       "window caption at offset 639 has no terminator inside the data area", 639},
      {"window chain loops", Program().I32(49 + 1, 49).Bytes(), "window chain loops back to offset 49", 49},
      {"control chain loops", Program().I32(542 + 1, 186).Bytes(), "control chain loops back to offset 186", 186},
      {"alert key list loops",
       Program().U32(kSelfLinkedNode, 7).I32(kSelfLinkedNode + 4, kSelfLinkedNode).I32(49 + 78, kSelfLinkedNode).Bytes(),
       "alert key list loops back to offset 94", kSelfLinkedNode},
      {"drop name list loops",
       Program().I32(kSelfLinkedNode + 4, kSelfLinkedNode).I32(186 + 9, kSelfLinkedNode).Bytes(),
       "drop name list loops back to offset 94", kSelfLinkedNode},
      {"top-level record of another kind", Program().U8(49, 12).Bytes(),
       "record at offset 49 has kind 12, not a window record", 49},
  };
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::expected<Definition, FormatError> read = ReadDefinition(c.bytes);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().message, c.message);
    EXPECT_EQ(read.error().offset, c.offset);
  }
}

TEST(DefinitionReader, RefusesEveryTruncationOfAValidResource) {
  const std::vector<std::byte> whole = Program().Bytes();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    // An exactly sized copy, so that the sanitizers see any read past its end.
    std::vector<std::byte> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_FALSE(ReadDefinition(prefix)) << "accepted the first " << size << " bytes";
  }
}

TEST(DefinitionReader, PassesOverControlsOfKindsItDoesNotBuild) {
  for (std::uint8_t kind : {Kind::Image, Kind::Region, std::uint8_t{7}, std::uint8_t{200}}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::expected<Definition, FormatError> read = ReadDefinition(Program().U8(309, kind).Bytes());
    ASSERT_TRUE(read) << read.error().message;
    const std::vector<Control>& controls = read->windows.at(0).controls;
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0].number, 1);
    EXPECT_EQ(controls[1].number, 3);
    EXPECT_EQ(controls[1].use, (UseDescriptor{kUseTypeUnsigned8, 1, 0}));
    EXPECT_EQ(controls[2].number, 4);
  }
  // Of a passed-over record only the common 21-byte header has to fit: here
  // it is the last record and the data area ends right after its header.
  RecordBytes tail = Program().I32(542 + 1, 640).U8(640, 99).Truncate(16 + 638 + 21);
  std::expected<Definition, FormatError> read = ReadDefinition(tail.Bytes());
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(read->windows.at(0).controls.size(), 4u);
}

TEST(DefinitionReader, TellsAnAbsentValueFromAnEmptyOne) {
  // Offset 0 is no value; an offset at a lone terminator is an empty one.
  std::expected<Definition, FormatError> read = ReadDefinition(Program().I32(399 + 85, 0).I32(399 + 89, 396).Bytes());
  ASSERT_TRUE(read) << read.error().message;
  const Control& box = read->windows.at(0).controls.at(2);
  EXPECT_EQ(box.true_value, std::nullopt);
  EXPECT_EQ(box.false_value, "");
  EXPECT_EQ(box.text, "") << "text offset 0 reads as the empty text";
}

// A description in which every field holds a value of its own, so that two
// fields laid over each other, or one the writer or reader forgets, show.
Definition EveryFieldSet() {
  Window w;
  w.flags_a = WindowFlagsA::UnitsPixels | 0x1;
  w.drop_names = {"drop-a", "drop-b"};
  w.position = {-5, 6, 7, 8};
  w.label = "W1";
  w.font = FontRecord{"Face", 12, 3, 0x00112233, 700 | kStyleItalic};
  w.text = "Title";
  w.colours = ColourTriple{0x01, 0x02, 0x03};
  w.layout = kLayoutRightToLeft;
  w.icon = "icon";
  w.message = "msg";
  w.help = "hlp";
  w.alert_keys = {0x70, 0x71, 0x72};
  w.flags_b = WindowFlagsB::FrameResize | WindowFlagsB::System;
  w.palette = 9;
  w.timer = 50;
  w.has_menu_bar = true;
  w.has_status_bar = true;
  w.cursor = "cur";
  w.wallpaper_mode = 2;
  w.wallpaper = "paper";
  w.dock = 4;
  w.docked = 5;

  Control s;
  s.kind = Kind::String;
  s.flags = ControlFlags::Hide | ControlFlags::Trn;
  s.drop_names = {"s-drop"};
  s.number = -2;
  s.label = "?S";
  s.position = {1, 2, 3, 4};
  s.text = "string";
  s.font = FontRecord{"", 0, kCharsetDefault, kColourNotGiven, 0};
  s.cursor = "s-cur";
  s.colours = ColourTriple{4, 5, 6};
  s.layout = kLayoutLeftToRight;
  s.justification_offset = -3;
  s.angle = -900;
  s.extension_text = "ext";

  Control b;
  b.kind = Kind::Button;
  b.flags = ControlFlags::Skip;
  b.number = 10;
  b.label = "?B";
  b.position = {11, 12, 13, 14};
  b.text = "button";
  b.font = FontRecord{"Mono", 9, 0, 0xFF, kStyleFixedPitch};
  b.cursor = "b-cur";
  b.colours = ColourTriple{7, 8, 9};
  b.layout = kLayoutRightToLeft;
  b.help = HelpBlock{"b-msg", "~tip", "b-hlp", 0x41, {0x1B}};
  b.icon = "b-icon";
  b.standard_action = 3;
  b.button_flags = ButtonFlags::Default | ButtonFlags::Req;
  b.delay = 40;
  b.repeat = 10;

  Control x;
  x.kind = Kind::CheckBox;
  x.flags = ControlFlags::CheckBoxTextLeft | ControlFlags::Disable;
  x.drop_names = {"x-drop"};
  x.number = 20;
  x.label = "?X";
  x.position = {21, kNotGiven, 23, kNotGiven};
  x.text = "check";
  x.cursor = "x-cur";
  x.colours = ColourTriple{10, 11, 12};
  x.layout = kLayoutLeftToRight;
  x.help = HelpBlock{"x-msg", "x-tip", "x-hlp", 0x42, {0x0D, 0x20}};
  x.icon = "x-icon";
  x.use = UseDescriptor{24, 0, 0xABCD};
  x.true_value = "yes";
  x.false_value = "";
  x.extension_text = "x-ext";
  w.controls = {s, b, x};

  Window other;
  other.kind = Kind::OtherTopLevel;
  other.flags_a = WindowFlagsA::UnitsMillimetres;
  other.label = "W2";

  Window last;
  last.label = "W3";
  return Definition{"Key$Name", {w, other, last}};
}

TEST(DefinitionReader, ReadsBackEveryFieldTheWriterLaidOut) {
  const Definition definition = EveryFieldSet();
  std::expected<Definition, FormatError> read = ReadDefinition(WriteDefinition(definition));
  ASSERT_TRUE(read) << read.error().message;
  EXPECT_EQ(*read, definition);
}

TEST(DefinitionReader, KeepsOnlyUnitsAndLabelOfAnotherTopLevelKind) {
  // Flags A with pixel units and Center; a font offset that would be refused
  // in a window record is not read at all.
  RecordBytes bytes = Program().U8(49, Kind::OtherTopLevel).U32(49 + 5, 0x310).I32(49 + 37, 5000);
  std::expected<Definition, FormatError> read = ReadDefinition(bytes.Bytes());
  ASSERT_TRUE(read) << read.error().message;
  Window expected;
  expected.kind = Kind::OtherTopLevel;
  expected.flags_a = WindowFlagsA::UnitsPixels;
  expected.label = "P2$WINDOW";
  ASSERT_EQ(read->windows.size(), 1u);
  EXPECT_EQ(read->windows[0], expected);
}

}  // namespace
}  // namespace windef
