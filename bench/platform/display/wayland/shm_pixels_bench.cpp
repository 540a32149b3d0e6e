// Budgets: filling a Wayland buffer with one 49 x 33 key, the work of presenting it, costs at
// most 1.25 times the X11 conversion of the same key (BM_SwapRedBlueOneKey), at 1x and 2x,
// whichever channel order the compositor offers; the translucent splash (399 x 185) under
// 500 us per frame of its fade.
#include "platform/display/wayland/shm_pixels.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace platform {
namespace {

void Fill(benchmark::State& state, Rect logical, ShmChannelOrder order, int translucent) {
    const DeviceScale scale = DeviceScale::Whole(static_cast<int32_t>(state.range(0)));
    Surface framebuffer(logical.right, logical.bottom, 0x00C0C0C0, {scale, {}});
    const Rect area = scale.Map(logical);
    const int32_t pitch = area.Width() * 4;
    std::vector<uint8_t> buffer(static_cast<size_t>(pitch) * static_cast<size_t>(area.Height()));
    for (auto _ : state) {
        if (translucent) {
            CopyPremultiplied(framebuffer, area, order, 128, buffer.data(), pitch);
        } else {
            CopyOpaque(framebuffer, area, order, buffer.data(), pitch);
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
}

void BM_ShmOneKeyRedLowest(benchmark::State& state) {
    Fill(state, Rect::FromSize(76, 142, 49, 33), ShmChannelOrder::RedLowest, false);
}
BENCHMARK(BM_ShmOneKeyRedLowest)->Arg(1)->Arg(2);

void BM_ShmOneKeyBlueLowest(benchmark::State& state) {
    Fill(state, Rect::FromSize(76, 142, 49, 33), ShmChannelOrder::BlueLowest, false);
}
BENCHMARK(BM_ShmOneKeyBlueLowest)->Arg(1)->Arg(2);

void BM_ShmSplashFadeFrame(benchmark::State& state) {
    Fill(state, {0, 0, 399, 185}, ShmChannelOrder::RedLowest, true);
}
BENCHMARK(BM_ShmSplashFadeFrame)->Arg(1)->Arg(2);

}  // namespace
}  // namespace platform
