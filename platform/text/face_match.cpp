#include "platform/text/face_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string_view>

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

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// The fontconfig configuration, loaded once and kept for the life of the program.
FcConfig* Config() {
    static FcConfig* const config = FcInitLoadConfigAndFonts();
    return config;
}

FaceFile Match(const std::string& family, int weight, bool italic) {
    FcConfig* config = Config();
    PatternPtr pattern(FcPatternCreate());
    if (!config || !pattern) return {};
    const auto* familyName = reinterpret_cast<const FcChar8*>(family.c_str());
    FcPatternAddString(pattern.get(), FC_FAMILY, familyName);
    // A missing stand-in should still give a sans rather than fontconfig's overall default.
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    // Weight 0 means "don't care", which the desktop renders at the normal weight.
    const int openTypeWeight = weight <= 0 ? 400 : std::min(weight, 1000);
    FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(openTypeWeight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config, pattern.get(), &result));
    if (!match) return {};
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    FaceFile face;
    face.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &face.index);
    FcBool embolden = FcFalse;
    FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden);
    face.embolden = embolden == FcTrue;
    return face;
}

}  // namespace

FaceFile MatchFace(const FontDesc& desc) {
    for (const FaceAlias& alias : kFaceAliases) {
        if (SameName(alias.name, desc.name)) {
            return Match(alias.family, alias.weight.value_or(desc.weight), desc.italic);
        }
    }
    return Match(desc.name, desc.weight, desc.italic);
}

FaceFile DefaultSansFace() {
    return Match("sans-serif", 400, false);
}

}  // namespace platform
