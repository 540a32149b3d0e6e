#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "form_test_env.h"
#include "forms/control_site.h"
#include "forms/label.h"
#include "forms/picture_strip.h"
#include "forms/shape.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "tests/forms/fake_control.h"

namespace forms {
namespace {

using testing::DesignOfPixels;
using testing::FormTestEnv;
using testing::Screen;

constexpr uint32_t kFormBack = 0x00336699;
constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kWhite = 0x00FFFFFF;

// A picture file of the given opaque pixels, as a PNG.
std::shared_ptr<const platform::Picture> MakePicture(int32_t width, int32_t height,
                                                     const std::vector<uint32_t>& colours) {
    platform::Image image{width, height, {}};
    for (const uint32_t c : colours)
        image.pixels.push_back(0xFF000000 | c);
    return platform::LoadPicture(platform::EncodePng(image).Value()).Value();
}

TEST(FormPaintTest, ShapeOutlineAndFillTouchExactlyTheirPixels) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(16, 12, kFormBack));
    Shape outline(form, {1, 1, 6, 5});
    outline.SetBorderColor(kRed);
    Shape filled(form, {8, 2, 14, 10});
    filled.SetBorderColor(0x80000008);  // window text: black
    filled.SetFill(kGreen);
    form.ShowForm();
    env.backend.ProcessUntilIdle();

    const platform::Surface& s = Screen(env, form);
    for (int32_t y = 0; y < 12; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            uint32_t want = kFormBack;
            const bool inOutline = x >= 1 && x < 6 && y >= 1 && y < 5;
            const bool onOutlineEdge = inOutline && (x == 1 || x == 5 || y == 1 || y == 4);
            const bool inFilled = x >= 8 && x < 14 && y >= 2 && y < 10;
            const bool onFilledEdge = inFilled && (x == 8 || x == 13 || y == 2 || y == 9);
            if (onOutlineEdge) want = kRed;
            if (inFilled) want = onFilledEdge ? 0x000000 : kGreen;
            ASSERT_EQ(s.Pixel(x, y), want) << x << "," << y;
        }
    }
}

TEST(FormPaintTest, LaterLightControlsPaintOverEarlierOnes) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(10, 10, kFormBack));
    Shape below(form, {0, 0, 8, 8});
    below.SetFill(kRed);
    below.SetBorderColor(kRed);
    Shape above(form, {4, 4, 10, 10});
    above.SetFill(kGreen);
    above.SetBorderColor(kGreen);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    EXPECT_EQ(Screen(env, form).Pixel(5, 5), kGreen);
    EXPECT_EQ(Screen(env, form).Pixel(3, 3), kRed);

    // Hiding a control repaints its place from the form's background.
    above.SetVisible(false);
    env.backend.ProcessUntilIdle();
    EXPECT_EQ(Screen(env, form).Pixel(5, 5), kRed);
    EXPECT_EQ(Screen(env, form).Pixel(9, 9), kFormBack);
}

TEST(FormPaintTest, OpaqueLabelFillsItsRectangleTransparentLabelChangesOnlyGlyphs) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(120, 60, kFormBack));
    const platform::Rect box{10, 10, 110, 30};
    Label opaque(form, box, "Hig");
    opaque.SetForeColor(kWhite);
    opaque.SetBackColor(kRed);
    Label transparent(form, box.Offset(0, 25), "Hig");
    transparent.SetForeColor(kWhite);
    transparent.SetBackColor(kRed);
    transparent.SetTransparent(true);
    for (Label* l : {&opaque, &transparent})
        l->SetFont(platform::PlainFont("Arial", 140000, platform::kFontWeightBold));
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    const platform::Surface& s = Screen(env, form);

    int32_t glyphPixels = 0;
    int32_t fullyCovered = 0;
    for (int32_t y = box.top; y < box.bottom; ++y) {
        for (int32_t x = box.left; x < box.right; ++x) {
            const uint32_t o = s.Pixel(x, y);
            const uint32_t t = s.Pixel(x, y + 25);
            // Where no glyph touched, the opaque label shows its back colour and the
            // transparent one the form's.
            if (o == kRed) {
                ASSERT_EQ(t, kFormBack) << x << "," << y;
                continue;
            }
            ++glyphPixels;
            ASSERT_NE(t, kFormBack) << x << "," << y;
            if (o == kWhite) {
                ++fullyCovered;
                ASSERT_EQ(t, kWhite) << x << "," << y;
            }
        }
    }
    EXPECT_GT(glyphPixels, 20);
    EXPECT_GT(fullyCovered, 5);
    // Nothing outside the labels changed.
    EXPECT_EQ(s.Pixel(box.left - 1, box.top), kFormBack);
    EXPECT_EQ(s.Pixel(box.right, box.top), kFormBack);
}

