#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

/// How one text became another: at character `offset` (code points of UTF-8), `removed` gave
/// way to `inserted`; the characters before and after are common to both.
struct TextChange {
    int32_t offset = 0;
    std::string removed;
    std::string inserted;
};

TextChange DiffText(std::string_view before, std::string_view after);

}  // namespace platform
