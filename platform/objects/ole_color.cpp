#include "platform/objects/ole_color.h"

namespace platform {

namespace {

constexpr uint32_t kSystemColorFlag = 0x80000000;
constexpr uint32_t kPaletteRgbFlag = 0x02000000;

}  // namespace

Color TranslateOleColor(OleColor ole) {
    const uint32_t kind = ole & 0xFF000000;
    if (kind == 0) return ole;
    if (kind == kPaletteRgbFlag) return ole & 0x00FFFFFF;
    if (kind == kSystemColorFlag && (ole & 0x00FFFF00) == 0) {
        return SystemColor(static_cast<int32_t>(ole & 0xFF)).value_or(0);
    }
    return 0;
}

Color DrawnColor(OleColor ole, SystemColorIndex role) {
    return ForcedColors() ? SystemColor(role) : TranslateOleColor(ole);
}

}  // namespace platform
