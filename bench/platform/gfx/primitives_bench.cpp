// The drawing primitives on a surface the size of one calculator key, 49 x 33.
// Budget: a full 49 x 33 fill under 2 us.
#include <benchmark/benchmark.h>

#include "platform/gfx/ellipse.h"
#include "platform/gfx/focus_rect.h"
#include "platform/gfx/line.h"
#include "platform/gfx/rect_paint.h"
#include "platform/gfx/surface.h"

namespace platform {
namespace {

constexpr int32_t kWidth = 49;
constexpr int32_t kHeight = 33;

void BM_FillRect(benchmark::State& state) {
    Surface s(kWidth, kHeight);
    Color c = 0;
    for (auto _ : state) {
        FillRect(s, s.Bounds(), ++c);
        benchmark::DoNotOptimize(s.Row(0));
    }
}
BENCHMARK(BM_FillRect);

void BM_FrameRect(benchmark::State& state) {
    Surface s(kWidth, kHeight);
    Color c = 0;
    for (auto _ : state) {
        FrameRect(s, s.Bounds(), ++c);
        benchmark::DoNotOptimize(s.Row(0));
    }
}
BENCHMARK(BM_FrameRect);

// One gradient row (horizontal), the diagonal, and a shallow slanted line.
void BM_LineTo(benchmark::State& state) {
    Surface s(kWidth, kHeight);
    const Point from{0, static_cast<int32_t>(state.range(0))};
    const Point to{kWidth, static_cast<int32_t>(state.range(1))};
    Color c = 0;
    for (auto _ : state) {
        MoveTo(s, from);
        LineTo(s, to, ++c);
        benchmark::DoNotOptimize(s.Row(0));
    }
}
BENCHMARK(BM_LineTo)->Args({16, 16})->Args({0, 32})->Args({4, 28});

void BM_DrawEllipse(benchmark::State& state) {
    Surface s(kWidth, kHeight);
    Color c = 0;
    for (auto _ : state) {
        DrawEllipse(s, s.Bounds(), ++c, static_cast<int32_t>(state.range(0)), 0xC8D0D4);
        benchmark::DoNotOptimize(s.Row(0));
    }
}
BENCHMARK(BM_DrawEllipse)->Arg(1)->Arg(2);

void BM_DrawFocusRect(benchmark::State& state) {
    Surface s(kWidth, kHeight);
    for (auto _ : state) {
        DrawFocusRect(s, {4, 4, kWidth - 4, kHeight - 4});
        benchmark::DoNotOptimize(s.Row(4));
    }
}
BENCHMARK(BM_DrawFocusRect);

}  // namespace
}  // namespace platform
