#include "tools/artwork/artwork_files.h"

#include "tools/artwork/background.h"
#include "tools/artwork/hand_cursor.h"
#include "tools/artwork/help_pointer.h"
#include "tools/artwork/splash_strip.h"
#include "tools/artwork/window_icon.h"

namespace artwork {

std::vector<ArtworkFile> MakeArtworkFiles() {
    std::vector<ArtworkFile> files = {
        {"icon.ico", WindowIconFile()},          {"hand.cur", HandCursorFile()},
        {"help-pointer.cur", HelpPointerFile()}, {"background.jpg", BackgroundFile()},
        {"splash-strip.jpg", SplashStripFile()},
    };
    for (int32_t size : kWindowIconSizes) {
        const std::string side = std::to_string(size);
        files.push_back({"icons/hicolor/" + side + "x" + side + "/apps/tavik-calculator.png",
                         platform::ValueOrThrow(platform::EncodePng(WindowIconImage(size)))});
    }
    files.push_back({"icons/hicolor/scalable/apps/tavik-calculator.svg", WindowIconSvg()});
    return files;
}

}  // namespace artwork
