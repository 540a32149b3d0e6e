#include "forms/line_layout.h"

#include <algorithm>
#include <iterator>

#include "platform/text/utf8.h"

namespace forms {

void LineLayout::Reset(std::shared_ptr<const platform::Font> font, std::string_view text) {
    font_ = std::move(font);
    stops_.assign(1, {0, 0});
    inkLeft_ = 0;
    inkRight_ = 0;
    LayOutFromLastStop(text);
}

void LineLayout::Update(std::string_view text, size_t unchanged) {
    // Stops before the first changed byte stay; the character holding it may now end elsewhere
    // (or take continuation bytes after it), so the last of them starts the new layout.
    const auto changed =
        std::lower_bound(stops_.begin() + 1, stops_.end(), unchanged,
                         [](const Stop& stop, size_t offset) { return stop.offset < offset; });
    stops_.erase(changed, stops_.end());
    LayOutFromLastStop(text);
}

void LineLayout::LayOutFromLastStop(std::string_view text) {
    size_t at = stops_.back().offset;
    int32_t x = stops_.back().x;
    while (at < text.size()) {
        size_t end = at + 1;
        while (end < text.size() && platform::IsUtf8Continuation(text[end]))
            ++end;
        // As TextWidth measures it: the advances of the code points DrawText decodes.
        int32_t pen = 0;
        for (const char32_t c : platform::DecodeUtf8(text.substr(at, end - at))) {
            // Metrics alone: laying out a long text renders none of its glyphs.
            const platform::GlyphMetrics glyph = font_->MetricsFor(c);
            if (!glyph.ink.IsEmpty()) {
                inkLeft_ = std::min(inkLeft_, pen + glyph.ink.left);
                inkRight_ = std::max(inkRight_, pen + glyph.ink.right);
            }
            pen += glyph.advance;
        }
        x += pen;
        stops_.push_back({end, x});
        at = end;
    }
}

size_t LineLayout::Index(size_t position) const {
    const auto after =
        std::upper_bound(stops_.begin(), stops_.end(), position,
                         [](size_t offset, const Stop& stop) { return offset < stop.offset; });
    return static_cast<size_t>(after - stops_.begin()) - 1;
}

size_t LineLayout::Nearest(int32_t x) const {
    const auto leftOf = [](const Stop& stop, int32_t at) { return stop.x < at; };
    // The first stop at or right of x, unless the stop before it is at least as near: then the
    // first stop at that one's place.
    auto nearest = std::lower_bound(stops_.begin(), stops_.end(), x, leftOf);
    if (nearest == stops_.end() ||
        (nearest != stops_.begin() && x - std::prev(nearest)->x <= nearest->x - x)) {
        nearest = std::lower_bound(stops_.begin(), stops_.end(), std::prev(nearest)->x, leftOf);
    }
    return nearest->offset;
}

LineLayout::Run LineLayout::Visible(size_t from, size_t to, int32_t left, int32_t right) const {
    const auto begin = stops_.begin() + static_cast<ptrdiff_t>(Index(from));
    const auto last = stops_.begin() + static_cast<ptrdiff_t>(Index(to));
    const auto end = std::next(last);
    const auto leftOf = [](const Stop& stop, int32_t at) { return stop.x < at; };
    const auto rightOf = [](int32_t at, const Stop& stop) { return at < stop.x; };
    const int32_t clipLeft = std::max(left, begin->x);
    // The last pen at or left of the clip, or the first character whose ink reaches into it if
    // that comes earlier; none after the first one whose ink lies wholly right of right.
    auto first = std::prev(std::upper_bound(begin, end, clipLeft, rightOf));
    first = std::min(first, std::upper_bound(begin, end, clipLeft - inkRight_, rightOf));
    const auto past = std::min(last, std::lower_bound(first, end, right - inkLeft_, leftOf));
    return {first->offset, past->offset};
}

}  // namespace forms
