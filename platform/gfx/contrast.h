#pragma once

#include "platform/gfx/color.h"

namespace platform {

/// The relative luminance of an sRGB colour as WCAG 2.x defines it, from 0 (black) to 1
/// (white): each channel c = value / 255 made linear, c / 12.92 when c <= 0.03928 and
/// ((c + 0.055) / 1.055)^2.4 above, then L = 0.2126 R + 0.7152 G + 0.0722 B.
double RelativeLuminance(Color colour);

/// The WCAG 2.x contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) with L1 the lighter
/// one's relative luminance: from 1 (equally light) to 21 (black and white), the same either
/// way round.
double ContrastRatio(Color a, Color b);

/// Black or white, whichever has the higher contrast ratio with `beside` (black when they tie).
/// The lower of the two is least where they meet, at L = sqrt(1.05 × 0.05) − 0.05, so the
/// choice stands at least 4.58:1 against any colour.
Color BlackOrWhiteAgainst(Color beside);

}  // namespace platform
