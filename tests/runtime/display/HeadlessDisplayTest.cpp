// Tests of the headless display: queued input, the idle handler, running out, presenting.
#include "runtime/display/headless/HeadlessDisplay.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

using Type = InputEvent::Type;

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

SurfaceOptions Dialog(Size client) {
  SurfaceOptions options;
  options.title = "Caption";
  options.client = client;
  return options;
}

TEST(HeadlessDisplayTest, ScreenIsWhatItWasMadeWith) {
  HeadlessDisplay standard;
  EXPECT_EQ(standard.ScreenSize(), (Size{1920, 1080}));
  EXPECT_EQ(standard.Dpi(), kDefaultDpi);
  HeadlessDisplay large({800, 600}, 144);
  EXPECT_EQ(large.ScreenSize(), (Size{800, 600}));
  EXPECT_EQ(large.Dpi(), 144);
}

TEST(HeadlessDisplayTest, QueuedInputComesBackInOrder) {
  HeadlessDisplay display;
  const SurfaceId surface = display.CreateSurface(Dialog({100, 50}));
  display.Click(surface, {7, 9});
  display.PressKey(surface, Key::Tab, true);
  InputEvent close;
  close.type = Type::CloseRequest;
  close.surface = surface;
  display.QueueInput(close);

  struct Expected {
    Type type;
    Point position;
    Key key;
    bool shift;
  };
  const Expected expected[] = {{Type::MouseMove, {7, 9}, Key::Other, false},
                               {Type::MouseDown, {7, 9}, Key::Other, false},
                               {Type::MouseUp, {7, 9}, Key::Other, false},
                               {Type::KeyDown, {}, Key::Tab, true},
                               {Type::CloseRequest, {}, Key::Other, false}};
  for (const Expected& e : expected) {
    auto event = display.NextInput(Wait::Poll);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->type, e.type);
    EXPECT_EQ(event->surface, surface);
    EXPECT_EQ(event->position, e.position);
    EXPECT_EQ(event->key, e.key);
    EXPECT_EQ(event->shift, e.shift);
  }
  EXPECT_FALSE(display.NextInput(Wait::Poll));
  EXPECT_FALSE(display.RanOutOfInput()) << "an empty poll is not running out";
}

TEST(HeadlessDisplayTest, IdleHandlerFeedsInputThenTheDisplayRunsOut) {
  HeadlessDisplay display;
  int idle_calls = 0;
  display.SetIdleHandler([&] {
    ++idle_calls;
    if (idle_calls <= 2) display.PressKey(1, Key::Space, false, " ");
  });
  for (int i = 0; i < 2; ++i) {
    auto event = display.NextInput(Wait::Block);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->key, Key::Space);
    EXPECT_EQ(event->text, " ");
  }
  EXPECT_FALSE(display.RanOutOfInput());
  EXPECT_FALSE(display.NextInput(Wait::Block));
  EXPECT_TRUE(display.RanOutOfInput());
  EXPECT_EQ(idle_calls, 3);
  // Out for good: input queued afterwards is not delivered, the handler is not asked again.
  display.PressKey(1, Key::Enter);
  EXPECT_FALSE(display.NextInput(Wait::Block));
  EXPECT_FALSE(display.NextInput(Wait::Poll));
  EXPECT_EQ(idle_calls, 3);
}

TEST(HeadlessDisplayTest, WithoutAHandlerAnEmptyQueueRunsOut) {
  HeadlessDisplay display;
  display.PressKey(1, Key::Escape);
  EXPECT_TRUE(display.NextInput(Wait::Block));
  EXPECT_FALSE(display.NextInput(Wait::Block));
  EXPECT_TRUE(display.RanOutOfInput());
}

TEST(HeadlessDisplayTest, PresentOfAPartUpdatesOnlyThatPart) {
  HeadlessDisplay display;
  const SurfaceId surface = display.CreateSurface(Dialog({8, 6}));
  display.Present(surface, Bitmap(8, 6, kRed), {0, 0, 8, 6});
  const Rect part{2, 1, 3, 4};
  display.Present(surface, Bitmap(8, 6, kBlue), part);
  const auto* record = display.Surface(surface);
  ASSERT_TRUE(record);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(record->frame.At(x, y), part.Contains({x, y}) ? kBlue : kRed) << x << "," << y;
    }
  }
  EXPECT_EQ(record->presented, (std::vector<Rect>{{0, 0, 8, 6}, part}));
  EXPECT_EQ(display.PresentCount(), 2);
}

TEST(HeadlessDisplayTest, PresentIsClippedToTheSurface) {
  HeadlessDisplay display;
  const SurfaceId surface = display.CreateSurface(Dialog({4, 4}));
  display.Present(surface, Bitmap(4, 4, kRed), {2, -3, 10, 5});
  const auto* record = display.Surface(surface);
  EXPECT_EQ(record->presented.back(), (Rect{2, 0, 2, 2}));
  EXPECT_EQ(record->frame.At(3, 1), kRed);
  EXPECT_NE(record->frame.At(3, 2), kRed);
}

TEST(HeadlessDisplayTest, SurfacesKeepTheirOptionsAndOutliveDestruction) {
  HeadlessDisplay display;
  const SurfaceId dialog = display.CreateSurface(Dialog({100, 50}));
  SurfaceOptions box_options = Dialog({60, 30});
  box_options.position = Point{5, 6};
  box_options.kind = SurfaceKind::MessageBox;
  box_options.owner = dialog;
  const SurfaceId box = display.CreateSurface(box_options);
  const SurfaceId third = display.CreateSurface(Dialog({10, 10}));
  EXPECT_NE(dialog, 0u);
  EXPECT_NE(box, dialog);
  EXPECT_EQ(display.LiveSurfaces(), (std::vector<SurfaceId>{dialog, box, third}));
  display.DestroySurface(box);
  EXPECT_EQ(display.LiveSurfaces(), (std::vector<SurfaceId>{dialog, third}));
  const auto* record = display.Surface(box);
  ASSERT_TRUE(record);
  EXPECT_TRUE(record->destroyed);
  EXPECT_EQ(record->options.kind, SurfaceKind::MessageBox);
  EXPECT_EQ(record->options.owner, dialog);
  EXPECT_EQ(record->options.position, (Point{5, 6}));
  EXPECT_EQ(record->frame.GetSize(), (Size{60, 30}));
  EXPECT_EQ(display.Surface(999), nullptr);
}

TEST(HeadlessDisplayTest, FailNextCreateFailsOnlyTheNextOne) {
  HeadlessDisplay display;
  display.FailNextCreate();
  EXPECT_EQ(display.CreateSurface(Dialog({10, 10})), 0u);
  EXPECT_TRUE(display.LiveSurfaces().empty());
  EXPECT_NE(display.CreateSurface(Dialog({10, 10})), 0u);
  EXPECT_EQ(display.CreateSurface(Dialog({0, 10})), 0u) << "an empty client area";
}

}  // namespace
}  // namespace runtime
