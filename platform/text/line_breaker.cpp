#include "platform/text/line_breaker.h"

#include <string_view>

#include "platform/text/access_key.h"
#include "platform/text/text_flags.h"

namespace platform {
namespace {

bool IsLineBreak(char32_t c) {
    return c == U'\r' || c == U'\n';
}

}  // namespace

LineBreaker::LineBreaker(const Font& font, std::span<const char32_t> text, int32_t width,
                         uint32_t flags)
    : font_(font), text_(text), width_(width), flags_(flags) {}

bool LineBreaker::Next(TextLine& line) {
    while (!paragraphOpen_ || (cellPos_ >= cells_.size() && paragraphHasLine_)) {
        paragraphOpen_ = false;
        if (!LoadParagraph()) return false;
    }
    size_t next = cellPos_;
    const size_t end = BreakLine(next);
    line.cells = std::span<const TextCell>(cells_).subspan(cellPos_, end - cellPos_);
    line.width = 0;
    line.underline = -1;
    for (size_t i = 0; i < line.cells.size(); ++i) {
        line.width += line.cells[i].metrics.advance;
        if (line.underline < 0 && line.cells[i].prefixed) line.underline = static_cast<int32_t>(i);
    }
    cellPos_ = next;
    paragraphHasLine_ = true;
    return true;
}

bool LineBreaker::LoadParagraph() {
    const bool singleLine = (flags_ & kTextSingleLine) != 0;
    if (textPos_ >= text_.size() && (started_ || !singleLine)) return false;
    started_ = true;

    size_t end = textPos_;
    while (end < text_.size() && (singleLine || !IsLineBreak(text_[end])))
        ++end;

    const std::u32string_view paragraph(text_.data() + textPos_, end - textPos_);
    const auto addCell = [&](size_t i, bool prefixed) {
        cells_.push_back({paragraph[i], font_.MetricsFor(paragraph[i]), prefixed});
    };
    cells_.clear();
    // At once and exactly: a long caption's cells would otherwise be copied as they grow.
    cells_.reserve(paragraph.size());
    if ((flags_ & kTextNoPrefix) != 0) {
        for (size_t i = 0; i < paragraph.size(); ++i)
            addCell(i, false);
    } else {
        WalkAccessKeyMarks(paragraph, addCell);
    }

    textPos_ = end;
    if (textPos_ < text_.size()) {
        const char32_t first = text_[textPos_++];
        if (textPos_ < text_.size() && IsLineBreak(text_[textPos_]) && text_[textPos_] != first) {
            ++textPos_;
        }
    }
    cellPos_ = 0;
    paragraphOpen_ = true;
    paragraphHasLine_ = false;
    return true;
}

// Returns the end of the line starting at cellPos_ and sets `next` to where the line after
// it starts.
size_t LineBreaker::BreakLine(size_t& next) const {
    const size_t start = cellPos_;
    const size_t count = cells_.size();
    if ((flags_ & kTextWordBreak) == 0 || (flags_ & kTextSingleLine) != 0) {
        next = count;
        return count;
    }
    size_t fit = start;
    for (int32_t width = 0; fit < count; ++fit) {
        width += cells_[fit].metrics.advance;
        if (width > width_) break;
    }
    if (fit == count) {
        next = count;
        return count;
    }

    const auto isSpace = [this](size_t i) {
        return i < cells_.size() && cells_[i].codePoint == U' ';
    };
    size_t cut = 0;
    if (fit > start && isSpace(fit)) {
        cut = fit;
    } else {
        for (size_t p = fit; p > start && cut == 0; --p) {
            if (isSpace(p - 1)) cut = p;
        }
    }

    size_t end = 0;
    if (cut != 0) {
        end = cut;
        if ((flags_ & kTextCenter) != 0 && isSpace(end - 1)) --end;
        next = cut;
    } else {
        end = fit;
        while (end < count && !isSpace(end))
            ++end;
        next = end;
    }
    if (isSpace(next)) ++next;
    return end;
}

}  // namespace platform
