#include "platform/gfx/region.h"

#include <algorithm>
#include <limits>

namespace platform {
namespace {

using SpanIt = std::vector<Span>::const_iterator;

// Appends x0..x1 on row y, merging with the previous span when they touch.
void Append(std::vector<Span>& out, int32_t y, int32_t x0, int32_t x1) {
    if (x1 <= x0) return;
    if (!out.empty() && out.back().y == y && out.back().x1 >= x0) {
        out.back().x1 = std::max(out.back().x1, x1);
        return;
    }
    out.push_back({y, x0, x1});
}

}  // namespace

Region Region::FromRect(Rect rect) {
    const int32_t left = std::min(rect.left, rect.right);
    const int32_t right = std::max(rect.left, rect.right);
    const int32_t top = std::min(rect.top, rect.bottom);
    const int32_t bottom = std::max(rect.top, rect.bottom);
    std::vector<Span> spans;
    if (left < right) {
        spans.reserve(static_cast<size_t>(bottom - top));
        for (int32_t y = top; y < bottom; ++y)
            spans.push_back({y, left, right});
    }
    return Region(std::move(spans));
}

Region Region::FromSpans(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    std::vector<Span> merged;
    merged.reserve(spans.size());
    for (const Span& s : spans)
        Append(merged, s.y, s.x0, s.x1);
    return Region(std::move(merged));
}

Region Region::Ellipse(Rect rect) {
    const int32_t left = rect.left;
    const int32_t top = rect.top;
    const int32_t right = rect.right - 1;
    const int32_t w = right - left;
    const int32_t h = rect.bottom - 1 - top;
    if (w < 2 || h < 2) return FromRect({left, top, right, rect.bottom - 1});

    // Spans of the lower half, found by the midpoint recurrence; 64-bit because the
    // error terms grow with the square of the diameters.
    std::vector<std::pair<int32_t, int32_t>> row(static_cast<size_t>(h), {0, 0});
    const int64_t a = w - 1;
    const int64_t b = h - 1;
    int64_t dx = 4 * b * b * (1 - a);
    int64_t dy = 4 * a * a * (1 + b % 2);
    int64_t err = dx + dy + a * a * (b % 2);
    int32_t x = 0;
    int32_t y = h / 2;
    row[static_cast<size_t>(y)] = {left, right};
    while (x <= w / 2) {
        const int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += 8 * b * b;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += 8 * a * a;
            err += dy;
            if (y < h) row[static_cast<size_t>(y)] = {left + x, right - x};
        }
    }
    // A tall, narrow ellipse runs out of columns before rows: its remaining rows are the
    // one or two middle columns, so the tips reach the top and bottom.
    for (auto& span : row) {
        if (span.first >= span.second) span = {left + (w - 1) / 2, right - (w - 1) / 2};
    }
    std::vector<Span> spans;
    for (int32_t i = 0; i < h; ++i) {
        const auto& [x0, x1] = row[static_cast<size_t>(i >= h / 2 ? i : h - 1 - i)];
        Append(spans, top + i, x0, x1);
    }
    return Region(std::move(spans));
}

std::span<const Span> Region::RowSpans(int32_t y) const {
    auto first = std::lower_bound(spans_.begin(), spans_.end(), y,
                                  [](const Span& s, int32_t row) { return s.y < row; });
    auto last = std::find_if(first, spans_.end(), [y](const Span& s) { return s.y != y; });
    return {first, last};
}

bool Region::Contains(Point p) const {
    for (const Span& s : RowSpans(p.y)) {
        if (p.x >= s.x0 && p.x < s.x1) return true;
    }
    return false;
}

Rect Region::Bounds() const {
    if (spans_.empty()) return {};
    Rect r{std::numeric_limits<int32_t>::max(), spans_.front().y,
           std::numeric_limits<int32_t>::min(), spans_.back().y + 1};
    for (const Span& s : spans_) {
        r.left = std::min(r.left, s.x0);
        r.right = std::max(r.right, s.x1);
    }
    return r;
}

int64_t Region::Area() const {
    int64_t area = 0;
    for (const Span& s : spans_)
        area += s.x1 - s.x0;
    return area;
}

Region Region::Difference(const Region& other) const {
    return Combine(other, Op::Difference);
}
Region Region::Intersect(const Region& other) const {
    return Combine(other, Op::Intersect);
}
Region Region::Union(const Region& other) const {
    return Combine(other, Op::Union);
}

Region Region::Offset(int32_t dx, int32_t dy) const {
    std::vector<Span> spans = spans_;
    for (Span& s : spans) {
        s.y += dy;
        s.x0 += dx;
        s.x1 += dx;
    }
    return Region(std::move(spans));
}

Region Region::MapEdges(const std::function<int32_t(int32_t)>& edge) const {
    std::vector<Span> out;
    out.reserve(spans_.size());
    for (auto row = spans_.begin(); row != spans_.end();) {
        const auto rowEnd =
            std::find_if(row, spans_.end(), [&](const Span& s) { return s.y != row->y; });
        const int32_t last = edge(row->y + 1);
        for (int32_t y = edge(row->y); y < last; ++y) {
            for (auto s = row; s != rowEnd; ++s)
                out.push_back({y, edge(s->x0), edge(s->x1)});
        }
        row = rowEnd;
    }
    return Region(std::move(out));
}

// Walks both span lists row by row. Within a row, the column boundaries of both lists are
// swept left to right, and each stretch between boundaries is kept when the operation says
// so for "inside this" / "inside other".
Region Region::Combine(const Region& other, Op op) const {
    std::vector<Span> out;
    SpanIt a = spans_.begin();
    SpanIt b = other.spans_.begin();
    std::vector<int32_t> edges;
    while (a != spans_.end() || b != other.spans_.end()) {
        const int32_t y =
            (b == other.spans_.end() || (a != spans_.end() && a->y < b->y)) ? a->y : b->y;
        SpanIt aEnd = a;
        while (aEnd != spans_.end() && aEnd->y == y)
            ++aEnd;
        SpanIt bEnd = b;
        while (bEnd != other.spans_.end() && bEnd->y == y)
            ++bEnd;

        edges.clear();
        for (SpanIt s = a; s != aEnd; ++s)
            edges.insert(edges.end(), {s->x0, s->x1});
        for (SpanIt s = b; s != bEnd; ++s)
            edges.insert(edges.end(), {s->x0, s->x1});
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

        SpanIt sa = a;
        SpanIt sb = b;
        for (size_t i = 0; i + 1 < edges.size(); ++i) {
            const int32_t x0 = edges[i];
            const int32_t x1 = edges[i + 1];
            while (sa != aEnd && sa->x1 <= x0)
                ++sa;
            while (sb != bEnd && sb->x1 <= x0)
                ++sb;
            const bool inA = sa != aEnd && sa->x0 <= x0;
            const bool inB = sb != bEnd && sb->x0 <= x0;
            const bool keep = op == Op::Difference  ? inA && !inB
                              : op == Op::Intersect ? inA && inB
                                                    : inA || inB;
            if (keep) Append(out, y, x0, x1);
        }
        a = aEnd;
        b = bEnd;
    }
    return Region(std::move(out));
}

}  // namespace platform
