#pragma once

#include <optional>
#include <string_view>

#include "platform/text/face_match.h"

namespace platform {

/// Face names compare without regard to ASCII case, as the desktop's do.
bool SameFaceName(std::string_view a, std::string_view b);

/// A weight as stored forms give it (1 to 1000, 0 for "don't care", which the desktop draws at
/// the normal weight) brought into 1..1000.
int OpenTypeWeight(int weight);

/// `openTypeWeight` on fontconfig's weight scale (regular 80, bold 200), on which faces are
/// compared: fontconfig's own piecewise-linear mapping.
double FontconfigWeight(int openTypeWeight);

/// Whether a face of `faceWeight` (fontconfig's scale) must be made bold by hand for
/// `openTypeWeight`: a bold weight asked for and only a medium or lighter face found.
bool NeedsEmbolden(int openTypeWeight, double faceWeight);

/// The face of `family` that the program's font packages (fonts-liberation2,
/// fonts-dejavu-core, and fonts-dejavu-extra where installed) hold for the weight and slant,
/// chosen as fontconfig chooses among them: the nearest slant first, then the nearest weight.
/// Nothing when the family is not one of theirs or none of its files is installed. Finding
/// these faces needs no fontconfig, which keeps its library and configuration out of a
/// program that draws only with them.
std::optional<FaceFile> PackagedFace(std::string_view family, int weight, bool italic);

}  // namespace platform
