// Opening windows from test modules: the errors, the binding of the declared variables, and closing.
#include <gtest/gtest.h>

#include "resources/DefinitionWriter.h"
#include "resources/ProgramWindow.h"
#include "runtime/window/CheckBox.h"
#include "tests/resources/RecordBytes.h"
#include "tests/runtime/window/WindowHarness.h"

namespace runtime {
namespace {

using window_testing::CheckBoxRecord;
using window_testing::Delivered;
using window_testing::Harness;
using window_testing::kKey;
using window_testing::kLabel;
using window_testing::WindowRecord;

// Two check boxes side by side, 3 and 4, in pixels.
windef::Window TwoBoxes() {
  return WindowRecord({CheckBoxRecord(3, {10, 10, 80, 20}, "three"), CheckBoxRecord(4, {100, 10, 80, 20}, "four")});
}

bool Checked(Harness& harness, WindowHandle handle, int number) {
  return static_cast<CheckBox&>(harness.Control(handle, number)).IsChecked();
}

void ExpectOneError(const Harness& harness, ErrorNumber number, std::string_view text) {
  ASSERT_EQ(harness.Errors().size(), 1u);
  EXPECT_EQ(harness.Errors()[0].number, number);
  EXPECT_EQ(harness.Errors()[0].text, text);
}

// A failed opening leaves nothing behind: no window, no surface, and a loop
// that ends at once.
void ExpectNotOpen(Harness& harness, WindowHandle handle) {
  EXPECT_EQ(harness.OpenOf(handle), nullptr);
  EXPECT_TRUE(harness.Display().LiveSurfaces().empty());
  EXPECT_FALSE(Accept());
}

TEST(WindowOpeningTest, NoRecordUnderTheKeyAndLabelFailsWith502) {
  struct Case {
    const char* what;
    std::string stored_key;  // empty: the module has no resource at all
    std::string_view key;
    std::string_view label;
  };
  const Case cases[] = {
      {"no resource", "", kKey, kLabel},
      {"no window with the label", std::string(kKey), kKey, "OTHER"},
      {"the key in another case", std::string(kKey), "TEST$WINDOW", kLabel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Harness harness(c.stored_key.empty() ? std::vector<std::byte>{}
                                         : window_testing::DefinitionBytes(TwoBoxes(), c.stored_key));
    std::uint8_t a = 0, b = 0;
    WindowHandle handle = DeclareWindow(c.key, c.label, {&a, &b, nullptr});
    OpenWindow(handle);
    ExpectOneError(harness, ErrorNumber::WindowRecordNotFound, "Internal error 02 : WSLDIAL");
    ExpectNotOpen(harness, handle);
  }
}

TEST(WindowOpeningTest, FewerVariablesThanCheckBoxesFailWith501) {
  std::uint8_t a = 0;
  for (bool one_variable : {false, true}) {
    SCOPED_TRACE(one_variable ? "one of two" : "none of two");
    Harness harness(window_testing::DefinitionBytes(TwoBoxes()));
    WindowHandle handle = one_variable ? DeclareWindow(kKey, kLabel, {&a, nullptr}) : DeclareWindow(kKey, kLabel, {nullptr});
    OpenWindow(handle);
    ExpectOneError(harness, ErrorNumber::VariableListExhausted, "Internal error 01 : WSLDIAL");
    ExpectNotOpen(harness, handle);
  }
}

TEST(WindowOpeningTest, MoreVariablesThanNeededAreAcceptedAndTheFirstOnesBound) {
  Harness harness(window_testing::DefinitionBytes(TwoBoxes()));
  std::uint8_t a = 0, b = 1, spare = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, &spare, nullptr});
  OpenWindow(handle);
  EXPECT_TRUE(harness.Errors().empty());
  ASSERT_NE(harness.OpenOf(handle), nullptr);
  EXPECT_FALSE(Checked(harness, handle, 3));
  EXPECT_TRUE(Checked(harness, handle, 4)) << "box 4 shows the second variable";
  harness.Click(handle, 3);
  harness.RunLoop();
  EXPECT_EQ(a, 1);
  EXPECT_EQ(spare, 0);
}

TEST(WindowOpeningTest, AUseDescriptorOfType24FailsWith501FromCtluse) {
  windef::Window record = TwoBoxes();
  record.controls[1].use->type = 24;
  Harness harness(window_testing::DefinitionBytes(record));
  std::uint8_t a = 0, b = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, nullptr});
  OpenWindow(handle);
  ExpectOneError(harness, ErrorNumber::VariableListExhausted, "Internal error 01 : CTLUSE");
  ExpectNotOpen(harness, handle);
}

TEST(WindowOpeningTest, AUseDescriptorOfSizeZeroTakesTheSizeFromTheNextEntry) {
  windef::Window record = TwoBoxes();
  record.controls[0].use->size = 0;
  std::uint8_t a = 0, b = 0;
  std::int32_t a_size = 1;
  {
    Harness harness(window_testing::DefinitionBytes(record));
    WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &a_size, &b, nullptr});
    OpenWindow(handle);
    EXPECT_TRUE(harness.Errors().empty());
    harness.Click(handle, 4);
    harness.Click(handle, 3);
    harness.RunLoop();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1) << "box 4 gets the entry after the size";
    EXPECT_EQ(a_size, 1) << "the size entry is read, never written";
  }
  {
    // With the size missing the list is exhausted.
    Harness harness(window_testing::DefinitionBytes(record));
    WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, nullptr});
    OpenWindow(handle);
    ExpectOneError(harness, ErrorNumber::VariableListExhausted, "Internal error 01 : WSLDIAL");
    ExpectNotOpen(harness, handle);
  }
}

