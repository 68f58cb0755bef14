// The slider switch manager, driven through the runtime's real event path.
#include <gtest/gtest.h>

#include <memory>

#include "resources/DefinitionWriter.h"
#include "resources/ProgramResources.h"
#include "resources/ProgramWindow.h"
#include "runtime/Runtime.h"
#include "runtime/display/headless/HeadlessDisplay.h"
#include "runtime/picture/PictureLoader.h"
#include "runtime/system/System.h"
#include "runtime/window/ImageControl.h"
#include "slider/SliderSwitchManager.h"
#include "slider/SwitchRecord.h"

namespace {

using runtime::Event::Accepted;
using runtime::Event::MouseUp;

constexpr int kUnsignedByte = 1;
constexpr int kBox1 = 3;
constexpr int kBox2 = 4;
constexpr int kBox3 = 5;
constexpr int kIdleEvent = 0x7001;  // no control raises it

struct Delivered {
  int event;
  int control;
  friend bool operator==(const Delivered&, const Delivered&) = default;
};

// The program's window with a third check box, 5, under the other two.
std::vector<std::byte> ThreeBoxDefinition() {
  windef::Definition definition = windef::ProgramWindowDefinition();
  definition.key = "Test$Switches";
  std::vector<windef::Control>& controls = definition.windows.front().controls;
  windef::Control third = controls.back();
  third.number = kBox3;
  third.label = "?BYVARIABLE3";
  third.text = " Variable Number 3";
  third.position.y = 58;
  controls.push_back(third);
  return windef::WriteDefinition(definition);
}

class SliderSwitchManagerTest : public testing::Test {
 protected:
  SliderSwitchManagerTest() {
    resources_.push_back({"DABDUMP", "SWITCHES_RSC", runtime::kLanguageEnglishUs, definition_});
    runtime::ModuleList modules;
    modules.Add({"test", resources_});
    modules.Add({"quindle", ProgramResources()});
    auto display = std::make_unique<runtime::HeadlessDisplay>();
    display_ = display.get();
    system_ = std::make_unique<runtime::System>(std::move(modules), std::move(display));
    baseline_references_ = runtime::LiveReferenceCount();
  }

  ~SliderSwitchManagerTest() override {
    if (window_) {
      runtime::CloseWindow(window_);
      runtime::ReleaseWindow(window_);
    }
    if (manager_.ENTRYQ) manager_.Kill();
    EXPECT_EQ(runtime::LiveReferenceCount(), baseline_references_) << "every reference released once";
  }

  void OpenWithSwitches(std::initializer_list<std::pair<int, std::uint8_t*>> switches) {
    ConstructSliderSwitchManager(manager_);
    EXPECT_EQ(manager_.ENTRYQ, runtime::kNullHandle);
    manager_.Init();
    window_ = runtime::DeclareWindow("Test$Switches", "P2$WINDOW", {&v1_, &v2_, &v3_, nullptr});
    runtime::OpenWindow(window_);
    for (auto [control, variable] : switches) {
      runtime::Handle reference = runtime::MakeReference(variable, kUnsignedByte);
      manager_.AddSwitch(control, reference, 0);
      runtime::FreeReference(reference);
    }
    Deliver();
  }

  // The switch record for a check box, found by position.
  SwitchRecord RecordFor(int check_box) {
    for (std::int32_t i = 1; i <= runtime::RecordCount(manager_.ENTRYQ); ++i) {
      runtime::GetRecordAt(manager_.ENTRYQ, i);
      auto record = *static_cast<SwitchRecord*>(runtime::QueueBuffer(manager_.ENTRYQ));
      if (record.DWFEQ == check_box) return record;
    }
    ADD_FAILURE() << "no switch for " << check_box;
    return {};
  }

  std::string PictureOf(int check_box) { return runtime::GetProperty(RecordFor(check_box).DWIMAGEFEQ, runtime::Prop::Text); }

  runtime::Rect RegionOf(int check_box) {
    return system_->TopWindow()->open->Find(RecordFor(check_box).DWREGIONFEQ)->Bounds();
  }

