#pragma once

#include <memory>

#include "platform/objects/font_desc.h"
#include "platform/text/font.h"

namespace platform {

/// The font for a description, realised on first request and shared afterwards: equal
/// descriptions (face names compared without regard to case) give the same Font, with its
/// glyph cache. Never fails; see Font::Open for the fallbacks.
std::shared_ptr<const Font> LoadFont(const FontDesc& desc);

}  // namespace platform
