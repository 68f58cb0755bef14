// Events from clicks and keys on the headless display, delivered through the program's loop.
#include <gtest/gtest.h>

#include "tests/runtime/window/WindowHarness.h"

namespace runtime {
namespace {

using window_testing::ButtonRecord;
using window_testing::CheckBoxRecord;
using window_testing::Delivered;
using window_testing::Harness;
using window_testing::kKey;
using window_testing::kLabel;
using window_testing::Only;
using window_testing::WindowRecord;
using Type = InputEvent::Type;

std::vector<int> Controls(const std::vector<Delivered>& events) {
  std::vector<int> controls;
  for (const Delivered& d : events) controls.push_back(d.control);
  return controls;
}

TEST(WindowEventsTest, ACheckBoxStoresItsValueBeforeItsAcceptedEvent) {
  struct Case {
    const char* what;
    std::optional<std::string> true_value, false_value;
    std::uint8_t start, checked, unchecked;
  };
  const Case cases[] = {
      {"texts 1 and 0", "1", "0", 0, 1, 0},
      {"texts converted to the byte", "7", "3", 3, 7, 3},
      {"no texts: 1 and 0", std::nullopt, std::nullopt, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    windef::Control box = CheckBoxRecord(5, {10, 10, 80, 20}, "box");
    box.true_value = c.true_value;
    box.false_value = c.false_value;
    Harness harness(window_testing::DefinitionBytes(WindowRecord({box})));
    std::uint8_t v = c.start;
    WindowHandle handle = DeclareWindow(kKey, kLabel, {&v, nullptr});
    OpenWindow(handle);
    harness.Click(handle, 5);
    harness.Click(handle, 5);
    std::vector<std::uint8_t> seen;
    auto events = harness.RunLoop([&](const Delivered& d) {
      if (d.event == Event::Accepted) seen.push_back(v);
    });
    EXPECT_EQ(Only(events, Event::Accepted), (std::vector<Delivered>{{Event::Accepted, 5, 5}, {Event::Accepted, 5, 5}}));
    EXPECT_EQ(seen, (std::vector<std::uint8_t>{c.checked, c.unchecked}));
  }
}

TEST(WindowEventsTest, AButtonDeliversAcceptedOrPerformsItsStandardAction) {
  for (int action : {windef::kStandardActionNone, windef::kStandardActionClose}) {
    SCOPED_TRACE(action);
    Harness harness(window_testing::DefinitionBytes(WindowRecord({ButtonRecord(8, {10, 10, 80, 24}, action)})));
    WindowHandle handle = DeclareWindow(kKey, kLabel, {nullptr});
    OpenWindow(handle);
    harness.Click(handle, 8);
    auto events = harness.RunLoop();
    auto accepted = Only(events, Event::Accepted);
    auto closes = Only(events, Event::CloseWindow);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].accepted, 0) << "only event 1 has an accepted control";
    if (action == windef::kStandardActionClose) {
      EXPECT_TRUE(accepted.empty());
      EXPECT_FALSE(harness.Display().RanOutOfInput()) << "the button's close request ended the loop";
    } else {
      EXPECT_EQ(accepted, (std::vector<Delivered>{{Event::Accepted, 8, 8}}));
      EXPECT_TRUE(harness.Display().RanOutOfInput()) << "a button without an action does not close";
    }
    EXPECT_EQ(harness.OpenOf(handle), nullptr) << "the loop's end closed the window";
  }
}

TEST(WindowEventsTest, EnterPressesTheDefaultButtonAndALaterDefaultTakesOver) {
  constexpr std::uint8_t D = windef::ButtonFlags::Default;
  struct Case {
    std::uint8_t first_flags, second_flags;
    std::vector<int> accepted;
  };
  const Case cases[] = {{D, 0, {1}}, {0, D, {2}}, {D, D, {2}}, {0, 0, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << int{c.first_flags} << ", " << int{c.second_flags});
    Harness harness(window_testing::DefinitionBytes(WindowRecord(
        {ButtonRecord(1, {10, 10, 80, 24}, 0, c.first_flags), ButtonRecord(2, {100, 10, 80, 24}, 0, c.second_flags)})));
    WindowHandle handle = DeclareWindow(kKey, kLabel, {nullptr});
    OpenWindow(handle);
    harness.Key(handle, Key::Enter);
    EXPECT_EQ(Controls(Only(harness.RunLoop(), Event::Accepted)), c.accepted);
  }
}

TEST(WindowEventsTest, AnEventPostedAheadGoesBeforeTheWaitingOnes) {
  Harness harness(window_testing::DefinitionBytes(WindowRecord({})));
  WindowHandle handle = DeclareWindow(kKey, kLabel, {nullptr});
  OpenWindow(handle);  // the window's opening event is waiting
  PostEvent(100, 1);
  PostEvent(101, 2, 0, 0);
  PostEvent(102, 3, 0, 1);
  PostEvent(103, 4, 0, -1);
  auto events = harness.RunLoop();
  ASSERT_GE(events.size(), 5u);
  std::vector<int> order;
  for (std::size_t i = 0; i < 5; ++i) order.push_back(events[i].event);
  EXPECT_EQ(order, (std::vector<int>{103, 102, Event::OpenWindow, 100, 101}));
  EXPECT_EQ(events[0].control, 4);
}

// The control that takes a press keeps the mouse: only a release over it clicks it.
TEST(WindowEventsTest, OnlyAPressAndAReleaseOnTheSameCheckBoxToggleIt) {
  struct Case {
    const char* what;
    Point press, release;
    bool toggles_three;
  };
  const Point three{50, 20}, four{140, 20}, outside{250, 150};
  const Case cases[] = {
      {"press and release on box 3", three, three, true},
      {"press on box 3, release outside", three, outside, false},
      {"press on box 3, release on box 4", three, four, false},
      {"press outside, release on box 3", outside, three, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Harness harness(window_testing::DefinitionBytes(
        WindowRecord({CheckBoxRecord(3, {10, 10, 80, 20}, "three"), CheckBoxRecord(4, {100, 10, 80, 20}, "four")})));
    std::uint8_t a = 0, b = 0;
    WindowHandle handle = DeclareWindow(kKey, kLabel, {&a, &b, nullptr});
    OpenWindow(handle);
    harness.Mouse(handle, Type::MouseMove, c.press);
    harness.Mouse(handle, Type::MouseDown, c.press);
    harness.Mouse(handle, Type::MouseMove, c.release);
    harness.Mouse(handle, Type::MouseUp, c.release);
    auto events = harness.RunLoop();
    EXPECT_EQ(Only(events, Event::Accepted).size(), c.toggles_three ? 1u : 0u);
    EXPECT_EQ(a, c.toggles_three ? 1 : 0);
    EXPECT_EQ(b, 0);
  }
}

// Tab stops: 1 and 4 and 7; 3 is skipped, 5 hidden, 6 disabled, 2 a string.
windef::Window TabWindow() {
  windef::Control string;
  string.kind = windef::Kind::String;
  string.number = 2;
  string.position = {100, 10, 80, 20};
  string.text = "text";
  windef::Control skipped = CheckBoxRecord(3, {10, 40, 80, 20}, "skip");
  skipped.flags = windef::ControlFlags::Skip;
  windef::Control hidden = CheckBoxRecord(5, {10, 100, 80, 20}, "hidden");
  hidden.flags = windef::ControlFlags::Hide;
  windef::Control disabled = CheckBoxRecord(6, {100, 100, 80, 20}, "disabled");
  disabled.flags = windef::ControlFlags::Disable;
  return WindowRecord({ButtonRecord(1, {10, 10, 80, 20}), string, skipped, CheckBoxRecord(4, {100, 40, 80, 20}, "four"),
                       hidden, disabled, ButtonRecord(7, {10, 150, 80, 24})});
}

TEST(WindowEventsTest, TabAndShiftTabCycleThroughTheTabStopsOnly) {
  Harness harness(window_testing::DefinitionBytes(TabWindow()));
  std::uint8_t v3 = 0, v4 = 0, v5 = 0, v6 = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&v3, &v4, &v5, &v6, nullptr});
  OpenWindow(handle);
  EXPECT_EQ(harness.Open(handle).Focus(), &harness.Control(handle, 1)) << "the first tab stop has the focus";
  for (int i = 0; i < 3; ++i) harness.Key(handle, Key::Tab);
  for (int i = 0; i < 3; ++i) harness.Key(handle, Key::Tab, true);
  EXPECT_EQ(Controls(Only(harness.RunLoop(), Event::Selected)), (std::vector<int>{4, 7, 1, 7, 4, 1}));
}

TEST(WindowEventsTest, HiddenAndDisabledControlsAreNotReachedByTheMouse) {
  Harness harness(window_testing::DefinitionBytes(TabWindow()));
  std::uint8_t v3 = 0, v4 = 0, v5 = 0, v6 = 0;
  WindowHandle handle = DeclareWindow(kKey, kLabel, {&v3, &v4, &v5, &v6, nullptr});
  OpenWindow(handle);
  EXPECT_FALSE(harness.Control(handle, 5).IsVisible());
  EXPECT_FALSE(harness.Control(handle, 6).IsEnabled());
  harness.Click(handle, 5);
  harness.Click(handle, 6);
  harness.Click(handle, 3);  // skipped by Tab, but the mouse still reaches it
  harness.Key(handle, Key::Space);  // the focus stayed on button 1
  auto events = harness.RunLoop();
  EXPECT_EQ(Controls(Only(events, Event::Accepted)), (std::vector<int>{3, 1}));
  EXPECT_EQ(v3, 1);
  EXPECT_EQ(v5, 0);
  EXPECT_EQ(v6, 0);
}

}  // namespace
}  // namespace runtime
