#include "platform/gfx/contrast.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

double Linear(uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(Color colour) {
    return 0.2126 * Linear(Red(colour)) + 0.7152 * Linear(Green(colour)) +
           0.0722 * Linear(Blue(colour));
}

double ContrastRatio(Color a, Color b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color BlackOrWhiteAgainst(Color beside) {
    return ContrastRatio(kWhite, beside) > ContrastRatio(kBlack, beside) ? kWhite : kBlack;
}

}  // namespace platform
