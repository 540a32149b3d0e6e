// Budgets: recomposing a 312 x 324 window after one 49 x 33 child changed under 20 us; a
// whole-window compose under 300 us; at 1.5 and 3 times (the argument, in 120ths) no more than
// their device pixels grow (2.25 and 9 times).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"

namespace platform {
namespace {

// The calculator's proportions: a 312 x 324 window with a display and a 5 x 5 keypad of
// 49 x 33 keys, every key with a rounded shape.
struct KeypadWindow {
    explicit KeypadWindow(int64_t per120) : backend({4096, 4096}, DeviceScale::FromPer120(per120)) {
        Build();
    }

    HeadlessBackend backend;
    WindowSystem system{backend};
    Window top{system, nullptr, Rect::FromSize(0, 0, 312, 324)};
    std::vector<std::unique_ptr<Window>> keys;

    void Build() {
        top.Show();
        const Region shape = Region::FromRect({0, 0, 49, 33})
                                 .Difference(Region::FromRect({0, 0, 2, 2}))
                                 .Difference(Region::FromRect({47, 31, 49, 33}));
        for (int32_t row = 0; row < 5; ++row) {
            for (int32_t column = 0; column < 5; ++column) {
                auto key = std::make_unique<Window>(
                    system, &top, Rect::FromSize(20 + column * 56, 100 + row * 42, 49, 33));
                key->SetShape(shape);
                key->Show();
                keys.push_back(std::move(key));
            }
        }
        system.UpdateAll();
    }
};

void BM_RecomposeOneKey(benchmark::State& state) {
    KeypadWindow w(state.range(0));
    Window& key = *w.keys[12];
    for (auto _ : state) {
        key.Invalidate();
        key.UpdateNow();
    }
}
BENCHMARK(BM_RecomposeOneKey)->Arg(120)->Arg(180)->Arg(360);

void BM_ComposeWholeWindow(benchmark::State& state) {
    KeypadWindow w(state.range(0));
    for (auto _ : state) {
        w.top.Invalidate();
        w.top.UpdateNow();
    }
}
BENCHMARK(BM_ComposeWholeWindow)->Arg(120)->Arg(180)->Arg(360);

}  // namespace
}  // namespace platform
