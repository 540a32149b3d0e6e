// The demo form rendered by the headless backend, compared with tests/golden/forms/demo_form.png.
// To regenerate the image after a deliberate change, run the test with TAVIK_UPDATE_GOLDEN=1 in
// the environment (it then writes the file instead of comparing), look at the new image, and
// commit it with the change.
#include <gtest/gtest.h>

#include "form_test_env.h"
#include "forms/label.h"
#include "forms/picture_strip.h"
#include "forms/shape.h"
#include "forms/text_box.h"
#include "platform/image/image.h"
#include "tests/support/golden.h"

namespace forms {
namespace {

using testing::FormTestEnv;

std::shared_ptr<const platform::Picture> GradientPicture() {
    // 16 × 1: dark at both ends, white in the middle.
    platform::Image image{16, 1, {}};
    for (int32_t x = 0; x < 16; ++x) {
        const int32_t d = x < 8 ? x : 15 - x;
        const uint32_t v = static_cast<uint32_t>(d * 255 / 7);
        image.pixels.push_back(0xFF000000 | v << 16 | v << 8 | v);
    }
    return platform::LoadPicture(platform::EncodePng(image).Value()).Value();
}

TEST(DemoFormTest, MatchesTheGoldenImage) {
    FormTestEnv env;
    FormDesign design;
    design.caption = "Demo";
    design.widthTwips = 3000;  // 200 × 120 pixels
    design.heightTwips = 1800;
    design.backColor = 0x00FF8080;
    design.font = platform::PlainFont("Arial", 90000, platform::kFontWeightNormal);
    Form form(env.system, design);

    PictureStrip strip(form, {0, 0, 200, 6});
    strip.SetPicture(GradientPicture());
    strip.SetStretched(true);
    Label title(form, {10, 12, 190, 34}, "Tavik &Forms");
    title.SetFont(platform::PlainFont("Arial", 140000, platform::kFontWeightBold));
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
    box.SetFont(platform::PlainFont("Lucida Console", 142500, platform::kFontWeightNormal));
    box.SetText("12345,67");
    form.ShowForm();
    env.system.SetFocus(nullptr);  // no caret in the picture
    env.backend.ProcessUntilIdle();

    testsupport::ExpectGoldenImage("tests/golden/forms/demo_form.png",
                                   env.backend.ScreenImage(form.NativeId()));
}

}  // namespace
}  // namespace forms
