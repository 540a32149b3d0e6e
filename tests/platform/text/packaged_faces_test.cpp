// The packaged faces are found without fontconfig. These tests ask fontconfig itself, with a
// configuration of just the packages' folders, and expect its answers.
#include "platform/text/packaged_faces.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

FcConfig* PackagedFoldersConfig() {
    static FcConfig* const config = [] {
        FcConfig* loaded = FcConfigCreate();
        const char* folders =
            "<?xml version=\"1.0\"?><fontconfig>"
            "<dir>/usr/share/fonts/truetype/liberation2</dir>"
            "<dir>/usr/share/fonts/truetype/dejavu</dir>"
            "<cachedir>/var/cache/fontconfig</cachedir>"
            "<cachedir prefix=\"xdg\">fontconfig</cachedir></fontconfig>";
        const bool ok = FcConfigParseAndLoadFromMemory(
                            loaded, reinterpret_cast<const FcChar8*>(folders), FcTrue) &&
                        FcConfigBuildFonts(loaded);
        return ok ? loaded : nullptr;
    }();
    return config;
}

struct Choice {
    std::string path;
    double weight = 0;
};

// The face fontconfig matches among the packaged folders' faces, with its weight.
Choice FontconfigChoice(const std::string& family, int weight, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddDouble(pattern, FC_WEIGHT, FcWeightFromOpenTypeDouble(OpenTypeWeight(weight)));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(PackagedFoldersConfig(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(PackagedFoldersConfig(), pattern, &result);
    Choice choice;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        choice.path = reinterpret_cast<const char*>(file);
    if (match) FcPatternGetDouble(match, FC_WEIGHT, 0, &choice.weight);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return choice;
}

TEST(PackagedFaces, AreTheFacesFontconfigChoosesAmongThePackagesFiles) {
    ASSERT_NE(PackagedFoldersConfig(), nullptr);
    // 550 is left out: it lies as far from regular as from bold, and fontconfig then takes
    // whichever its cache lists first.
    const int weights[] = {0, 100, 200, 300, 340, 370, 400, 450, 500, 600, 700, 800, 900, 1000};
    for (const char* family : {"Liberation Sans", "DejaVu Sans", "DejaVu Sans Mono"}) {
        for (const int weight : weights) {
            for (const bool italic : {false, true}) {
                SCOPED_TRACE(std::string(family) + " " + std::to_string(weight) +
                             (italic ? " italic" : ""));
                const std::optional<FaceFile> packaged = PackagedFace(family, weight, italic);
                const Choice expected = FontconfigChoice(family, weight, italic);
                ASSERT_TRUE(packaged.has_value());
                EXPECT_EQ(packaged->path, expected.path);
                EXPECT_EQ(packaged->embolden,
                          NeedsEmbolden(OpenTypeWeight(weight), expected.weight));
            }
        }
    }
}

TEST(PackagedFaces, FamilyNamesIgnoreCaseAndOtherFamiliesAreLeftToFontconfig) {
    ASSERT_TRUE(PackagedFace("dejavu sans MONO", 400, false).has_value());
    EXPECT_EQ(PackagedFace("dejavu sans MONO", 400, false)->path,
              "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
    EXPECT_FALSE(PackagedFace("Liberation Serif", 400, false).has_value());
    EXPECT_FALSE(PackagedFace("DejaVu", 400, false).has_value());
    EXPECT_FALSE(PackagedFace("Arial", 400, false).has_value());  // an alias, not a family
}

TEST(PackagedFaces, WeightsAreComparedOnFontconfigsScale) {
    for (int weight = 0; weight <= 1000; weight += 5) {
        SCOPED_TRACE(weight);
        EXPECT_DOUBLE_EQ(FontconfigWeight(weight), FcWeightFromOpenTypeDouble(weight));
    }
}

}  // namespace
}  // namespace platform
