#pragma once

#include <cstddef>
#include <memory>

#include "platform/objects/font_desc.h"
#include "platform/text/font.h"

namespace platform {

/// How many fonts LoadFont keeps realised.
constexpr size_t kCachedFonts = 16;

/// The font for a description, realised on first request and shared afterwards: equal
/// descriptions (face names compared without regard to case) give the same Font, with its
/// glyph cache, while it is one of the kCachedFonts most recently asked for. A font dropped
/// from the cache stays valid for those who hold it; asked for again, it is realised anew.
/// Never fails; see Font::Open for the fallbacks.
std::shared_ptr<const Font> LoadFont(const FontDesc& desc);

/// Closes the cached font for a description, with its face and glyphs, when nobody else holds
/// it: for text that will not be drawn again soon (a window closed for good). Asked for again,
/// it is realised anew.
void ReleaseUnheldFont(const FontDesc& desc);

}  // namespace platform
