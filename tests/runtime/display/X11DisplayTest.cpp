// Tests of the X11 display on a private Xvfb server: presenting, the window's hints, input, close.
#include "runtime/display/x11/X11Display.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include "runtime/display/x11/X11Probe.h"
#include "runtime/error/ErrorReport.h"

extern char** environ;

namespace runtime {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr Size kScreen{320, 240};
constexpr auto kStartTimeout = 10s;
constexpr auto kEventTimeout = 5s;
constexpr int kDisplayFd = 3;  // where Xvfb writes its display number once it is ready
constexpr const char* kXvfb = "/usr/bin/Xvfb";

bool Installed(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// An Xvfb server on a display number it picks itself, stopped by its process id.
class Xvfb {
 public:
  Xvfb() {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], kDisplayFd);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string geometry = std::to_string(kScreen.width) + "x" + std::to_string(kScreen.height) + "x24";
    const char* argv[] = {kXvfb,  "-displayfd", "3",    "-noreset",       "-nolisten",
                          "tcp",  "-screen",    "0",    geometry.c_str(), nullptr};
    if (posix_spawn(&pid_, kXvfb, &actions, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string number;
    const auto deadline = Clock::now() + kStartTimeout;
    while (pid_ != 0 && Clock::now() < deadline) {
      pollfd ready{fds[0], POLLIN, 0};
      if (poll(&ready, 1, 100) <= 0) continue;
      char c = 0;
      if (read(fds[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~Xvfb() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 100; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(20ms);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;
  const std::string& Name() const { return name_; }  // empty if it did not start
  void Kill() const { kill(pid_, SIGKILL); }  // as a crash would; the destructor still reaps it

 private:
  pid_t pid_ = 0;
  std::string name_;
};

class X11DisplayTest : public testing::Test {
 protected:
  void SetUp() override {
    if (access(kXvfb, X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed";
    server_ = std::make_unique<Xvfb>();
    ASSERT_FALSE(server_->Name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", server_->Name().c_str(), 1);
    auto display = OpenX11Display();
    ASSERT_TRUE(display) << display.error();
    display_ = std::move(*display);
  }
  void TearDown() override {
    display_.reset();  // the connection goes before the server
    server_.reset();
  }

  // Polls the display until `wanted` accepts an event or the time runs out.
  std::optional<InputEvent> WaitFor(const std::function<bool(const InputEvent&)>& wanted) {
    const auto deadline = Clock::now() + kEventTimeout;
    while (Clock::now() < deadline) {
      while (auto event = display_->NextInput(Wait::Poll)) {
        if (wanted(*event)) return event;
      }
      std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
  }

  // The screen's pixel at `at`, read by an independent client (ImageMagick's import).
  std::optional<Rgba> ScreenPixel(Point at) {
    const std::string command = "timeout 10 import -display " + server_->Name() + " -window root -depth 8 -crop 1x1+" +
                                std::to_string(at.x) + "+" + std::to_string(at.y) + " ppm:- 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string ppm;
    char buffer[256];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) ppm.append(buffer, n);
    pclose(pipe);
    // A one-pixel binary PPM with 8-bit samples ends in the pixel's three bytes.
    if (!ppm.starts_with("P6") || ppm.find("\n255\n") == std::string::npos || ppm.size() < 3) {
      return std::nullopt;
    }
    const std::string_view tail(ppm.data() + ppm.size() - 3, 3);
    return Rgba{static_cast<std::uint8_t>(tail[0]), static_cast<std::uint8_t>(tail[1]),
                static_cast<std::uint8_t>(tail[2]), 255};
  }

  // Waits until every pixel shows its colour (the server draws our requests
  // in its own time); empty then, else what a pixel showed instead.
  std::string ScreenMismatch(std::initializer_list<std::pair<Point, Rgba>> pixels) {
    std::string mismatch;
    const auto deadline = Clock::now() + kEventTimeout;
    while (Clock::now() < deadline) {
      mismatch.clear();
      for (auto [at, color] : pixels) {
        auto pixel = ScreenPixel(at);
        if (pixel && *pixel == color) continue;
        mismatch = "pixel " + std::to_string(at.x) + "," + std::to_string(at.y) + " is " +
                   (pixel ? std::to_string(pixel->r) + " " + std::to_string(pixel->g) + " " + std::to_string(pixel->b)
                          : std::string("unreadable"));
        break;
      }
      if (mismatch.empty()) return {};
      std::this_thread::sleep_for(50ms);
    }
    return mismatch;
  }

  std::unique_ptr<Xvfb> server_;
  std::unique_ptr<Display> display_;
};

TEST(X11DisplayOpenTest, ANamedDisplayThatIsNotThereIsAnError) {
  const char* previous = std::getenv("DISPLAY");
  const std::string saved = previous ? previous : "";
  setenv("DISPLAY", ":64999", 1);
  auto display = OpenX11Display();
  ASSERT_FALSE(display);
  EXPECT_NE(display.error().find(":64999"), std::string::npos) << display.error();
  if (previous) setenv("DISPLAY", saved.c_str(), 1); else unsetenv("DISPLAY");
}

SurfaceOptions Options(std::string title, Size client, std::optional<Point> position = {}) {
  SurfaceOptions options;
  options.title = std::move(title);
  options.client = client;
  options.position = position;
  return options;
}

constexpr Rgba kFirst{0x12, 0x34, 0x56, 255};  // every channel different, so a swap shows
constexpr Rgba kSecond{0xC8, 0x64, 0x20, 255};

TEST_F(X11DisplayTest, ScreenFactsComeFromTheServer) {
  EXPECT_EQ(display_->ScreenSize(), kScreen);
  EXPECT_EQ(display_->Dpi(), kDefaultDpi);  // Xvfb sets no Xft.dpi resource
}

TEST_F(X11DisplayTest, PresentedPixelsReachTheScreenAndOnlyTheAreaChanges) {
  const Point at{20, 30};
  const Size size{64, 48};
  const SurfaceId surface = display_->CreateSurface(Options("Presenting", size, at));
  ASSERT_NE(surface, 0u);
  display_->Present(surface, Bitmap(size.width, size.height, kFirst), {0, 0, size.width, size.height});
  EXPECT_EQ(ScreenMismatch({{{at.x, at.y}, kFirst},
                            {{at.x + size.width - 1, at.y + size.height - 1}, kFirst}}),
            "");

  const Rect part{8, 8, 16, 16};
  display_->Present(surface, Bitmap(size.width, size.height, kSecond), part);
  EXPECT_EQ(ScreenMismatch({{{at.x + part.x, at.y + part.y}, kSecond},
                            {{at.x + part.Right() - 1, at.y + part.Bottom() - 1}, kSecond},
                            {{at.x + part.Right(), at.y + part.Bottom()}, kFirst},
                            {{at.x + part.x - 1, at.y + part.y}, kFirst}}),
            "");
  display_->DestroySurface(surface);
}

TEST_F(X11DisplayTest, DialogAndMessageBoxCarryTheirHints) {
  const std::string name = server_->Name();
  const SurfaceId dialog = display_->CreateSurface(Options("Caf\xE9 \x80", {64, 48}));
  SurfaceOptions box_options = Options("Box", {30, 20});
  box_options.kind = SurfaceKind::MessageBox;
  box_options.owner = dialog;
  const SurfaceId box = display_->CreateSurface(box_options);
  ASSERT_NE(dialog, 0u);
  ASSERT_NE(box, 0u);
  // WM_NAME is Latin-1, so the euro sign is lost there but kept in the UTF-8 name.
  const std::string title = "Caf\xE9 ?";
  EXPECT_EQ(WindowProperty(name, title, "_NET_WM_NAME").value_or("?"), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(WindowProperty(name, title, "_NET_WM_WINDOW_TYPE").value_or("?"), "_NET_WM_WINDOW_TYPE_DIALOG");
  EXPECT_EQ(WindowProperty(name, title, "WM_PROTOCOLS").value_or("?"), "WM_DELETE_WINDOW");
  // Flags, functions (move only), decorations (border and title), input mode, status.
  EXPECT_EQ(WindowProperty(name, title, "_MOTIF_WM_HINTS").value_or("?"), "3 4 10 0 0");
  // The size hints: flags, four unused fields, then minimum and maximum width and height.
  const std::string hints = WindowProperty(name, title, "WM_NORMAL_HINTS").value_or("?");
  EXPECT_NE(hints.find(" 64 48 64 48 "), std::string::npos) << hints;
  EXPECT_FALSE(WindowProperty(name, title, "_NET_WM_STATE")) << "a dialog is not modal";

  EXPECT_EQ(WindowProperty(name, "Box", "_NET_WM_STATE").value_or("?"), "_NET_WM_STATE_MODAL");
  const std::string owner = WindowProperty(name, "Box", "WM_TRANSIENT_FOR").value_or("0");
  EXPECT_NE(owner, "0");
}

TEST_F(X11DisplayTest, DeleteWindowMessageIsACloseRequest) {
  const SurfaceId surface = display_->CreateSurface(Options("Closing", {40, 30}));
  ASSERT_NE(surface, 0u);
  auto sent = SendDeleteWindow(server_->Name(), "Closing");
  ASSERT_TRUE(sent) << sent.error();
  auto close = WaitFor([](const InputEvent& event) { return event.type == InputEvent::Type::CloseRequest; });
  ASSERT_TRUE(close) << "no close request arrived";
  EXPECT_EQ(close->surface, surface);
}

TEST_F(X11DisplayTest, PointerAndKeysArriveAsInputEvents) {
  if (!Installed("xdotool")) GTEST_SKIP() << "xdotool is not installed";
  const Point at{50, 60};
  const SurfaceId surface = display_->CreateSurface(Options("Input", {80, 60}, at));
  ASSERT_NE(surface, 0u);
  // The focus follows the pointer on a server without a window manager.
  const std::string command = "timeout 10 xdotool mousemove " + std::to_string(at.x + 10) + " " +
                              std::to_string(at.y + 12) + " click 1 key Tab shift+Tab Return Escape space Left a";
  ASSERT_EQ(std::system(command.c_str()), 0);

  using Type = InputEvent::Type;
  auto next = [&](Type type) {
    return WaitFor([&](const InputEvent& event) {
      // Modifier keys alone come as keys without a name or text; they do not matter here.
      return event.type == type && !(type == Type::KeyDown && event.key == Key::Other && event.text.empty());
    });
  };
  for (Type type : {Type::MouseMove, Type::MouseDown, Type::MouseUp}) {
    auto event = next(type);
    ASSERT_TRUE(event) << "missing mouse event " << static_cast<int>(type);
    EXPECT_EQ(event->surface, surface);
    EXPECT_EQ(event->position, (Point{10, 12}));
  }
  struct Expected {
    Key key;
    bool shift;
    std::optional<std::string> text;  // none: whatever the keymap types
  };
  const Expected keys[] = {{Key::Tab, false, "\t"},   {Key::Tab, true, std::nullopt},   {Key::Enter, false, "\r"},
                           {Key::Escape, false, "\x1b"}, {Key::Space, false, " "}, {Key::Left, false, ""},
                           {Key::Other, false, "a"}};
  for (const Expected& expected : keys) {
    auto event = next(Type::KeyDown);
    ASSERT_TRUE(event) << "missing key " << static_cast<int>(expected.key);
    EXPECT_EQ(event->surface, surface);
    EXPECT_EQ(event->key, expected.key);
    EXPECT_EQ(event->shift, expected.shift) << static_cast<int>(expected.key);
    if (expected.text) {
      EXPECT_EQ(event->text, *expected.text) << static_cast<int>(expected.key);
    }
  }
}

TEST(X11DisplayLostTest, LosingTheServerEndsTheProcessInsteadOfHanging) {
  if (access(kXvfb, X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed";
  Xvfb server;
  ASSERT_FALSE(server.Name().empty()) << "Xvfb did not start";
  // Only the child connects: a dead connection ends whichever process touches it.
  EXPECT_EXIT(
      {
        setenv("DISPLAY", server.Name().c_str(), 1);
        auto display = OpenX11Display();
        if (!display) std::_Exit(0);
        server.Kill();
        (*display)->NextInput(Wait::Block);
        std::_Exit(0);
      },
      testing::ExitedWithCode(kErrorExitStatus), "lost the connection to the X display");
}

}  // namespace
}  // namespace runtime
