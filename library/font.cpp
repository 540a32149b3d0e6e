#include <cmath>

#include "library/internals.h"

namespace tavik {

platform::FontDesc DescriptionOf(const Font& font) {
    platform::FontDesc description;
    description.name = font.name;
    description.sizeCy = std::llround(font.points * 10000.0);
    description.SetBold(font.bold);
    description.italic = font.italic;
    description.underline = font.underline;
    description.strikethrough = font.strikethrough;
    return description;
}

Font FontOf(const platform::FontDesc& description) {
    return {description.name,   description.SizePoints(), description.Bold(),
            description.italic, description.underline,    description.strikethrough};
}

}  // namespace tavik
