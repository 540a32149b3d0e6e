// Budgets: converting one 49 x 33 key for the display under 5 us, and at 2x at most four times
// that; the whole 312 x 324 window (shown once, and again when the display exposes it) under
// 150 us, at 1x and at 2x.
#include "platform/display/swap_red_blue.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace platform {
namespace {

void Convert(benchmark::State& state, Rect area, int32_t scale) {
    Surface framebuffer(312, 324, 0x00C0C0C0);
    const int32_t pitch = area.Width() * scale * 4;
    std::vector<uint8_t> screen(static_cast<size_t>(pitch) *
                                static_cast<size_t>(area.Height() * scale));
    for (auto _ : state) {
        CopySwappingRedBlue(framebuffer, area, scale, screen.data(), pitch);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}

void BM_SwapRedBlueOneKey(benchmark::State& state) {
    Convert(state, Rect::FromSize(76, 142, 49, 33), static_cast<int32_t>(state.range(0)));
}
BENCHMARK(BM_SwapRedBlueOneKey)->Arg(1)->Arg(2)->Arg(3);

void BM_SwapRedBlueWholeWindow(benchmark::State& state) {
    Convert(state, {0, 0, 312, 324}, static_cast<int32_t>(state.range(0)));
}
BENCHMARK(BM_SwapRedBlueWholeWindow)->Arg(1)->Arg(2)->Arg(3);

}  // namespace
}  // namespace platform
