#include "tools/artwork/help_pointer.h"

#include "tools/artwork/pixel_art.h"
#include "tools/artwork/raster.h"

namespace artwork {

std::vector<uint8_t> HelpPointerFile() {
    platform::IconImage cursor;
    cursor.bitCount = 1;
    // One picture row per line.
    // clang-format off
    cursor.image = OnCanvas(FromPixelArt({
        "K",
        "KK.............WWWWWW",
        "KWK...........WKKKKKKW",
        "KWWK.........WKKWWWWKKW",
        "KWWWK........WKKW..WKKW",
        "KWWWWK........WW..WKKKW",
        "KWWWWWK..........WKKKW",
        "KWWWWWWK........WKKKW",
        "KWWWWWWWK.......WKKW",
        "KWWWWWWWWK......WKKW",
        "KWWWWWWWWWK.....WWWW",
        "KWWWWWWKKKKK....WWWW",
        "KWWWKWWK........WKKW",
        "KWWKKWWK........WKKW",
        "KWK..KWWK.......WWWW",
        "KK...KWWK",
        "K.....KWWK",
        "......KWWK",
        ".......KK",
    }, {{'K', 0x000000}, {'W', 0xFFFFFF}}), 32, 32);
    // clang-format on
    return platform::ValueOrThrow(platform::EncodeIconFile({&cursor, 1}, true));
}

}  // namespace artwork
