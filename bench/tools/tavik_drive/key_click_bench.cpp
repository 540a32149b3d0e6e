// Budgets: one key click end to end under 100 us: the pointer moves onto the key, the left
// button goes down and up, the engine runs, the display and the key repaint, and the calculator
// window is recomposed and presented, on the headless display the driver uses. The whole window
// given to the display again, as when another window uncovers it: under 1 ms at 1x, and under
// 4 ms, a quarter of a frame at 60 Hz, at 1.5x and 2x.
#include <benchmark/benchmark.h>

#include "calculator/program.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"

namespace drive {
namespace {

struct RunningProgram {
    platform::HeadlessBackend backend;
    platform::WindowSystem system{backend};
    calculator::Program program{system, calculator::ProgramOptions{}};

    explicit RunningProgram(platform::DeviceScale scale = {}) : backend({1024, 768}, scale) {
        // The splash runs its whole course on the virtual clock.
        platform::Script script;
        script.Advance(5000);
        backend.SetInputSource(script.Source());
        program.Start();
    }

    void Click(const char* caption) {
        calculator::main& window = program.MainWindow();
        const platform::Window& key = window.KeyWithCaption(caption)->Site().SiteWindow();
        system.PointerMoveInWindow(window.Handle(),
                                   window.ScreenToClient(key.ClientToScreen(
                                       {key.ClientWidth() / 2, key.ClientHeight() / 2})));
        system.ButtonDown(platform::kButtonLeft);
        system.ButtonUp(platform::kButtonLeft);
        backend.ProcessUntilIdle();
    }
};

// One click per iteration, a digit and the back key in turn, so that the display keeps its
// length.
void BM_KeyClick(benchmark::State& state) {
    RunningProgram running;
    bool digit = true;
    for (auto _ : state) {
        running.Click(digit ? "5" : "C");
        digit = !digit;
    }
}
BENCHMARK(BM_KeyClick)->Unit(benchmark::kMicrosecond);

// The form's colour, picture and outlines are drawn anew under the keys and the display; the
// argument is the scale in 120ths.
void BM_UncoverWholeWindow(benchmark::State& state) {
    RunningProgram running(platform::DeviceScale::FromPer120(state.range(0)));
    const calculator::main& window = running.program.MainWindow();
    const platform::Rect whole =
        window.Scale().Map(platform::Rect{0, 0, window.ClientWidth(), window.ClientHeight()});
    for (auto _ : state)
        running.backend.Present(window.NativeId(), whole);
}
BENCHMARK(BM_UncoverWholeWindow)->Arg(120)->Arg(180)->Arg(240)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace drive
