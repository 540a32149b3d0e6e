#include "platform/text/draw_text.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/text/line_breaker.h"
#include "platform/text/utf8.h"

namespace platform {
namespace {

// The glyph is rendered only when its ink reaches the visible rectangle, so text that lies
// outside what is shown costs no rasterising. On a scaled surface the glyph comes from the font
// realised at the surface's scale and is placed at the device pixel of the logical pen
// position, so it is as sharp as the device allows while the line keeps its logical layout.
void DrawGlyph(Surface& surface, const Font& font, const TextCell& cell, int32_t penX,
               int32_t baseline, const Rect& visible) {
    // The glyph rendered at another size may reach a pixel beyond the logical ink.
    if (cell.metrics.ink.Offset(penX, baseline).Inflate(1, 1).Intersect(visible).IsEmpty()) {
        return;
    }
    const std::shared_ptr<const Glyph> glyph =
        font.AtScale(surface.Scale()).GlyphFor(cell.codePoint);
    if (glyph->coverage.empty()) return;
    const int32_t left = surface.DeviceX(penX) + glyph->left;
    const int32_t top = surface.DeviceY(baseline) - glyph->top;
    const Rect box =
        Rect::FromSize(left, top, glyph->width, glyph->height).Intersect(surface.ToDevice(visible));
    const Color text = surface.textColor;
    surface.ForEachDeviceSpan(box, [&](int32_t y, int32_t x0, int32_t x1) {
        Color* row = surface.Row(y);
        const uint8_t* coverage =
            glyph->coverage.data() + static_cast<size_t>(y - top) * glyph->width - left;
        for (int32_t x = x0; x < x1; ++x) {
            if (coverage[x] != 0) row[x] = Blend(row[x], text, coverage[x]);
        }
    });
}

void FillBar(Surface& surface, const Rect& bar, const Rect& clip) {
    const Color text = surface.textColor;
    surface.ForEachVisibleSpan(bar.Intersect(clip), [&](int32_t y, int32_t x0, int32_t x1) {
        Color* row = surface.Row(y);
        for (int32_t x = x0; x < x1; ++x)
            row[x] = text;
    });
}

void DrawLine(Surface& surface, const Font& font, const TextLine& line, int32_t x, int32_t top,
              const Rect& clip) {
    const int32_t baseline = top + font.Ascent();
    int32_t penX = x;
    for (size_t i = 0; i < line.cells.size(); ++i) {
        const TextCell& cell = line.cells[i];
        DrawGlyph(surface, font, cell, penX, baseline, clip);
        const int32_t advance = cell.metrics.advance;
        if (static_cast<int32_t>(i) == line.underline) {
            FillBar(surface, {penX, baseline + 1, penX + advance - 1, baseline + 2}, clip);
        }
        penX += advance;
    }
    const int32_t thickness = font.BarThickness();
    if (font.Desc().underline) {
        const int32_t barTop = top + font.UnderlineTop();
        FillBar(surface, {x, barTop, x + line.width, barTop + thickness}, clip);
    }
    if (font.Desc().strikethrough) {
        const int32_t barTop = top + font.StrikeoutTop();
        FillBar(surface, {x, barTop, x + line.width, barTop + thickness}, clip);
    }
}

}  // namespace

int32_t DrawText(Surface& surface, const Font& font, std::string_view utf8, Rect& rect,
                 uint32_t flags) {
    const std::vector<char32_t> text = DecodeUtf8(utf8);
    const int32_t lineHeight = font.Height();
    const bool measure = (flags & kTextCalcRect) != 0;
    LineBreaker breaker(font, text, rect.Width(), flags);
    TextLine line;
    int32_t lines = 0;

    if (measure) {
        int32_t widest = 0;
        while (breaker.Next(line)) {
            ++lines;
            widest = std::max(widest, line.width);
        }
        rect.right = rect.left + widest;
        rect.bottom = rect.top + lines * lineHeight;
        return lines * lineHeight;
    }

    // What can change: the rectangle on the surface, inside its clip region.
    Rect visible = rect.Intersect(surface.Bounds());
    if (surface.Clip()) visible = visible.Intersect(surface.Clip()->Bounds());
    int32_t top = rect.top;
    if ((flags & (kTextSingleLine | kTextVCenter)) == (kTextSingleLine | kTextVCenter)) {
        top += (rect.Height() - lineHeight) / 2;
    }
    while (breaker.Next(line)) {
        ++lines;
        const int32_t x =
            (flags & kTextCenter) != 0 ? (rect.left + rect.right - line.width) / 2 : rect.left;
        DrawLine(surface, font, line, x, top, visible);
        top += lineHeight;
        if (top > rect.bottom) break;
    }
    return lines * lineHeight;
}

int32_t TextWidth(const Font& font, std::string_view utf8) {
    int32_t width = 0;
    for (const char32_t c : DecodeUtf8(utf8))
        width += font.MetricsFor(c).advance;
    return width;
}

}  // namespace platform
