#include <string>
#include <string_view>

#include "button/vb_button.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/text/text_flags.h"

namespace button {
namespace {

// Drawn: each line centred, broken at words; vertical centring does not apply to such text, so
// the lines start at the rectangle's top, which the layout has already placed.
constexpr uint32_t kDrawFlags =
    platform::kTextCenter | platform::kTextVCenter | platform::kTextWordBreak;
// Measured: wrapped at the rectangle's width, the rectangle set to the text's extent.
constexpr uint32_t kMeasureFlags = platform::kTextCalcRect | platform::kTextWordBreak;

// The bytes of the UTF-8 character that starts at `at`, ASCII letters lower-cased.
std::string KeyAt(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 1;
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    std::string key(text.substr(at, length));
    if (lead >= 'A' && lead <= 'Z') key[0] = static_cast<char>(lead - 'A' + 'a');
    return key;
}

// The access key a caption names: the character after its first single "&". One escaped "&&"
// before it is skipped; a second one, or a caption ending in the ampersand, names none.
std::string AccessKeyOf(std::string_view text) {
    if (text.size() <= 1) return {};
    size_t amp = text.find('&');
    if (amp == std::string_view::npos || amp + 1 == text.size()) return {};
    if (text[amp + 1] != '&') return KeyAt(text, amp + 1);
    amp = text.find('&', amp + 2);
    if (amp == std::string_view::npos || amp + 1 == text.size()) return {};
    if (text[amp + 1] == '&') return {};
    return KeyAt(text, amp + 1);
}

}  // namespace

void vbButton::UpdateAccessKey() {
    host->SetAccessKeys(AccessKeyOf(caption));
}

// A PicturePosition outside 0..4 has no place of its own: the layout centres the picture behind
// the caption then, as for 4, and keeps the stored value as it was set.
int32_t vbButton::LaidOutPicturePosition() const {
    return picturePosition >= 0 && picturePosition <= 4 ? picturePosition : 4;
}

std::shared_ptr<const platform::Font> vbButton::CaptionFont() const {
    return platform::LoadFont(host->Font());
}

// Measures the caption in the room the picture leaves and centres it there.
vbButton::CaptionLayout vbButton::MeasureCaption(const platform::Font& font) {
    const int32_t pw = pictureWidth;
    const int32_t ph = pictureHeight;
    const int32_t position = LaidOutPicturePosition();
    Rect rect{1, 1, width - 2, height - 2};  // 4: centred, the picture behind the caption
    switch (position) {
        case 0:
            rect.left = pw + 1;
            break;
        case 1:
            rect.right = width - 2 - pw;
            break;
        case 2:
            rect.top = ph + 1;
            break;
        case 3:
            rect.bottom = height - 2 - ph;
            break;
    }
    platform::DrawText(Surface(), font, caption, rect, kMeasureFlags);
    int32_t dx = (width - rect.right) / 2;
    int32_t dy = (height - rect.bottom) / 2;
    if (position == 1) dx = (width - rect.right - pw - 4) / 2;
    if (position == 3) dy = (height - rect.bottom - ph - 4) / 2;
    return {rect.Offset(dx, dy), rect.right - rect.left, rect.bottom - rect.top};
}

// Lays the caption out in the button's font; the down copy sits one pixel right and down. The
// picture is then placed against the caption.
void vbButton::LayoutCaption() {
    const CaptionLayout layout = MeasureCaption(*CaptionFont());
    captionRect = layout.rect;
    captionRectDown = captionRect.Offset(1, 1);
    captionWidth = layout.width;
    captionHeight = layout.height;
    PlacePicture();
}

void vbButton::DrawCaption(int32_t look) {
    DrawCaption(look, *CaptionFont(), captionRect);
}

// The caption in the colours and places of one look. Looks 0 to 2 lay the effect copies under
// the text; an unknown look draws once in the colour the surface already holds.
void vbButton::DrawCaption(int32_t look, const platform::Font& font, const Rect& rect) {
    lastCaptionLook = look;
    const Rect down = rect.Offset(1, 1);
    auto text = [&](const Rect& where, Color colour) { DrawCaptionText(where, colour, font); };
    switch (look) {
        case 0:
            DrawCaptionEffect(rect, font);
            text(rect, palette.Text);
            break;
        case 1:
            DrawCaptionEffect(rect, font);
            text(rect, palette.TextOver);
            break;
        case 2:
            DrawCaptionEffect(down, font);
            text(down, buttonType == 4 ? palette.Light : palette.TextOver);
            break;
        case 3:
            text(down, palette.Highlight);
            text(rect, palette.Shadow);
            break;
        case 4:
            text(rect, palette.Shadow);
            break;
        case 5:
            text(rect, OffP(palette.FaceShade, -104));
            break;
        case 6:
            text(down, palette.Highlight);
            text(rect, palette.Face);
            break;
        case 7:
            text(down, Off(palette.Shadow, -50));
            text(rect, palette.Highlight);
            break;
        default:
            text(rect, Surface().textColor);
            break;
    }
}

// Effect 1 raises the text (dark copy below-right, light copy above-left), 2 sinks it (the
// reverse), 3 and above cast a drop shadow (the dark copy only).
void vbButton::DrawCaptionEffect(const Rect& rect, const platform::Font& font) {
    if (specialEffect <= 0) return;
    Color base = palette.Face;
    if (buttonType == 3 || buttonType == 4 || buttonType == 14) {
        base = palette.FaceShade;
    } else if (buttonType == 9 && lastDrawnState == kStateUp && hover && colorScheme != 2) {
        base = palette.AccentLight;
    }
    const bool sunken = specialEffect == 2;
    DrawCaptionText(rect.Offset(1, 1), Off(base, sunken ? 40 : -40), font);
    if (specialEffect == 1 || sunken) {
        DrawCaptionText(rect.Offset(-1, -1), Off(base, sunken ? -40 : 40), font);
    }
}

void vbButton::DrawCaptionText(const Rect& rect, Color colour, const platform::Font& font) {
    platform::Surface& surface = Surface();
    surface.textColor = colour;
    Rect target = rect;
    platform::DrawText(surface, font, caption, target, kDrawFlags);
}

}  // namespace button
