#pragma once

#include <string>

#include "platform/objects/font_desc.h"

namespace platform {

/// A font file chosen for a font description: the file, the face inside it, and whether the
/// face must be made bold artificially because no bold face of the family is installed.
struct FaceFile {
    std::string path;
    int index = 0;
    bool embolden = false;
};

/// Finds the installed face that stands in for `desc` (see the alias table in the .cpp file);
/// empty path when fontconfig finds nothing at all.
FaceFile MatchFace(const FontDesc& desc);

/// The face of the default sans font at a normal weight, used when the face chosen for a
/// description cannot be opened; empty path when fontconfig finds nothing at all.
FaceFile DefaultSansFace();

}  // namespace platform
