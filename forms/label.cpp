#include "forms/label.h"

#include "forms/form.h"
#include "platform/gfx/rect_paint.h"
#include "platform/objects/ole_color.h"
#include "platform/text/access_key.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/text/line_breaker.h"
#include "platform/text/utf8.h"

namespace forms {
namespace {

// DrawText aligns left or centre only: right-aligned text is broken into lines here and each
// line drawn on its own, ending at the right edge. The line's text is written back with its
// prefix so the access character keeps its underline.
void DrawRightAligned(platform::Surface& surface, const platform::Font& font,
                      const std::string& caption, const platform::Rect& bounds) {
    const std::vector<char32_t> text = platform::DecodeUtf8(caption);
    platform::LineBreaker breaker(font, text, bounds.Width(), platform::kTextWordBreak);
    platform::TextLine line;
    int32_t top = bounds.top;
    while (top < bounds.bottom && breaker.Next(line)) {
        std::string utf8;
        for (size_t i = 0; i < line.cells.size(); ++i) {
            const char32_t c = line.cells[i].codePoint;
            if (static_cast<int32_t>(i) == line.underline || c == U'&') utf8 += '&';
            platform::AppendUtf8(utf8, c);
        }
        platform::Rect r{bounds.right - line.width, top, bounds.right, top + font.Height()};
        platform::Rect clipped = r.Intersect(bounds);
        if (!clipped.IsEmpty()) {
            const platform::Region previous =
                surface.Clip() ? *surface.Clip() : platform::Region::FromRect(surface.Bounds());
            surface.SetClip(previous.Intersect(platform::Region::FromRect(bounds)));
            platform::DrawText(surface, font, utf8, r, platform::kTextSingleLine);
            surface.SetClip(previous);
        }
        top += font.Height();
    }
}

}  // namespace

Label::Label(Form& form, platform::Rect bounds, std::string caption)
    : LightControl(form, bounds),
      caption_(std::move(caption)),
      backColor_(form.BackColor()),
      font_(form.Font()) {}

Label::~Label() {
    platform::ReleaseUnheldFont(font_);
}

void Label::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Repaint();
}

void Label::SetForeColor(platform::OleColor ole) {
    foreColor_ = ole;
    Repaint();
}

void Label::SetBackColor(platform::OleColor ole) {
    backColor_ = ole;
    Repaint();
}

void Label::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Repaint();
}

void Label::SetFont(platform::FontDesc font) {
    font_ = std::move(font);
    Repaint();
}

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Repaint();
}

void Label::Paint(platform::Surface& surface, platform::Point origin) const {
    const platform::Rect bounds = Bounds().Offset(origin.x, origin.y);
    if (!transparent_) platform::FillRect(surface, bounds, platform::DrawnColor(backColor_, platform::SystemColorIndex::Window));
    if (caption_.empty()) return;
    const std::shared_ptr<const platform::Font> font = platform::LoadFont(font_);
    surface.textColor = platform::DrawnColor(foreColor_, platform::SystemColorIndex::WindowText);
    if (alignment_ == Alignment::Right) {
        DrawRightAligned(surface, *font, caption_, bounds);
        return;
    }
    platform::Rect r = bounds;
    uint32_t flags = platform::kTextWordBreak;
    if (alignment_ == Alignment::Center) flags |= platform::kTextCenter;
    platform::DrawText(surface, *font, caption_, r, flags);
}

void Label::OnClick() {
    if (clickHandler_) {
        const std::function<void()> handler = clickHandler_;
        handler();
    }
}

platform::AccessibleDescription Label::Describe() const {
    platform::AccessibleDescription description{.role = accessibleRole_,
                                                .name = platform::SpokenCaption(caption_)};
    if (accessibleRole_ == platform::AccessibleRole::PushButton)
        description.actions = {platform::kClickAction};
    description.AddShortcut(accessibleShortcut_);
    return description;
}

void Label::OnAccessibleAction(std::string_view action) {
    if (accessibleRole_ == platform::AccessibleRole::PushButton && action == platform::kClickAction)
        OnClick();
}

}  // namespace forms
