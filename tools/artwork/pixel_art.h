#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "platform/image/image.h"

namespace artwork {

/// An image drawn as rows of characters, one character a pixel: '.' is transparent and every
/// other character is looked up in `colours` (0x00BBGGRR, drawn opaque). Rows shorter than
/// the widest are transparent to the right; an unknown character is a programming error and
/// throws std::invalid_argument.
platform::Image FromPixelArt(std::initializer_list<std::string_view> rows,
                             std::initializer_list<std::pair<char, uint32_t>> colours);

}  // namespace artwork
