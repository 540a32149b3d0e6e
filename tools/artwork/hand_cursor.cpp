#include "tools/artwork/hand_cursor.h"

#include "tools/artwork/pixel_art.h"
#include "tools/artwork/raster.h"

namespace artwork {

std::vector<uint8_t> HandCursorFile() {
    platform::IconImage cursor;
    cursor.hotSpotX = 5;
    cursor.hotSpotY = 0;
    cursor.bitCount = 1;
    // One picture row per line.
    // clang-format off
    cursor.image = OnCanvas(FromPixelArt({
        ".....KK",
        "....KWWK",
        "....KWWK",
        "....KWWK",
        "....KWWK",
        "....KWWKKK",
        "....KWWKWWKKK",
        "....KWWKWWKWWKKK",
        "....KWWKWWKWWKWWK",
        "KK..KWWKWWKWWKWWK",
        "KWK.KWWKWWKWWKWWK",
        "KWWKKWWWWWWWWWWWK",
        ".KWWWWWWWWWWWWWWK",
        "..KWWWWWWWWWWWWWK",
        "..KWWWWWWWWWWWWWK",
        "...KWWWWWWWWWWWWK",
        "...KWWWWWWWWWWWK",
        "....KWWWWWWWWWWK",
        "....KWWWWWWWWWK",
        ".....KWWWWWWWWK",
        ".....KWWWWWWWWK",
        ".....KKKKKKKKKK",
    }, {{'K', 0x000000}, {'W', 0xFFFFFF}}), 32, 32);
    // clang-format on
    return platform::ValueOrThrow(platform::EncodeIconFile({&cursor, 1}, true));
}

}  // namespace artwork
