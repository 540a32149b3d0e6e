#pragma once

#include <chrono>
#include <cstddef>

namespace platform {

/// How long a transfer of the clipboard's text to or from another program may take. A read
/// that has not finished by then gives no text at all rather than the part that came.
inline constexpr std::chrono::milliseconds kClipboardTransferTime{1000};

/// The most text, in bytes, the program takes from the clipboard. Longer text is refused whole:
/// cut short, a number would be a different number.
inline constexpr size_t kMaxClipboardText = size_t{1} << 20;

}  // namespace platform