  // Runs the loop until the input queued so far has become events and all of
  // them are delivered; the manager takes each event first, as the program
  // does. When the loop would wait for more input, the display posts an event
  // of its own that ends the run, and a move on no surface so that it never
  // runs out of input.
  std::vector<Delivered> Deliver() {
    display_->SetIdleHandler([this] {
      runtime::PostEvent(kIdleEvent, 0);
      runtime::InputEvent nowhere;
      nowhere.type = runtime::InputEvent::Type::MouseMove;
      nowhere.surface = 0;
      display_->QueueInput(nowhere);
    });
    std::vector<Delivered> delivered;
    while (runtime::Accept()) {
      manager_.TakeEvent();
      if (runtime::CurrentEvent() == kIdleEvent) break;
      delivered.push_back({runtime::CurrentEvent(), runtime::EventControl()});
      on_deliver_(delivered.back());
    }
    return delivered;
  }

  void Click(runtime::Rect area) {
    display_->Click(display_->LiveSurfaces().front(), {area.x + area.width / 2, area.y + area.height / 2});
  }

  std::vector<std::byte> definition_ = ThreeBoxDefinition();
  std::vector<runtime::Resource> resources_;
  runtime::HeadlessDisplay* display_ = nullptr;
  std::unique_ptr<runtime::System> system_;
  std::size_t baseline_references_ = 0;
  SliderSwitchManager manager_{};
  runtime::WindowHandle window_ = 0;
  std::uint8_t v1_ = 0, v2_ = 0, v3_ = 0;
  std::function<void(const Delivered&)> on_deliver_ = [](const Delivered&) {};
};

TEST_F(SliderSwitchManagerTest, FirstPictureFollowsTheVariableAndLeavesItAlone) {
  struct Case { std::uint8_t value; std::string_view picture; };
  for (Case c : {Case{1, "~Slider-On.png"}, Case{0, "~Slider-Off.png"}, Case{2, "~Slider-Off.png"},
                 Case{255, "~Slider-Off.png"}}) {
    v1_ = c.value;
    ConstructSliderSwitchManager(manager_);
    manager_.Init();
    window_ = runtime::DeclareWindow("Test$Switches", "P2$WINDOW", {&v1_, &v2_, &v3_, nullptr});
    runtime::OpenWindow(window_);
    runtime::Handle reference = runtime::MakeReference(&v1_, kUnsignedByte);
    manager_.AddSwitch(kBox1, reference, 0);
    runtime::FreeReference(reference);

    EXPECT_EQ(PictureOf(kBox1), c.picture) << int{c.value};
    EXPECT_EQ(v1_, c.value);
    const auto* image = static_cast<const runtime::ImageControl*>(
        system_->TopWindow()->open->Find(RecordFor(kBox1).DWIMAGEFEQ));
    EXPECT_TRUE(image->Picture() == runtime::LoadPicture(c.picture, system_->Modules()));
    EXPECT_FALSE(system_->TopWindow()->open->Find(kBox1)->IsVisible());
    EXPECT_TRUE(image->IsVisible());

    runtime::CloseWindow(window_);
    runtime::ReleaseWindow(window_);
    window_ = 0;
    manager_.Kill();
    EXPECT_EQ(manager_.ENTRYQ, runtime::kNullHandle);
  }
}

TEST_F(SliderSwitchManagerTest, AToggleStoresTheNewValueThenPostsOneAcceptedForTheCheckBox) {
  struct Case { std::uint8_t before, after; std::string_view picture; };
  for (Case c : {Case{1, 0, "~Slider-Off.png"}, Case{0, 1, "~Slider-On.png"}, Case{2, 1, "~Slider-On.png"},
                 Case{255, 1, "~Slider-On.png"}}) {
    v1_ = c.before;
    OpenWithSwitches({{kBox1, &v1_}});
    int region = RecordFor(kBox1).DWREGIONFEQ;
    std::vector<int> values_at_accept;
    on_deliver_ = [&](const Delivered& d) {
      if (d == Delivered{Accepted, kBox1}) values_at_accept.push_back(v1_);
    };
    Click(RegionOf(kBox1));
    std::vector<Delivered> delivered = Deliver();

    EXPECT_EQ(v1_, c.after) << int{c.before};
    EXPECT_EQ(PictureOf(kBox1), c.picture);
    EXPECT_EQ(values_at_accept, std::vector<int>{c.after}) << "exactly one, with the variable changed";
    // The region's own events come first; the posted one waits behind them.
    auto mouse_up = std::ranges::find(delivered, Delivered{MouseUp, region});
    auto own_accept = std::ranges::find(delivered, Delivered{Accepted, region});
    auto posted = std::ranges::find(delivered, Delivered{Accepted, kBox1});
    ASSERT_NE(posted, delivered.end());
    EXPECT_LT(mouse_up, own_accept);
    EXPECT_LT(own_accept, posted);

    on_deliver_ = [](const Delivered&) {};
    runtime::CloseWindow(window_);
    runtime::ReleaseWindow(window_);
    window_ = 0;
    manager_.Kill();
  }
}

TEST_F(SliderSwitchManagerTest, EventsOtherThanMouseUpAndForeignRegionsChangeNothing) {
  OpenWithSwitches({{kBox1, &v1_}});
  int region = RecordFor(kBox1).DWREGIONFEQ;
  int image = RecordFor(kBox1).DWIMAGEFEQ;
  int foreign = runtime::CreateControl(0, runtime::ControlKind::Region);
  for (int property : {runtime::Prop::Xpos, runtime::Prop::Ypos, runtime::Prop::Width, runtime::Prop::Height}) {
    runtime::SetProperty(foreign, property, runtime::GetProperty(kBox2, property));
  }
  runtime::SetProperty(foreign, runtime::Prop::Imm, 1);
  runtime::UnhideControls(foreign);

  for (int event : {runtime::Event::Accepted, runtime::Event::MouseDown, runtime::Event::MouseMove,
                    runtime::Event::Selected}) {
    runtime::PostEvent(event, region);
  }
  runtime::PostEvent(MouseUp, image);
  runtime::PostEvent(MouseUp, 0);
  Click(system_->TopWindow()->open->Find(foreign)->Bounds());
  std::vector<Delivered> delivered = Deliver();

  EXPECT_EQ(v1_, 0);
  EXPECT_EQ(PictureOf(kBox1), "~Slider-Off.png");
  EXPECT_EQ(std::ranges::count(delivered, Delivered{Accepted, kBox1}), 0);
  EXPECT_NE(std::ranges::find(delivered, Delivered{MouseUp, foreign}), delivered.end());
}

TEST_F(SliderSwitchManagerTest, TwoSwitchesToggleIndependently) {
  OpenWithSwitches({{kBox1, &v1_}, {kBox3, &v3_}});
  Click(RegionOf(kBox3));
  std::vector<Delivered> delivered = Deliver();
  EXPECT_EQ(v1_, 0);
  EXPECT_EQ(v3_, 1);
  EXPECT_EQ(PictureOf(kBox1), "~Slider-Off.png");
  EXPECT_EQ(PictureOf(kBox3), "~Slider-On.png");
  EXPECT_EQ(std::ranges::count(delivered, Delivered{Accepted, kBox3}), 1);
  EXPECT_EQ(std::ranges::count(delivered, Delivered{Accepted, kBox1}), 0);

  Click(RegionOf(kBox1));
  Deliver();
  EXPECT_EQ(v1_, 1);
  EXPECT_EQ(v3_, 1);
}

TEST_F(SliderSwitchManagerTest, KillReleasesEveryReferenceAndLeavesTheVariables) {
  v1_ = 1;
  v3_ = 7;
  OpenWithSwitches({{kBox1, &v1_}, {kBox3, &v3_}});
  EXPECT_EQ(runtime::LiveReferenceCount(), baseline_references_ + 2) << "one per record, none left by the caller";
  runtime::CloseWindow(window_);
  runtime::ReleaseWindow(window_);
  window_ = 0;
  manager_.Kill();
  EXPECT_EQ(manager_.ENTRYQ, runtime::kNullHandle);
  EXPECT_EQ(runtime::LiveReferenceCount(), baseline_references_);
  EXPECT_EQ(v1_, 1);
  EXPECT_EQ(v3_, 7);
}

TEST_F(SliderSwitchManagerTest, KillWithNoSwitchesOnlyDisposesTheQueue) {
  ConstructSliderSwitchManager(manager_);
  manager_.Init();
  EXPECT_NE(manager_.ENTRYQ, runtime::kNullHandle);
  manager_.Kill();
  EXPECT_EQ(manager_.ENTRYQ, runtime::kNullHandle);
}

}  // namespace
