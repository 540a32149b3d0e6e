// One caption line of a calculator key drawn on a key-sized surface once its font is loaded
// and its glyphs are cached. Budget: under 10 µs per line. A stored caption of 20000 distinct
// characters drawn again on a key: under 5 ms, its layout from kept metrics.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/text/utf8.h"

namespace platform {
namespace {

constexpr uint32_t kCaption = kTextCenter | kTextVCenter | kTextWordBreak;
constexpr uint32_t kMeasure = kTextCalcRect | kTextWordBreak;

std::shared_ptr<const Font> KeyFont() {
    FontDesc desc;
    desc.name = "Arial Black";
    desc.sizeCy = 90000;
    desc.weight = 900;
    return LoadFont(desc);
}

void BM_DrawCaptionLine(benchmark::State& state, const char* caption) {
    const auto font = KeyFont();
    Surface surface(49, 33, 0xC8D0D4);
    Rect warmUp{0, 0, 49, 33};
    DrawText(surface, *font, caption, warmUp, kCaption);
    for (auto _ : state) {
        Rect rect{0, 9, 49, 33};
        benchmark::DoNotOptimize(DrawText(surface, *font, caption, rect, kCaption));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_DrawCaptionLine, Clear, "Clear");
BENCHMARK_CAPTURE(BM_DrawCaptionLine, Equals, "=");
BENCHMARK_CAPTURE(BM_DrawCaptionLine, MemoryPlus, "M+");

void BM_DrawLongCaption(benchmark::State& state) {
    const auto font = KeyFont();
    std::string caption;
    for (char32_t c = U'\u0100'; c < U'\u0100' + 20000; ++c)
        AppendUtf8(caption, c);
    Surface surface(49, 33, 0xC8D0D4);
    Rect warmUp{0, 0, 49, 33};
    DrawText(surface, *font, caption, warmUp, kCaption);
    for (auto _ : state) {
        Rect rect{0, 0, 49, 33};
        benchmark::DoNotOptimize(DrawText(surface, *font, caption, rect, kCaption));
    }
}
BENCHMARK(BM_DrawLongCaption)->Unit(benchmark::kMillisecond);

void BM_MeasureCaption(benchmark::State& state) {
    const auto font = KeyFont();
    Surface surface;
    for (auto _ : state) {
        Rect rect{0, 0, 45, 29};
        benchmark::DoNotOptimize(DrawText(surface, *font, "Clear", rect, kMeasure));
    }
}
BENCHMARK(BM_MeasureCaption);

void BM_LoadCachedFont(benchmark::State& state) {
    KeyFont();
    for (auto _ : state)
        benchmark::DoNotOptimize(KeyFont());
}
BENCHMARK(BM_LoadCachedFont);

}  // namespace
}  // namespace platform
