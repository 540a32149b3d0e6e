#include "platform/text/font_cache.h"

#include <string>
#include <tuple>

#include "platform/text/lru_cache.h"

namespace platform {
namespace {

// What tells two realised fonts apart. The character set is left out: text is Unicode here,
// so a face renders every character set's text the same way.
using FontKey = std::tuple<std::string, int64_t, int16_t, bool, bool, bool>;

FontKey KeyOf(const FontDesc& desc) {
    std::string name = desc.name;
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return {std::move(name), desc.sizeCy,    desc.weight,
            desc.italic,     desc.underline, desc.strikethrough};
}

using FontCache = LruCache<FontKey, std::shared_ptr<const Font>>;

FontCache& Fonts() {
    static FontCache fonts(kCachedFonts);
    return fonts;
}

}  // namespace

std::shared_ptr<const Font> LoadFont(const FontDesc& desc) {
    FontCache& fonts = Fonts();
    const FontKey key = KeyOf(desc);
    if (const std::shared_ptr<const Font>* cached = fonts.Find(key)) return *cached;
    std::shared_ptr<const Font> font = Font::Open(desc);
    fonts.Insert(key, font, 1);
    return font;
}

void ReleaseUnheldFont(const FontDesc& desc) {
    FontCache& fonts = Fonts();
    const FontKey key = KeyOf(desc);
    const std::shared_ptr<const Font>* cached = fonts.Find(key);
    if (!cached || cached->use_count() > 1) return;
    // The font holds the one it was drawn with at another scale: that one goes with it when
    // nothing else holds it either.
    const std::optional<FontDesc> scaled = (*cached)->ScaledDesc();
    fonts.Erase(key);
    if (scaled) ReleaseUnheldFont(*scaled);
}

}  // namespace platform
