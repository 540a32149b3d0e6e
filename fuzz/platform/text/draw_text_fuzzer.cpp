// Lays out and draws arbitrary bytes as caption text. Input: one byte of flags, four signed
// bytes of rectangle (left, top, right, bottom), then the text. Measuring must leave left and
// top, give whole lines, and agree with the returned height; drawing must change no pixel
// outside the rectangle.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"

namespace {

constexpr platform::Color kPaper = 0x123456;
constexpr size_t kHeader = 5;

uint32_t FlagsFrom(uint8_t byte) {
    using namespace platform;
    const uint32_t choices[] = {kTextCenter, kTextVCenter, kTextWordBreak, kTextSingleLine,
                                kTextNoPrefix};
    uint32_t flags = 0;
    for (size_t i = 0; i < std::size(choices); ++i) {
        if (byte >> i & 1) flags |= choices[i];
    }
    return flags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform;
    if (size < kHeader) return 0;
    static const std::shared_ptr<const Font> font = [] {
        FontDesc desc;
        desc.name = "Arial Black";
        desc.sizeCy = 90000;
        desc.weight = 900;
        desc.underline = true;
        return LoadFont(desc);
    }();
    const uint32_t flags = FlagsFrom(data[0]);
    const Rect rect{static_cast<int8_t>(data[1]), static_cast<int8_t>(data[2]),
                    static_cast<int8_t>(data[3]), static_cast<int8_t>(data[4])};
    const std::string_view text(reinterpret_cast<const char*>(data + kHeader), size - kHeader);

    Surface surface(49, 33, kPaper);
    Rect measured = rect;
    const int32_t height = DrawText(surface, *font, text, measured, flags | kTextCalcRect);
    if (measured.left != rect.left || measured.top != rect.top) std::abort();
    if (measured.Height() != height || height < 0 || height % font->Height() != 0) std::abort();
    if (measured.Width() < 0) std::abort();
    for (Color c : surface.Pixels()) {
        if (c != kPaper) std::abort();
    }

    Rect drawn = rect;
    DrawText(surface, *font, text, drawn, flags);
    if (!(drawn == rect)) std::abort();
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            if (!rect.Contains({x, y}) && surface.Pixel(x, y) != kPaper) std::abort();
        }
    }
    return 0;
}