TEST(FormPaintTest, LabelTextColourChangeRepaintsOnlyTheLabel) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(60, 30, kFormBack));
    Label label(form, {0, 0, 60, 20}, "Mmm");
    label.SetTransparent(true);
    label.SetForeColor(kWhite);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    auto countColour = [&](uint32_t colour) {
        int32_t n = 0;
        for (const uint32_t p : Screen(env, form).Pixels())
            n += p == colour;
        return n;
    };
    const int32_t white = countColour(kWhite);
    ASSERT_GT(white, 0);
    const size_t presentedBefore = env.backend.Native(form.NativeId())->presentCount;

    label.SetForeColor(0x00000000);
    env.backend.ProcessUntilIdle();
    EXPECT_EQ(countColour(kWhite), 0);
    EXPECT_EQ(countColour(0x00000000), white);
    const auto& presented = env.backend.Native(form.NativeId())->presented;
    ASSERT_EQ(env.backend.Native(form.NativeId())->presentCount, presentedBefore + 1);
    EXPECT_EQ(presented.back(), (platform::Rect{0, 0, 60, 20}));
}

TEST(FormPaintTest, LabelAlignmentPlacesTheLineLeftCentreAndRight) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(100, 60, kFormBack));
    Label left(form, {0, 0, 100, 20}, "ab");
    Label centre(form, {0, 20, 100, 40}, "ab");
    Label right(form, {0, 40, 100, 60}, "ab");
    for (Label* l : {&left, &centre, &right}) {
        l->SetTransparent(true);
        l->SetForeColor(kWhite);
    }
    centre.SetAlignment(Alignment::Center);
    right.SetAlignment(Alignment::Right);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    const platform::Surface& s = Screen(env, form);
    auto inkColumns = [&](int32_t top) {
        int32_t first = 100, last = -1;
        for (int32_t y = top; y < top + 20; ++y)
            for (int32_t x = 0; x < 100; ++x)
                if (s.Pixel(x, y) != kFormBack) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair{first, last};
    };
    const auto [l0, l1] = inkColumns(0);
    const auto [c0, c1] = inkColumns(20);
    const auto [r0, r1] = inkColumns(40);
    ASSERT_GE(l1, l0);
    EXPECT_LT(l0, 3);
    EXPECT_EQ(c1 - c0, l1 - l0);
    EXPECT_EQ(r1 - r0, l1 - l0);
    EXPECT_GT(r1, 95);
    EXPECT_NEAR((c0 + c1) / 2, 50, 3);
}

TEST(FormPaintTest, BackgroundPictureIsDrawnUnscaledAtTheOrigin) {
    FormTestEnv env;
    FormDesign design = DesignOfPixels(4, 3, kFormBack);
    design.picture = MakePicture(2, 2, {kRed, kGreen, kWhite, 0x00000080});
    Form form(env.system, design);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    const platform::Surface& s = Screen(env, form);
    const std::vector<uint32_t> want = {kRed,      kGreen,    kFormBack, kFormBack,  //
                                        kWhite,    0x000080,  kFormBack, kFormBack,  //
                                        kFormBack, kFormBack, kFormBack, kFormBack};
    EXPECT_EQ(s.Pixels(), want);
}

