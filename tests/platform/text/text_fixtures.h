#pragma once

#include <memory>
#include <string>

#include "platform/objects/font_desc.h"
#include "platform/text/font_cache.h"

namespace platform {

// Fonts of the installed stand-in faces (Liberation Sans, DejaVu Sans, DejaVu Sans Mono).
inline std::shared_ptr<const Font> TestFont(const std::string& name = "Arial",
                                            int64_t sizeCy = 90000, int16_t weight = 400) {
    FontDesc desc;
    desc.name = name;
    desc.sizeCy = sizeCy;
    desc.weight = weight;
    return LoadFont(desc);
}

// An 800 pt font of its own, its caches empty: a letter is hundreds of kilobytes of coverage.
inline std::shared_ptr<const Font> HugeFont() {
    return Font::Open({.name = "Arial", .sizeCy = 8000000});
}

}  // namespace platform
