#pragma once

#include <fontconfig/fontconfig.h>

namespace platform {

// The functions of fontconfig that the desktop's face matching calls.
// clang-format off
#define TAVIK_FONTCONFIG_FUNCTIONS(X) \
    X(FcConfigSubstitute) \
    X(FcDefaultSubstitute) \
    X(FcFontMatch) \
    X(FcInitLoadConfigAndFonts) \
    X(FcPatternAddBool) \
    X(FcPatternAddDouble) \
    X(FcPatternAddInteger) \
    X(FcPatternAddString) \
    X(FcPatternCreate) \
    X(FcPatternDestroy) \
    X(FcPatternGetBool) \
    X(FcPatternGetDouble) \
    X(FcPatternGetInteger) \
    X(FcPatternGetString)
// clang-format on

/// fontconfig as the face matching calls it: the library is loaded (dlopen) when a font names
/// a family that the program's font packages do not hold, never linked, so that a program that
/// draws with the packaged faces alone maps none of it (fontconfig, expat and the desktop's
/// configuration hold about half a megabyte resident). The members are the library's
/// functions under their own names.
struct Fontconfig {
#define TAVIK_FONTCONFIG_MEMBER(name) decltype(&::name) name = nullptr;
    TAVIK_FONTCONFIG_FUNCTIONS(TAVIK_FONTCONFIG_MEMBER)
#undef TAVIK_FONTCONFIG_MEMBER
};

/// fontconfig, loaded at the first call and kept; null when libfontconfig or one of the
/// functions is not there.
const Fontconfig* LoadFontconfig();

}  // namespace platform
