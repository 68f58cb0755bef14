// The program window on the headless display: opening it, and one toggle of the slider switch.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "resources/ProgramResources.h"
#include "runtime/Runtime.h"
#include "runtime/display/headless/HeadlessDisplay.h"
#include "runtime/system/System.h"
#include "slider/SliderSwitchManager.h"

namespace {

constexpr const char* kKey = "Quindle$Quindle";
constexpr const char* kLabel = "P2$WINDOW";
constexpr std::int32_t kSwitchedBox = 3;
constexpr int kUnsignedByteKind = 1;

// One runtime on a headless display, as the program has it.
struct Headless {
  runtime::HeadlessDisplay* display;
  runtime::System system;

  Headless() : Headless(std::make_unique<runtime::HeadlessDisplay>()) {}
  explicit Headless(std::unique_ptr<runtime::HeadlessDisplay> owned)
      : display(owned.get()), system(Modules(), std::move(owned)) {}

  static runtime::ModuleList Modules() {
    runtime::ModuleList modules;
    modules.Add({"quindle", ProgramResources()});
    return modules;
  }
};

const runtime::Control* FindKind(int kind) {
  for (const auto& control : runtime::System::Get().TopWindow()->open->Controls()) {
    if (control->Kind() == kind) return control.get();
  }
  return nullptr;
}

// Passes everything to a headless display that can be replaced while no
// surface is live: the headless display keeps the frame of every surface it
// ever made, which over thousands of opened windows would fill the memory.
class ReplaceableDisplay final : public runtime::Display {
 public:
  ReplaceableDisplay() { Replace(); }
  void Replace() { display_ = std::make_unique<runtime::HeadlessDisplay>(); }
  runtime::HeadlessDisplay& Current() { return *display_; }

  runtime::SurfaceId CreateSurface(const runtime::SurfaceOptions& o) override { return display_->CreateSurface(o); }
  void DestroySurface(runtime::SurfaceId s) override { display_->DestroySurface(s); }
  void Present(runtime::SurfaceId s, const runtime::Bitmap& f, runtime::Rect a) override { display_->Present(s, f, a); }
  std::optional<runtime::InputEvent> NextInput(runtime::Wait w) override { return display_->NextInput(w); }
  runtime::Size ScreenSize() const override { return display_->ScreenSize(); }
  int Dpi() const override { return display_->Dpi(); }

 private:
  std::unique_ptr<runtime::HeadlessDisplay> display_;
};

// Declaring, opening (finding and reading the record, building the window and
// its controls, binding the variables, the first paint), closing and
// releasing the program window, all under one runtime.
void BM_OpenProgramWindow(benchmark::State& state) {
  constexpr std::int64_t kOpensPerDisplay = 32;
  auto owned = std::make_unique<ReplaceableDisplay>();
  ReplaceableDisplay& display = *owned;
  runtime::System system(Headless::Modules(), std::move(owned));
  std::uint8_t variable1 = 0;
  std::uint8_t variable2 = 0;
  std::int64_t opens = 0;
  std::int64_t presents = 0;
  for (auto _ : state) {
    runtime::WindowHandle window = runtime::DeclareWindow(kKey, kLabel, {&variable1, &variable2, nullptr});
    runtime::OpenWindow(window);
    runtime::CloseWindow(window);
    runtime::ReleaseWindow(window);
    if (++opens % kOpensPerDisplay == 0) {
      state.PauseTiming();
      presents += display.Current().PresentCount();
      display.Replace();
      state.ResumeTiming();
    }
  }
  presents += display.Current().PresentCount();
  state.counters["presents_per_open"] =
      benchmark::Counter(static_cast<double>(presents) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_OpenProgramWindow)->Unit(benchmark::kMicrosecond);

// One toggle of the switch, through the event path the program uses: the
// click queued on the display, Accept and the manager's TakeEvent until the
// hidden check box's accepted event arrives; by then the Accept before it has
// repainted the switch (the keyed get, the picture loaded from its resource,
// the paint, the present). Counters: whether every present of a toggle lay
// within the switch's rectangle, and the pixels presented per toggle.
void BM_ToggleSwitch(benchmark::State& state) {
  Headless headless;
  std::uint8_t variable1 = 0;
  std::uint8_t variable2 = 0;
  SliderSwitchManager manager;
  ConstructSliderSwitchManager(manager);
  manager.Init();
  runtime::WindowHandle window = runtime::DeclareWindow(kKey, kLabel, {&variable1, &variable2, nullptr});
  runtime::OpenWindow(window);
  runtime::Handle variable = runtime::MakeReference(&variable1, kUnsignedByteKind);
  manager.AddSwitch(kSwitchedBox, variable, 0);
  runtime::FreeReference(variable);

  const runtime::Control* region = FindKind(runtime::ControlKind::Region);
  const runtime::Control* image = FindKind(runtime::ControlKind::Image);
  if (region == nullptr || image == nullptr) {
    state.SkipWithError("the switch was not made");
    return;
  }
  const runtime::Rect switch_area = image->Bounds();
  const runtime::Point centre{region->Bounds().x + region->Bounds().width / 2,
                              region->Bounds().y + region->Bounds().height / 2};
  const runtime::SurfaceId surface = runtime::System::Get().TopWindow()->open->Surface();
  const auto& presented = headless.display->Surface(surface)->presented;
  auto toggle = [&] {
    headless.display->Click(surface, centre);
    while (runtime::Accept()) {
      manager.TakeEvent();
      if (runtime::AcceptedControl() == kSwitchedBox) break;
    }
  };
  toggle();  // once before timing, so that the window's opening events are behind
  const std::size_t presented_before = presented.size();

  std::int64_t toggles_seen = 0;
  for (auto _ : state) {
    toggle();
    ++toggles_seen;
  }

  bool only_switch = presented.size() > presented_before;
  double pixels = 0;
  for (std::size_t i = presented_before; i < presented.size(); ++i) {
    only_switch = only_switch && presented[i].Intersected(switch_area) == presented[i];
    pixels += static_cast<double>(presented[i].width) * presented[i].height;
  }
  state.counters["only_switch_repainted"] = only_switch ? 1 : 0;
  state.counters["presented_px_per_toggle"] = pixels / static_cast<double>(toggles_seen);
  state.counters["presents_per_toggle"] =
      static_cast<double>(presented.size() - presented_before) / static_cast<double>(toggles_seen);
  state.counters["switch_px"] = static_cast<double>(switch_area.width) * switch_area.height;

  runtime::CloseWindow(window);
  runtime::ReleaseWindow(window);
  manager.Kill();
}
BENCHMARK(BM_ToggleSwitch)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
