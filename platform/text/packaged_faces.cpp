#include "platform/text/packaged_faces.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

namespace platform {
namespace {

// A face of a font package, with the weight and slant fontconfig reads from its file.
struct PackagedFile {
    std::string_view family;
    std::string_view folder;
    std::string_view file;
    double weight;
    int slant;  // 0 roman, 100 italic, 110 oblique
};

constexpr std::string_view kLiberation = "/usr/share/fonts/truetype/liberation2/";
constexpr std::string_view kDejaVu = "/usr/share/fonts/truetype/dejavu/";
constexpr std::array kPackagedFiles = {
    PackagedFile{"Liberation Sans", kLiberation, "LiberationSans-Regular.ttf", 80, 0},
    PackagedFile{"Liberation Sans", kLiberation, "LiberationSans-Bold.ttf", 200, 0},
    PackagedFile{"Liberation Sans", kLiberation, "LiberationSans-Italic.ttf", 80, 100},
    PackagedFile{"Liberation Sans", kLiberation, "LiberationSans-BoldItalic.ttf", 200, 100},
    PackagedFile{"DejaVu Sans", kDejaVu, "DejaVuSans.ttf", 80, 0},
    PackagedFile{"DejaVu Sans", kDejaVu, "DejaVuSans-Bold.ttf", 200, 0},
    PackagedFile{"DejaVu Sans", kDejaVu, "DejaVuSans-Oblique.ttf", 80, 110},
    PackagedFile{"DejaVu Sans", kDejaVu, "DejaVuSans-BoldOblique.ttf", 200, 110},
    PackagedFile{"DejaVu Sans", kDejaVu, "DejaVuSans-ExtraLight.ttf", 40, 0},
    PackagedFile{"DejaVu Sans Mono", kDejaVu, "DejaVuSansMono.ttf", 80, 0},
    PackagedFile{"DejaVu Sans Mono", kDejaVu, "DejaVuSansMono-Bold.ttf", 200, 0},
    PackagedFile{"DejaVu Sans Mono", kDejaVu, "DejaVuSansMono-Oblique.ttf", 80, 110},
    PackagedFile{"DejaVu Sans Mono", kDejaVu, "DejaVuSansMono-BoldOblique.ttf", 200, 110},
};

// fontconfig's table of OpenType weights and the weights of its own scale they map to.
struct WeightPoint {
    int openType;
    double fontconfig;
};
constexpr std::array kWeightScale = {
    WeightPoint{0, 0},      WeightPoint{100, 0},   WeightPoint{200, 40},  WeightPoint{300, 50},
    WeightPoint{350, 55},   WeightPoint{380, 75},  WeightPoint{400, 80},  WeightPoint{500, 100},
    WeightPoint{600, 180},  WeightPoint{700, 200}, WeightPoint{800, 205}, WeightPoint{900, 210},
    WeightPoint{1000, 215},
};

}  // namespace

bool SameFaceName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

int OpenTypeWeight(int weight) {
    return weight <= 0 ? 400 : std::min(weight, 1000);
}

double FontconfigWeight(int openTypeWeight) {
    const int weight = std::clamp(openTypeWeight, 0, 1000);
    size_t i = 1;
    while (weight > kWeightScale[i].openType)
        ++i;
    const WeightPoint& low = kWeightScale[i - 1];
    const WeightPoint& high = kWeightScale[i];
    if (weight == high.openType) return high.fontconfig;
    return low.fontconfig + (high.fontconfig - low.fontconfig) * (weight - low.openType) /
                                (high.openType - low.openType);
}

bool NeedsEmbolden(int openTypeWeight, double faceWeight) {
    constexpr double kBold = 200;
    constexpr double kMedium = 100;
    return FontconfigWeight(openTypeWeight) >= kBold && faceWeight <= kMedium;
}

std::optional<FaceFile> PackagedFace(std::string_view family, int weight, bool italic) {
    const int openType = OpenTypeWeight(weight);
    const double wanted = FontconfigWeight(openType);
    const int slant = italic ? 100 : 0;
    const PackagedFile* best = nullptr;
    auto distance = [&](const PackagedFile& face) {
        return std::pair(std::abs(face.slant - slant), std::abs(face.weight - wanted));
    };
    std::optional<FaceFile> found;
    for (const PackagedFile& face : kPackagedFiles) {
        if (!SameFaceName(face.family, family) || (best && distance(*best) <= distance(face)))
            continue;
        std::string path = std::string(face.folder) + std::string(face.file);
        if (access(path.c_str(), R_OK) != 0) continue;
        best = &face;
        found = FaceFile{std::move(path), 0, NeedsEmbolden(openType, face.weight)};
    }
    return found;
}

}  // namespace platform
