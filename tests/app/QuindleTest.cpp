// The program as a person uses it: clicks and keys on the headless display.
#include <gtest/gtest.h>

#include "app/Quindle.h"
#include "resources/ProgramResources.h"
#include "runtime/Runtime.h"
#include "runtime/window/CheckBox.h"
#include "runtime/window/ImageControl.h"
#include "runtime/picture/PictureLoader.h"
#include "runtime/paint/Blend.h"
#include "tests/support/ProgramDriver.h"

namespace {

using runtime::Key;
using testing_support::ProgramDriver;

constexpr int kCloseButton = 1;
constexpr int kLabel = 2;
constexpr int kBox1 = 3;
constexpr int kBox2 = 4;

// The controls that the slider switch made: the region, then the image.
struct Switch {
  runtime::Control* region = nullptr;
  runtime::Control* image = nullptr;
};

Switch FindSwitch() {
  Switch found;
  for (const auto& control : ProgramDriver::ProgramWindow().Controls()) {
    if (control->Kind() == runtime::ControlKind::Region) found.region = control.get();
    if (control->Kind() == runtime::ControlKind::Image) found.image = control.get();
  }
  return found;
}

class QuindleTest : public testing::Test {
 protected:
  ProgramDriver driver{ProgramResources()};
  std::vector<std::string> messages;

