// Budgets: converting one 49 x 33 key for the display under 5 us; the whole 312 x 324
// window (shown once, and again when the display exposes it) under 150 us.
#include "platform/ui/x11/swap_red_blue.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace platform {
namespace {

void Convert(benchmark::State& state, Rect area) {
    Surface framebuffer(312, 324, 0x00C0C0C0);
    const int32_t pitch = area.Width() * 4;
    std::vector<uint8_t> screen(static_cast<size_t>(pitch) * static_cast<size_t>(area.Height()));
    for (auto _ : state) {
        CopySwappingRedBlue(framebuffer, area, screen.data(), pitch);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}

void BM_SwapRedBlueOneKey(benchmark::State& state) {
    Convert(state, Rect::FromSize(76, 142, 49, 33));
}
BENCHMARK(BM_SwapRedBlueOneKey);

void BM_SwapRedBlueWholeWindow(benchmark::State& state) {
    Convert(state, {0, 0, 312, 324});
}
BENCHMARK(BM_SwapRedBlueWholeWindow);

}  // namespace
}  // namespace platform