TEST(FormPaintTest, ABackgroundPictureLargerThanTheFormShowsItsTopLeftPart) {
    FormTestEnv env;
    FormDesign design = DesignOfPixels(3, 2, kFormBack);
    // 4 x 1 wider than the form, then 2 x 3 taller: only the part inside the form shows.
    for (const auto& [width, height] : {std::pair{4, 1}, std::pair{2, 3}}) {
        SCOPED_TRACE(width);
        std::vector<uint32_t> colours;
        for (int32_t i = 0; i < width * height; ++i)
            colours.push_back(0x00010101u * static_cast<uint32_t>(i + 1));
        design.picture = MakePicture(width, height, colours);
        Form form(env.system, design);
        design.picture.reset();  // the form keeps what it shows on its own
        form.ShowForm();
        env.backend.ProcessUntilIdle();
        std::vector<uint32_t> want(6, kFormBack);
        for (int32_t y = 0; y < std::min(height, 2); ++y)
            for (int32_t x = 0; x < std::min(width, 3); ++x)
                want[y * 3 + x] = colours[y * width + x];
        EXPECT_EQ(Screen(env, form).Pixels(), want);
        // Painted again once its decoded pixels were let go, the form shows the same.
        form.Invalidate();
        env.backend.ProcessUntilIdle();
        EXPECT_EQ(Screen(env, form).Pixels(), want);
    }
}

// A hidden form decodes a picture file when it paints, as far as the form shows it; a file that
// does not decode is refused at once.
TEST(FormPaintTest, AHiddenFormGivenAJpegFileShowsTheTopLeftPartOfItsPicture) {
    platform::Image image{40, 20, {}};
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            image.pixels.push_back(0xFF000000u | uint32_t(y * 12) << 8 | uint32_t(x * 6));
    const std::vector<uint8_t> file = platform::EncodeJpeg(image, 90).Value();
    const platform::Image whole = platform::DecodeJpeg(file).Value();
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(19, 11, kFormBack));
    EXPECT_THROW(form.SetPictureFile(std::span(file).first(file.size() / 8)), std::exception);
    form.SetPictureFile(file);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    const platform::Surface& s = Screen(env, form);
    for (int32_t y = 0; y < 11; ++y)
        for (int32_t x = 0; x < 19; ++x)
            ASSERT_EQ(s.Pixel(x, y), whole.pixels[y * 40 + x] & 0xFFFFFF) << x << "," << y;

    // The shortest start of the file whose first pixel decodes lacks the rest of what a form
    // of the picture's size shows: the form takes it, and shows its colour alone.
    size_t cut = 1;
    while (cut < file.size() &&
           platform::DecodeJpegTopLeft(std::span(file).first(cut), 1, 1).IsError())
        ++cut;
    ASSERT_LT(cut, file.size());
    Form large(env.system, DesignOfPixels(40, 20, kFormBack));
    large.SetPictureFile(std::span(file).first(cut));
    large.ShowForm();
    env.backend.ProcessUntilIdle();
    EXPECT_EQ(Screen(env, large).Pixels(), std::vector<uint32_t>(40 * 20, kFormBack));
}

