#include "calculator/zoom_keys.h"

#include <algorithm>

namespace calculator {
namespace {

// X keysyms: those of printable ASCII are the characters themselves.
constexpr uint32_t kPlus = '+';
constexpr uint32_t kEquals = '=';
constexpr uint32_t kMinus = '-';
constexpr uint32_t kZero = '0';
constexpr uint32_t kKeypadAdd = 0xFFAB;
constexpr uint32_t kKeypadSubtract = 0xFFAD;
constexpr uint32_t kKeypadZero = 0xFFB0;

}  // namespace

std::optional<double> ZoomAfterKey(uint32_t symbol, double zoom) {
    switch (symbol) {
        case kPlus:
        case kEquals:
        case kKeypadAdd:
            return std::min(zoom + kZoomStep, 4.0);
        case kMinus:
        case kKeypadSubtract:
            return std::max(zoom - kZoomStep, 1.0);
        case kZero:
        case kKeypadZero:
            return 1.0;
        default:
            return std::nullopt;
    }
}

}  // namespace calculator
