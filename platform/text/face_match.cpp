#include "platform/text/face_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "platform/os/owned.h"

#if defined(__SANITIZE_ADDRESS__)
#define TAVIK_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVIK_LEAK_CHECKED 1
#endif
#endif

#ifdef TAVIK_LEAK_CHECKED
// fontconfig's configuration parser loses a few hundred bytes once, while loading the
// configuration files (the library has no frame pointers, so the stack ends in its module);
// the leak checker is told so that it reports only leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif

namespace platform {
namespace {

// The faces stored forms and controls name, and the installed faces that stand in for them.
// Every other name goes to fontconfig's own matching (which knows further metric aliases).
// - Arial, MS Sans Serif: Liberation Sans has Arial's advance widths and vertical metrics.
// - Arial Black: no metric clone is packaged; the stand-in is the heaviest sans installed,
//   DejaVu Sans asked for at weight 900 (fontconfig then picks its Bold). Its wide letters come
//   closer to Arial Black's broad advances than Liberation Sans Bold does.
// - Lucida Console: DejaVu Sans Mono is a monospaced sans like it, with the same 0.6 em advance;
//   Liberation Mono would give Courier's serif shapes.
struct FaceAlias {
    std::string_view name;
    const char* family;
    std::optional<int> weight;  // replaces the requested weight when set
};

constexpr std::array kFaceAliases = {
    FaceAlias{"Arial", "Liberation Sans", std::nullopt},
    FaceAlias{"MS Sans Serif", "Liberation Sans", std::nullopt},
    FaceAlias{"Arial Black", "DejaVu Sans", 900},
    FaceAlias{"Lucida Console", "DejaVu Sans Mono", std::nullopt},
};

// Face names compare without regard to ASCII case, as the desktop's do.
bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

using PatternPtr = Owned<FcPattern*, FcPatternDestroy>;

// The desktop's whole fontconfig configuration, loaded once when first needed and kept for
// the life of the program. Loading it parses dozens of files and takes several milliseconds.
FcConfig* DesktopConfig() {
    static FcConfig* const config = FcInitLoadConfigAndFonts();
    return config;
}

// The stand-ins come with the font packages the program depends on (fonts-liberation2,
// fonts-dejavu-core). A configuration of just their two folders opens two caches rather than
// one for every font folder of the system, and loads in a fraction of a millisecond, which
// keeps the desktop's configuration off the path to the first window on the screen.
constexpr const char* kPackagedFontsConfig =
    "<?xml version=\"1.0\"?><fontconfig>"
    "<dir>/usr/share/fonts/truetype/liberation2</dir><dir>/usr/share/fonts/truetype/dejavu</dir>"
    "<cachedir>/var/cache/fontconfig</cachedir><cachedir prefix=\"xdg\">fontconfig</cachedir>"
    "</fontconfig>";

FcConfig* PackagedFontsConfig() {
    static FcConfig* const config = [] {
        Owned<FcConfig*, FcConfigDestroy> loaded(FcConfigCreate());
        if (loaded &&
            FcConfigParseAndLoadFromMemory(
                loaded.Get(), reinterpret_cast<const FcChar8*>(kPackagedFontsConfig), FcFalse) &&
            FcConfigBuildFonts(loaded.Get()))
            return loaded.Take();
        return static_cast<FcConfig*>(nullptr);
    }();
    return config;
}

/// The face of `config` that fontconfig matches to the family, weight and slant; empty path
/// when it finds none, or when `exactFamily` is set and the face found is of another family.
FaceFile Match(FcConfig* config, const std::string& family, int weight, bool italic,
               bool exactFamily) {
    PatternPtr pattern(FcPatternCreate());
    if (!config || !pattern) return {};
    const auto* familyName = reinterpret_cast<const FcChar8*>(family.c_str());
    FcPatternAddString(pattern.Get(), FC_FAMILY, familyName);
    // A missing stand-in should still give a sans rather than fontconfig's overall default.
    FcPatternAddString(pattern.Get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    // Weight 0 means "don't care", which the desktop renders at the normal weight.
    const int openTypeWeight = weight <= 0 ? 400 : std::min(weight, 1000);
    FcPatternAddDouble(pattern.Get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(openTypeWeight));
    FcPatternAddInteger(pattern.Get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.Get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern.Get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.Get());

    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config, pattern.Get(), &result));
    if (!match) return {};
    FcChar8* matchedFamily = nullptr;
    if (exactFamily &&
        (FcPatternGetString(match.Get(), FC_FAMILY, 0, &matchedFamily) != FcResultMatch ||
         FcStrCmpIgnoreCase(matchedFamily, familyName) != 0))
        return {};
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.Get(), FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    FaceFile face;
    face.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.Get(), FC_INDEX, 0, &face.index);
    FcBool embolden = FcFalse;
    FcPatternGetBool(match.Get(), FC_EMBOLDEN, 0, &embolden);
    // The desktop's configuration asks for a bold made by hand when a bold weight finds only
    // a medium or lighter face; the packaged-fonts configuration has no such rule, so it is
    // applied here for both.
    double matchedWeight = FC_WEIGHT_REGULAR;
    FcPatternGetDouble(match.Get(), FC_WEIGHT, 0, &matchedWeight);
    const bool boldAsked = FcWeightFromOpenTypeDouble(openTypeWeight) >= FC_WEIGHT_BOLD;
    face.embolden = embolden == FcTrue || (boldAsked && matchedWeight <= FC_WEIGHT_MEDIUM);
    return face;
}

FaceFile MatchOnDesktop(const std::string& family, int weight, bool italic) {
    return Match(DesktopConfig(), family, weight, italic, false);
}

}  // namespace

FaceFile MatchFace(const FontDesc& desc) {
    for (const FaceAlias& alias : kFaceAliases) {
        if (!SameName(alias.name, desc.name)) continue;
        const int weight = alias.weight.value_or(desc.weight);
        FaceFile packaged = Match(PackagedFontsConfig(), alias.family, weight, desc.italic, true);
        return packaged.path.empty() ? MatchOnDesktop(alias.family, weight, desc.italic) : packaged;
    }
    return MatchOnDesktop(desc.name, desc.weight, desc.italic);
}

FaceFile DefaultSansFace() {
    return MatchOnDesktop("sans-serif", 400, false);
}

}  // namespace platform