TEST(WindowOpeningTest, AControlOfAnUnknownKindConsumesNoVariable) {
  // The program's record with check box 3 (record offset 399) given a kind
  // that the runtime does not build: box 4 takes the first entry.
  windef::testing::RecordBytes bytes(windef::WriteDefinition(windef::ProgramWindowDefinition()),
                                     windef::kProgramWindowKey.size());
  bytes.U8(399, 77);
  std::vector<std::byte> definition = bytes.Bytes();
  std::vector<Resource> resources{{"DABDUMP", "QUINDLE_RSC", kLanguageEnglishUs, definition}};
  Harness harness(resources, {1920, 1080}, kDefaultDpi);
  std::uint8_t first = 0;
  WindowHandle handle = DeclareWindow(windef::kProgramWindowKey, windef::kProgramWindowLabel, {&first, nullptr});
  OpenWindow(handle);
  EXPECT_TRUE(harness.Errors().empty());
  ASSERT_NE(harness.OpenOf(handle), nullptr);
  EXPECT_EQ(harness.Open(handle).Find(3), nullptr);
  harness.Click(handle, 4);
  harness.RunLoop();
  EXPECT_EQ(first, 1);
}

TEST(WindowOpeningTest, AVariableHoldingNeitherValueOpensUncheckedAndStoresOnClick) {
  Harness harness(window_testing::DefinitionBytes(TwoBoxes()));
  std::uint8_t a = 5, b = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, nullptr});
  OpenWindow(handle);
  EXPECT_TRUE(harness.Errors().empty());
  ASSERT_NE(harness.OpenOf(handle), nullptr);
  EXPECT_FALSE(Checked(harness, handle, 3));
  EXPECT_EQ(a, 5) << "showing a variable never changes it";
  harness.Click(handle, 3);
  harness.RunLoop();
  EXPECT_EQ(a, 1) << "checking stores the true value";
}

TEST(WindowOpeningTest, OpeningAnOpenWindowFailsWith535AndLeavesItOpen) {
  Harness harness(window_testing::DefinitionBytes(TwoBoxes()));
  std::uint8_t a = 0, b = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, nullptr});
  OpenWindow(handle);
  Window* first = harness.OpenOf(handle);
  ASSERT_NE(first, nullptr);
  OpenWindow(handle);
  ExpectOneError(harness, ErrorNumber::WindowAlreadyOpen, "Window is already open");
  EXPECT_EQ(harness.OpenOf(handle), first);
  EXPECT_EQ(harness.Display().LiveSurfaces().size(), 1u);
  harness.Click(handle, 4);
  harness.RunLoop();
  EXPECT_EQ(b, 1) << "the window still works";
}

TEST(WindowOpeningTest, ASurfaceTheDisplayCannotMakeIsSystemResourcesExceeded) {
  Harness harness(window_testing::DefinitionBytes(TwoBoxes()));
  std::uint8_t a = 0, b = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, nullptr});
  harness.Display().FailNextCreate();
  OpenWindow(handle);
  ExpectOneError(harness, ErrorNumber::SystemResourcesExceeded, "System resources exceeded");
  EXPECT_EQ(harness.OpenOf(handle), nullptr);
  EXPECT_FALSE(Accept());
  harness.ClearErrors();
  OpenWindow(handle);
  EXPECT_TRUE(harness.Errors().empty());
  EXPECT_NE(harness.OpenOf(handle), nullptr) << "the failed opening left the window closed, not half open";
}

TEST(WindowOpeningTest, OpenCloseOpenBindsTheSameVariablesToTheSameControls) {
  Harness harness(window_testing::DefinitionBytes(TwoBoxes()));
  std::uint8_t a = 0, b = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, nullptr});
  OpenWindow(handle);
  ASSERT_NE(harness.OpenOf(handle), nullptr);
  CloseWindow(handle);
  EXPECT_EQ(harness.OpenOf(handle), nullptr);
  EXPECT_TRUE(harness.Display().LiveSurfaces().empty());
  a = 1;
  OpenWindow(handle);
  EXPECT_TRUE(harness.Errors().empty());
  ASSERT_NE(harness.OpenOf(handle), nullptr);
  EXPECT_TRUE(Checked(harness, handle, 3)) << "box 3 shows the first variable again";
  EXPECT_FALSE(Checked(harness, handle, 4));
  std::vector<std::pair<int, int>> at_accepted;  // (a, b) at each accepted event
  harness.Click(handle, 4);
  harness.Click(handle, 3);
  harness.RunLoop([&](const Delivered& d) {
    if (d.event == Event::Accepted) at_accepted.emplace_back(a, b);
  });
  EXPECT_EQ(at_accepted, (std::vector<std::pair<int, int>>{{1, 1}, {0, 1}}));
}

TEST(WindowOpeningTest, ClosingAWindowThatIsNotOpenDoesNothing) {
  Harness harness(window_testing::DefinitionBytes(TwoBoxes()));
  std::uint8_t a = 0, b = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, nullptr});
  CloseWindow(handle);  // never opened
  OpenWindow(handle);
  CloseWindow(handle);
  CloseWindow(handle);  // already closed
  EXPECT_TRUE(harness.Errors().empty());
  EXPECT_EQ(harness.OpenOf(handle), nullptr);
  EXPECT_FALSE(Accept());
  OpenWindow(handle);
  EXPECT_NE(harness.OpenOf(handle), nullptr) << "the handle stays usable";
  ReleaseWindow(handle);
  EXPECT_EQ(harness.System().Find(handle), nullptr);
  EXPECT_TRUE(harness.Display().LiveSurfaces().empty());
}

}  // namespace
}  // namespace runtime