// A form keeps no pixels of its own: every frame, and a hosted control's copy of its background,
// draws the form (colour, picture, light controls) where it is needed, the same each time.
TEST(FormPaintTest, AFormIsDrawnWhereverItsPixelsAreNeededAndKeepsNone) {
    FormTestEnv env;
    FormDesign design = DesignOfPixels(6, 4, kFormBack);
    const std::shared_ptr<const platform::Picture> picture = MakePicture(2, 1, {kRed, kGreen});
    design.picture = picture;
    Form form(env.system, design);
    design.picture.reset();
    Shape outline(form, {3, 1, 6, 4});
    outline.SetBorderColor(kWhite);
    const std::vector<uint32_t> want = {
        kRed,      kGreen, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack,
        kFormBack, kWhite, kWhite,    kWhite,    kFormBack, kFormBack, kFormBack, kWhite,
        kFormBack, kWhite, kFormBack, kFormBack, kFormBack, kWhite,    kWhite,    kWhite};
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    EXPECT_EQ(Screen(env, form).Pixels(), want);
    EXPECT_TRUE(form.DrawingSurface().Pixels().empty());
    EXPECT_EQ(picture.use_count(), 1);

    std::vector<std::string> log;
    ControlSite site(form, {1, 0, 5, 3}, std::make_unique<testing::FakeControl>(log),
                     AmbientProperties{}, ResourceTable{});
    platform::Surface copied(4, 3);
    static_cast<testing::FakeControl&>(site.Control())
        .container.parent->CopyParentArea({1, 0, 5, 3}, copied);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            ASSERT_EQ(copied.Pixel(x, y), want[size_t(y * 6 + x + 1)]) << x << "," << y;
}

TEST(FormPaintTest, PictureStripNaturalSizeAndStretched) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(8, 4, kFormBack));
    PictureStrip natural(form, {0, 0, 4, 2});
    natural.SetBackColor(kWhite);
    natural.SetPicture(MakePicture(2, 1, {kRed, kGreen}));
    PictureStrip stretched(form, {4, 0, 8, 2});
    stretched.SetPicture(MakePicture(2, 1, {kRed, kGreen}));
    stretched.SetStretched(true);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    const platform::Surface& s = Screen(env, form);
    const std::vector<uint32_t> want = {
        kRed,      kGreen,    kWhite,    kWhite,    kRed,      kRed,      kGreen,    kGreen,
        kWhite,    kWhite,    kWhite,    kWhite,    kRed,      kRed,      kGreen,    kGreen,
        kFormBack, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack,
        kFormBack, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack, kFormBack};
    EXPECT_EQ(s.Pixels(), want);
}

TEST(FormPaintTest, InvertingIconPixelsStayInvertingCroppedOrStretched) {
    // White inverts the left pixel of a 2 x 1 icon; the right one is red.
    platform::IconImage icon;
    icon.image = platform::Image{2, 1, {0, 0xFF000000 | kRed}, {kWhite, 0}};
    icon.bitCount = 24;
    const auto picture =
        platform::LoadPicture(platform::EncodeIconFile({&icon, 1}, false).Value()).Value();
    FormTestEnv env;
    {
        FormDesign design = DesignOfPixels(1, 1, kFormBack);
        design.picture = picture;
        Form cropped(env.system, design);
        cropped.ShowForm();
        env.backend.ProcessUntilIdle();
        EXPECT_EQ(Screen(env, cropped).Pixels(), std::vector<uint32_t>{kFormBack ^ kWhite});
    }
    Form form(env.system, DesignOfPixels(4, 1, kFormBack));
    PictureStrip stretched(form, {0, 0, 4, 1});
    stretched.SetBackColor(kGreen);
    stretched.SetPicture(picture);
    stretched.SetStretched(true);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    const std::vector<uint32_t> want = {kGreen ^ kWhite, kGreen ^ kWhite, kRed, kRed};
    EXPECT_EQ(Screen(env, form).Pixels(), want);
}

TEST(FormPaintTest, FormSettingsReachTheNativeWindow) {
    FormTestEnv env;
    FormDesign design = DesignOfPixels(399, 185, 0x00FF8080);
    design.caption = "Form2";
    design.bordered = false;
    design.centred = true;
    Form form(env.system, design);
    form.ShowForm();
    env.backend.ProcessUntilIdle();
    const auto* native = env.backend.Native(form.NativeId());
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->desc.title, "Form2");
    EXPECT_FALSE(native->desc.bordered);
    EXPECT_EQ(native->desc.position, (platform::Point{(640 - 399) / 2, (480 - 185) / 2}));
    EXPECT_EQ(native->desc.clientSize, (platform::Size{399, 185}));
    EXPECT_EQ(native->screen.Pixel(0, 0), 0x00FF8080u);
}

}  // namespace
}  // namespace forms
