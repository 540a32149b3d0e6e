// A window with four keys of the vbButton library: one with a picture, one that acts as a
// check box, an elliptic one, and a copy of the elliptic one made from its saved settings.
// Each click prints a line such as "Click: Oval" on standard output.
#include <tavik/desktop.h>
#include <tavik/host_window.h>
#include <tavik/vb_button.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

/// A 16 x 16 bitmap file (24-bit BMP) of a red ring on the mask colour, light grey, which the
/// key leaves transparent.
std::vector<uint8_t> RingBitmap() {
    constexpr int32_t kSide = 16;
    constexpr int32_t kRowBytes = kSide * 3;
    constexpr int32_t kFileSize = 54 + kRowBytes * kSide;
    std::vector<uint8_t> file(kFileSize, 0);
    auto put32 = [&file](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, kFileSize);
    put32(10, 54);     // where the pixels start
    put32(14, 40);     // the size of the information header
    put32(18, kSide);  // width
    put32(22, kSide);  // height, rows bottom-up
    file[26] = 1;      // one plane
    file[28] = 24;     // bits per pixel
    for (int32_t y = 0; y < kSide; ++y) {
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t dx = 2 * x - 15, dy = 2 * y - 15, distance = dx * dx + dy * dy;
            const bool ring = distance >= 100 && distance <= 225;
            uint8_t* pixel = &file[54 + y * kRowBytes + x * 3];  // blue, green, red
            pixel[0] = ring ? 0x20 : 0xC0;
            pixel[1] = ring ? 0x20 : 0xC0;
            pixel[2] = ring ? 0xE0 : 0xC0;
        }
    }
    return file;
}

/// Prints the key's caption when it is clicked.
void PrintClicks(tavik::vbButton& key) {
    key.OnClick([&key] {
        std::printf("Click: %s%s\n", key.Caption().c_str(),
                    key.CheckBoxBehaviour() ? (key.Value() ? " (on)" : " (off)") : "");
        std::fflush(stdout);
    });
}

}  // namespace

int main() {
    try {
        tavik::Desktop desktop("tavik-button-host");
        tavik::HostWindow window(desktop, "Button host", 300, 140);

        tavik::vbButton& picture = window.AddButton("Picture", {20, 20, 120, 40});
        picture.SetLook(tavik::Look::Glossy);
        picture.SetPictureNormal(tavik::Picture::FromBytes(RingBitmap()));

        tavik::vbButton& check = window.AddButton("Check", {160, 20, 120, 40});
        check.SetLook(tavik::Look::Classic);
        check.SetCheckBoxBehaviour(true);

        tavik::vbButton& oval = window.AddButton("Oval", {20, 80, 120, 40});
        oval.SetLook(tavik::Look::Oval);
        oval.SetColorScheme(2);
        oval.SetBackColor(tavik::Rgb(255, 200, 0));
        oval.SetBackOver(tavik::Rgb(255, 230, 120));
        oval.SetFont({"DejaVu Sans", 10, true});

        // The oval key's settings, saved and loaded back into a new key.
        const std::vector<uint8_t> settings = oval.SaveSettings();
        tavik::vbButton& copy = window.AddButton("Copy", {160, 80, 120, 40}, settings);
        copy.SetCaption("Copy");

        for (tavik::vbButton* key : {&picture, &check, &oval, &copy})
            PrintClicks(*key);
        window.Show();
        desktop.Run();
        if (!desktop.LostMessage().empty()) {
            std::fprintf(stderr, "button-host: %s\n", desktop.LostMessage().c_str());
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "button-host: %s\n", error.what());
        return 1;
    }
}
