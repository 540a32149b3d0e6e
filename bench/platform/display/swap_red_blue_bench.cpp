// Budgets: converting one 49 x 33 key for the display under 5 us at 1x, and at 1.5x, 2x and 3x
// no more than its device pixels grow (2.25, 4 and 9 times); the whole 312 x 324 window (shown
// once, and again when the display exposes it) under 150 us at 1x, growing as its pixels do.
// The argument is the scale in 120ths.
#include "platform/display/swap_red_blue.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace platform {
namespace {

void Convert(benchmark::State& state, Rect logical, int64_t per120) {
    const DeviceScale scale = DeviceScale::FromPer120(per120);
    const Surface window(Surface(312, 324, 0x00C0C0C0, {scale, {}}));
    const Rect area = scale.Map(logical);
    const int32_t pitch = area.Width() * 4;
    std::vector<uint8_t> screen(static_cast<size_t>(pitch) * static_cast<size_t>(area.Height()));
    for (auto _ : state) {
        CopySwappingRedBlue(window, area, screen.data(), pitch);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}

void BM_SwapRedBlueOneKey(benchmark::State& state) {
    Convert(state, Rect::FromSize(76, 142, 49, 33), state.range(0));
}
BENCHMARK(BM_SwapRedBlueOneKey)->Arg(120)->Arg(180)->Arg(240)->Arg(360);

void BM_SwapRedBlueWholeWindow(benchmark::State& state) {
    Convert(state, {0, 0, 312, 324}, state.range(0));
}
BENCHMARK(BM_SwapRedBlueWholeWindow)->Arg(120)->Arg(180)->Arg(240)->Arg(360);

}  // namespace
}  // namespace platform
