// The demo form rendered by the headless backend, compared with tests/golden/forms/demo_form.png.
// To regenerate the image after a deliberate change, run the test with TAVIK_UPDATE_GOLDEN=1 in
// the environment (it then writes the file instead of comparing), look at the new image, and
// commit it with the change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "form_test_env.h"
#include "forms/label.h"
#include "forms/picture_strip.h"
#include "forms/shape.h"
#include "forms/text_box.h"
#include "platform/image/image.h"

namespace forms {
namespace {

using testing::FormTestEnv;

const char* const kGoldenPath = "tests/golden/forms/demo_form.png";

std::shared_ptr<const platform::Picture> GradientPicture() {
    // 16 × 1: dark at both ends, white in the middle.
    platform::Image image{16, 1, {}};
    for (int32_t x = 0; x < 16; ++x) {
        const int32_t d = x < 8 ? x : 15 - x;
        const uint32_t v = static_cast<uint32_t>(d * 255 / 7);
        image.pixels.push_back(0xFF000000 | v << 16 | v << 8 | v);
    }
    return platform::LoadPicture(platform::EncodePng(image));
}

platform::Image ToImage(const platform::Surface& surface) {
    platform::Image image{surface.Width(), surface.Height(), {}};
    for (const uint32_t p : surface.Pixels())
        image.pixels.push_back(0xFF000000 | p);
    return image;
}

TEST(DemoFormTest, MatchesTheGoldenImage) {
    FormTestEnv env;
    FormDesign design;
    design.caption = "Demo";
    design.widthTwips = 3000;  // 200 × 120 pixels
    design.heightTwips = 1800;
    design.backColor = 0x00FF8080;
    design.font = {"Arial", 90000, 400, 0, false, false, false};
    Form form(env.system, design);

    PictureStrip strip(form, {0, 0, 200, 6});
    strip.SetPicture(GradientPicture());
    strip.SetStretched(true);
    Label title(form, {10, 12, 190, 34}, "Tavik &Forms");
    title.SetFont({"Arial", 140000, 700, 0, false, false, false});
    title.SetForeColor(0x00FFFFFF);
    title.SetTransparent(true);
    title.SetAlignment(Alignment::Center);
    Label note(form, {10, 38, 120, 70}, "An opaque label whose caption wraps");
    note.SetBackColor(0x00FFFFFF);
    note.SetForeColor(0x00800000);
    Shape flagTop(form, {140, 40, 180, 50});
    flagTop.SetFill(0x000000FF);
    Shape flagBottom(form, {140, 49, 180, 60});
    flagBottom.SetFill(0x80000005);
    Shape frame(form, {5, 76, 195, 112});
    frame.SetBorderColor(0x0000FF00);
    TextBox box(form, {10, 80, 190, 107});
    box.SetBackColor(0x00000000);
    box.SetForeColor(0x0000FF00);
    box.SetFont({"Lucida Console", 142500, 400, 0, false, false, false});
    box.SetText("12345,67");
    form.ShowForm();
    env.system.SetFocus(nullptr);  // no caret in the picture
    env.backend.ProcessUntilIdle();

    const platform::Image actual = ToImage(env.backend.Native(form.NativeId())->screen);
    if (const char* update = std::getenv("TAVIK_UPDATE_GOLDEN");
        update && std::string(update) == "1") {
        const std::vector<uint8_t> png = platform::EncodePng(actual);
        std::ofstream out(kGoldenPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        ASSERT_TRUE(out.good()) << kGoldenPath;
        GTEST_SKIP() << "wrote " << kGoldenPath;
    }
    std::ifstream in(kGoldenPath, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing " << kGoldenPath << "; run with TAVIK_UPDATE_GOLDEN=1";
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    const platform::Image golden = platform::DecodePng(file);
    ASSERT_EQ(golden.width, actual.width);
    ASSERT_EQ(golden.height, actual.height);
    int32_t differing = 0;
    for (size_t i = 0; i < golden.pixels.size(); ++i)
        differing += golden.pixels[i] != actual.pixels[i];
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace forms
