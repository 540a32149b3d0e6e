#include "tools/artwork/key_pointer.h"

#include "tools/artwork/pixel_art.h"

namespace artwork {

std::vector<uint8_t> KeyPointerIconFile() {
    platform::IconImage icon;
    icon.bitCount = 4;
    icon.image = FromPixelArt(
        {
            "K...............................", "KK..............................",
            "KWK.............................", "KWWK............................",
            "KWWWK...........................", "KWWWWK..........................",
            "KWWWWWK.........................", "KWWWWWWK........................",
            "KWWWWWWWK.......................", "KWWWWWWWWK......................",
            "KWWWWWWWWWK.....................", "KWWWWWWWWWWK....................",
            "KWWWWWWKKKKKK...................", "KWWWKWWK........................",
            "KWWK.KWWK.......................", "KWK..KWWK.......................",
            "KK....KWWK......................", "K.....KWWK..........KKKKKKKKKKKK",
            ".......KWWK.........KBBBBBBBBBBK", ".......KWWK.........KBGGGGGGGGBK",
            "........KK..........KBGGGGGGGGBK", "....................KBBBBBBBBBBK",
            "....................KBWWBWWBRRBK", "....................KBWWBWWBRRBK",
            "....................KBBBBBBBBBBK", "....................KBWWBWWBRRBK",
            "....................KBWWBWWBRRBK", "....................KBBBBBBBBBBK",
            "....................KBWWBWWBWWBK", "....................KBWWBWWBWWBK",
            "....................KBBBBBBBBBBK", "....................KKKKKKKKKKKK",
        },
        {{'K', 0x000000}, {'W', 0xFFFFFF}, {'B', 0x800000}, {'G', 0x00FF00}, {'R', 0x0000FF}});
    return platform::ValueOrThrow(platform::EncodeIconFile({&icon, 1}, false));
}

}  // namespace artwork
