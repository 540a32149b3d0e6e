#include "platform/text/face_match.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os/owned.h"
#include "platform/text/fontconfig_library.h"
#include "platform/text/packaged_faces.h"

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

// The faces stored forms and controls name, and the packaged faces that stand in for them.
// Every other name goes to fontconfig's own matching (which knows further metric aliases).
// - Arial, MS Sans Serif: Liberation Sans has Arial's advance widths and vertical metrics.
// - Arial Black: no metric clone is packaged; the stand-in is the heaviest sans installed,
//   DejaVu Sans asked for at weight 900 (which finds its Bold). Its wide letters come closer
//   to Arial Black's broad advances than Liberation Sans Bold does.
// - Lucida Console: DejaVu Sans Mono is a monospaced sans like it, with the same 0.6 em advance;
//   Liberation Mono would give Courier's serif shapes.
struct FaceAlias {
    std::string_view name;
    std::string_view family;
    std::optional<int> weight;  // replaces the requested weight when set
};

constexpr std::array kFaceAliases = {
    FaceAlias{"Arial", "Liberation Sans", std::nullopt},
    FaceAlias{"MS Sans Serif", "Liberation Sans", std::nullopt},
    FaceAlias{"Arial Black", "DejaVu Sans", 900},
    FaceAlias{"Lucida Console", "DejaVu Sans Mono", std::nullopt},
};

const Fontconfig& Fc() {
    return *LoadFontconfig();
}

void DestroyPattern(FcPattern* pattern) {
    Fc().FcPatternDestroy(pattern);
}

using PatternPtr = Owned<FcPattern*, DestroyPattern>;

/// The face of the desktop's fontconfig configuration that matches the family, weight and
/// slant; empty path when fontconfig is missing or finds none. The configuration is loaded
/// once, when first needed, and kept for the life of the program: loading it parses dozens of
/// files and takes several milliseconds.
FaceFile MatchOnDesktop(std::string_view family, int weight, bool italic) {
    if (!LoadFontconfig()) return {};
    static FcConfig* const config = Fc().FcInitLoadConfigAndFonts();
    PatternPtr pattern(Fc().FcPatternCreate());
    if (!config || !pattern) return {};
    const std::string familyName(family);
    Fc().FcPatternAddString(pattern.Get(), FC_FAMILY,
                            reinterpret_cast<const FcChar8*>(familyName.c_str()));
    // A missing family should still give a sans rather than fontconfig's overall default.
    Fc().FcPatternAddString(pattern.Get(), FC_FAMILY,
                            reinterpret_cast<const FcChar8*>("sans-serif"));
    const int openType = OpenTypeWeight(weight);
    Fc().FcPatternAddDouble(pattern.Get(), FC_WEIGHT, FontconfigWeight(openType));
    Fc().FcPatternAddInteger(pattern.Get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    Fc().FcPatternAddBool(pattern.Get(), FC_SCALABLE, FcTrue);
    Fc().FcConfigSubstitute(config, pattern.Get(), FcMatchPattern);
    Fc().FcDefaultSubstitute(pattern.Get());

    FcResult result = FcResultNoMatch;
    PatternPtr match(Fc().FcFontMatch(config, pattern.Get(), &result));
    if (!match) return {};
    FcChar8* file = nullptr;
    if (Fc().FcPatternGetString(match.Get(), FC_FILE, 0, &file) != FcResultMatch || !file)
        return {};
    FaceFile face;
    face.path = reinterpret_cast<const char*>(file);
    Fc().FcPatternGetInteger(match.Get(), FC_INDEX, 0, &face.index);
    FcBool embolden = FcFalse;
    Fc().FcPatternGetBool(match.Get(), FC_EMBOLDEN, 0, &embolden);
    double matchedWeight = FC_WEIGHT_REGULAR;
    Fc().FcPatternGetDouble(match.Get(), FC_WEIGHT, 0, &matchedWeight);
    // The desktop's configuration asks for a bold made by hand when a bold weight finds only a
    // medium or lighter face, where it has that rule; the rule is applied here in any case, as
    // for the packaged faces.
    face.embolden = embolden == FcTrue || NeedsEmbolden(openType, matchedWeight);
    return face;
}

}  // namespace

FaceFile MatchFace(const FontDesc& desc) {
    std::string_view family = desc.name;
    int weight = desc.weight;
    for (const FaceAlias& alias : kFaceAliases) {
        if (!SameFaceName(alias.name, desc.name)) continue;
        family = alias.family;
        weight = alias.weight.value_or(desc.weight);
        break;
    }
    if (std::optional<FaceFile> packaged = PackagedFace(family, weight, desc.italic))
        return *std::move(packaged);
    return MatchOnDesktop(family, weight, desc.italic);
}

FaceFile DefaultSansFace() {
    return MatchOnDesktop("sans-serif", 400, false);
}

}  // namespace platform