  // A step that notes the open message box's text and presses OK with `key`.
  void ExpectMessageThen(std::string expected, Key key = Key::Enter) {
    driver.Then([this, expected, key] {
      messages.push_back(ProgramDriver::MessageText());
      EXPECT_EQ(ProgramDriver::MessageText(), expected);
      driver.PressKeyOnMessage(key);
    });
  }
  void NoMessageThen(std::function<void()> action) {
    driver.Then([this, action] {
      EXPECT_EQ(ProgramDriver::MessageText(), "");
      action();
    });
  }
  void RunToEnd() {
    driver.Run(Quindle);
    EXPECT_TRUE(driver.Finished()) << "the program did not end by itself after the last step";
  }
};

TEST_F(QuindleTest, OpensWithBothBoxesClearAndNoMessageThenEscapeEnds) {
  driver.Then([&] {
    EXPECT_EQ(ProgramDriver::MessageText(), "");
    auto& box2 = static_cast<runtime::CheckBox&>(ProgramDriver::Control(kBox2));
    EXPECT_FALSE(box2.IsChecked());
    EXPECT_FALSE(ProgramDriver::Control(kBox1).IsVisible()) << "the switch stands in box 3's place";
    EXPECT_EQ(driver.Display().Surface(driver.ProgramSurface())->options.title, "Caption");
    driver.PressKey(Key::Escape);
  });
  RunToEnd();
  EXPECT_TRUE(driver.Display().LiveSurfaces().empty());
}

TEST_F(QuindleTest, CheckBoxTwoReportsEachNewValue) {
  NoMessageThen([&] { driver.ClickControl(kBox2); });
  ExpectMessageThen("Variable 2 = 1");
  NoMessageThen([&] { driver.ClickControl(kBox2); });
  ExpectMessageThen("Variable 2 = 0");
  NoMessageThen([&] { driver.ClickControl(kCloseButton); });
  RunToEnd();
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(QuindleTest, TheSwitchReportsVariableOneAndShowsItsPicture) {
  auto picture = [](std::string_view name) {
    return runtime::LoadPicture(name, runtime::System::Get().Modules());
  };
  NoMessageThen([&] {
    Switch s = FindSwitch();
    ASSERT_TRUE(s.region && s.image);
    EXPECT_EQ(s.image->Bounds(), ProgramDriver::Control(kBox1).Bounds()) << "the switch lies over box 3";
    EXPECT_EQ(s.region->Bounds(), ProgramDriver::Control(kBox1).Bounds());
    EXPECT_TRUE(static_cast<runtime::ImageControl*>(s.image)->Picture() == picture("~Slider-Off.png"));
    driver.ClickAt(testing_support::Centre(s.region->Bounds()));
  });
  ExpectMessageThen("Variable 1 = 1");
  NoMessageThen([&] {
    EXPECT_TRUE(static_cast<runtime::ImageControl*>(FindSwitch().image)->Picture() == picture("~Slider-On.png"));
    driver.ClickAt(testing_support::Centre(FindSwitch().region->Bounds()));
  });
  ExpectMessageThen("Variable 1 = 0");
  NoMessageThen([&] { driver.PressKey(Key::Escape); });
  RunToEnd();
  EXPECT_EQ(messages.size(), 2u) << "one message per click, none for the region's own events";
}

TEST_F(QuindleTest, SwitchPixelsAreThePictureOverTheWindowFace) {
  driver.Then([&] {
    Switch s = FindSwitch();
    auto off = runtime::LoadPicture("~Slider-Off.png", runtime::System::Get().Modules());
    ASSERT_TRUE(off);
    runtime::Rect r = s.image->Bounds();
    int left = (r.Left() + r.Right() - off->Width()) / 2;
    int top = (r.Top() + r.Bottom() - off->Height()) / 2;
    const runtime::Bitmap& frame = driver.ProgramFrame();
    for (int y = 0; y < off->Height(); ++y) {
      for (int x = 0; x < off->Width(); ++x) {
        if (!r.Contains({left + x, top + y})) continue;
        runtime::Rgba expected = runtime::BlendOver(runtime::kWindowFace, off->At(x, y));
        ASSERT_EQ(frame.At(left + x, top + y), expected) << "at picture pixel " << x << "," << y;
      }
    }
    EXPECT_EQ(frame.At(left, top), runtime::kWindowFace) << "the transparent corner shows the face";
    driver.PressKey(Key::Escape);
  });
  RunToEnd();
}

TEST_F(QuindleTest, CloseButtonAndEscapeEndWithoutAMessage) {
  for (bool by_button : {true, false}) {
    ProgramDriver local{ProgramResources()};
    local.Then([&] {
      if (by_button) {
        local.ClickControl(kCloseButton);
      } else {
        local.PressKey(Key::Escape);
      }
    });
    local.Run(Quindle);
    EXPECT_TRUE(local.Finished());
    EXPECT_TRUE(local.MessageSurface() == 0);
  }
}

TEST_F(QuindleTest, MessageBoxIsModalAndOnlyOkDismissesIt) {
  NoMessageThen([&] { driver.ClickControl(kBox2); });
  driver.Then([&] {
    EXPECT_EQ(ProgramDriver::MessageText(), "Variable 2 = 1");
    driver.PressKeyOnMessage(Key::Escape);  // does nothing
    driver.SendCloseRequest(driver.MessageSurface());
    driver.ClickControl(kBox2);             // the program window takes no input
    driver.PressKey(Key::Escape);
  });
  driver.Then([&] {
    EXPECT_EQ(ProgramDriver::MessageText(), "Variable 2 = 1") << "still open";
    EXPECT_TRUE(static_cast<runtime::CheckBox&>(ProgramDriver::Control(kBox2)).IsChecked());
    // An event posted while the box is open is delivered once it is gone.
    runtime::PostEvent(runtime::Event::Accepted, kBox2);
    driver.ClickMessageOk();
  });
  ExpectMessageThen("Variable 2 = 1", Key::Space);
  NoMessageThen([&] { driver.PressKey(Key::Escape); });
  RunToEnd();
}

TEST_F(QuindleTest, OtherEventsShowNothing) {
  NoMessageThen([&] {
    driver.ClickControl(kLabel);
    driver.PressKey(Key::Tab);
    driver.PressKey(Key::Tab, /*shift=*/true);
    runtime::Rect region = FindSwitch().region->Bounds();
    driver.MoveMouse(testing_support::Centre(region));
    runtime::PostEvent(runtime::Event::Accepted, kCloseButton);
  });
  NoMessageThen([&] { driver.PressKey(Key::Escape); });
  RunToEnd();
}

TEST_F(QuindleTest, KeyboardTogglesTheFocusedCheckBox) {
  // Tab order: Close, box 4 (box 3 is hidden behind its switch).
  NoMessageThen([&] {
    driver.PressKey(Key::Tab);
    driver.Display().PressKey(driver.ProgramSurface(), Key::Space, false, " ");
  });
  ExpectMessageThen("Variable 2 = 1");
  NoMessageThen([&] {
    EXPECT_EQ(ProgramDriver::ProgramWindow().Focus(), &ProgramDriver::Control(kBox2));
    driver.PressKey(Key::Tab);
    driver.PressKey(Key::Space);  // presses Close
  });
  RunToEnd();
}

}  // namespace
