// Pixel tests of the looks of ButtonType 8 to 13, the picture and parent options of the
// button-shot code, and golden images of those looks in their states and of the style gallery.
//
// The golden images are made by the same code as the button-shot and style-gallery tools.
// After an intended change of a look, regenerate them by running the tests with
// TAVIK_UPDATE_GOLDEN=1 set in the environment, look at every changed image, and commit them.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "button/vb_button.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "platform/ui/keys.h"
#include "tests/button/styled_button.h"
#include "tests/support/golden.h"
#include "tests/support/pixels.h"
#include "tools/button_shot/button_shot.h"
#include "tools/style_gallery/style_gallery.h"

namespace button {
namespace {

using testsupport::CountOf;

TEST(HoverLooks, HoverFlatAndHoverClassicMatchWhileNotLit) {
    struct Case {
        const char* name;
        bool focus;
        bool disabled;
    };
    for (const Case c :
         {Case{"up", false, false}, Case{"focused", true, false}, Case{"disabled", false, true}}) {
        SCOPED_TRACE(c.name);
        StyledButton flat(8, 60, 24);
        StyledButton classic(12, 60, 24);
        for (StyledButton* b : {&flat, &classic}) {
            b->button->SetCaption("OK");
            if (c.focus) {
                // With focus rectangles shown the focus lights the button.
                b->button->SetShowFocusRect(false);
                b->GiveFocus();
                ASSERT_TRUE(b->button->HasFocusFlag());
                ASSERT_FALSE(b->button->IsLit());
            }
            if (c.disabled) b->button->SetEnabled(false);
        }
        EXPECT_EQ(flat.Pixels().Pixels(), classic.Pixels().Pixels());
        // Face and caption only: the edges keep the Face fill.
        const platform::Surface& s = flat.Pixels();
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{59, 23}, std::pair{30, 0},
                                   std::pair{0, 12}, std::pair{59, 12}, std::pair{30, 23}}) {
            EXPECT_EQ(s.Pixel(x, y), 0xC0C0C0u) << x << ", " << y;
        }
    }
}

TEST(HoverLooks, LitAndPressedEdges) {
    struct Case {
        int32_t type;
        bool press;
        Color top, top1, bottom1, bottom;  // rows 0, 1, h - 2 and h - 1 at the middle
    };
    // Scheme 3: Highlight white, Light 0xDFDFDF, Shadow 0x808080, DarkShadow black.
    const Case cases[] = {
        {8, false, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080},
        {8, true, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFFFF},
        {12, false, 0xFFFFFF, 0xDFDFDF, 0x808080, 0x000000},
        {12, true, 0x000000, 0x808080, 0xDFDFDF, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " press " << c.press);
        StyledButton b(c.type, 60, 24);
        if (c.press) {
            b.Press();
            ASSERT_EQ(b.button->LastDrawnState(), DrawnState::Down);
        } else {
            b.PointerOver();
            ASSERT_TRUE(b.button->IsLit());
        }
        const platform::Surface& s = b.Pixels();
        EXPECT_EQ(s.Pixel(30, 0), c.top);
        EXPECT_EQ(s.Pixel(0, 12), c.top);
        EXPECT_EQ(s.Pixel(30, 1), c.top1);
        EXPECT_EQ(s.Pixel(30, 22), c.bottom1);
        EXPECT_EQ(s.Pixel(30, 23), c.bottom);
        EXPECT_EQ(s.Pixel(59, 12), c.bottom);
    }
}

// Scheme 1 takes Accent from the desktop's highlight colour, red 10, green 36, blue 106.
TEST(AccentHoverLook, PressedWhileLitIsFilledWithTheLightenedAccent) {
    StyledButton b(9, 60, 24, 1);
    b.button->SetShowFocusRect(false);  // the press gives the focus: no frame inside the fill
    ASSERT_EQ(b.Colours().Accent, 0x6A240Au);
    b.Press();
    ASSERT_TRUE(b.button->IsLit());
    const platform::Surface& s = b.Pixels();
    EXPECT_EQ(s.Pixel(0, 0), 0x6A240Au);  // the accent frame
    EXPECT_EQ(s.Pixel(59, 23), 0x6A240Au);
    EXPECT_EQ(s.Pixel(1, 1), 0xB49184u);  // red 132, green 145, blue 180
    EXPECT_EQ(s.Pixel(58, 22), 0xB49184u);
    EXPECT_EQ(CountOf(s, 0xB49184), 58u * 22u);
}

TEST(AccentHoverLook, SchemeTwoPressFillsWithTheDarkenedAccentLight) {
    StyledButton b(9, 60, 24, 2);
    b.button->SetBackColor(0x404040);
    b.button->SetBackOver(0x808080);
    b.Press();
    // AccentLight is the Face of scheme 2, which a lit button takes from BackOver; a press
    // darkens it by 32 in every channel.
    EXPECT_EQ(b.Pixels().Pixel(10, 10), 0x606060u);
}

TEST(AccentHoverLook, LitBoxAndPressWithoutHover) {
    StyledButton b(9, 60, 24);  // scheme 3: Accent 0x800000, AccentLight 0xD1ADAD
    b.PointerOver();
    const platform::Surface& s = b.Pixels();
    EXPECT_EQ(s.Pixel(0, 0), 0x800000u);
    EXPECT_EQ(s.Pixel(59, 23), 0x800000u);
    EXPECT_EQ(s.Pixel(1, 1), 0xD1ADADu);
    EXPECT_EQ(s.Pixel(58, 22), 0xD1ADADu);

    // A press from the keyboard while the pointer is away: the caption and the frame only.
    StyledButton away(9, 60, 24);
    away.button->SetShowFocusRect(false);
    away.GiveFocus();
    int32_t space = platform::kKeySpace;
    away.button->OnKeyDown(space, 0);
    ASSERT_EQ(away.button->LastDrawnState(), DrawnState::Down);
    ASSERT_FALSE(away.button->IsLit());
    EXPECT_EQ(away.Pixels().Pixel(0, 0), 0x800000u);
    EXPECT_EQ(CountOf(away.Pixels(), 0xC0C0C0), 58u * 22u);
}

TEST(PictureOnlyLook, ShowsNoTextFrameOrFocus) {
    StyledButton b(10, 60, 24);
    b.button->SetCaption("WWW");
    const CaptionLook look = b.button->LastCaptionLook();
    EXPECT_EQ(CountOf(b.Pixels(), 0xC0C0C0), 60u * 24u);
    b.GiveFocus();
    EXPECT_EQ(CountOf(b.Pixels(), 0xC0C0C0), 60u * 24u);
    b.Press();
    EXPECT_EQ(CountOf(b.Pixels(), 0xC0C0C0), 60u * 24u);
    EXPECT_EQ(b.button->LastCaptionLook(), look);
}

TEST(PictureOnlyLook, ShowsThePicture) {
    StyledButton b(10, 60, 24);
    b.button->SetCaption("WWW");
    b.button->SetPictureNormal(ButtonHost::Icon16());
    EXPECT_EQ(CountOf(b.Pixels(), 0x0000FF), 16u * 16u);
    const platform::Point place = b.button->PicturePlace();
    EXPECT_EQ(b.Pixels().Pixel(place.x, place.y), 0x0000FFu);
}

TEST(OvalLook, OutlineOnlyWhileLitAndNoneWhenDisabled) {
    StyledButton b(13, 60, 30);
    const Palette p = b.Colours();
    EXPECT_EQ(CountOf(b.Pixels(), p.Face), 60u * 30u);
    b.PointerOver();
    for (const auto& [x, y] :
         {std::pair{30, 0}, std::pair{0, 15}, std::pair{59, 15}, std::pair{30, 29}}) {
        EXPECT_EQ(b.Pixels().Pixel(x, y), p.Shadow) << x << ", " << y;
    }

    StyledButton pressed(13, 60, 30);
    pressed.Press();
    EXPECT_EQ(pressed.Pixels().Pixel(30, 0), p.DarkShadow);
    EXPECT_EQ(pressed.Pixels().Pixel(30, 15), 0xA0A0A0u);  // Off(Face, -32)
    EXPECT_EQ(pressed.Pixels().Pixel(0, 0), p.Face);       // outside the ellipse

    // Disabled, even focused and lit: the Face fill and the disabled caption, no ellipse.
    StyledButton disabled(13, 60, 30);
    disabled.GiveFocus();
    disabled.PointerOver();
    disabled.button->SetEnabled(false);
    EXPECT_EQ(CountOf(disabled.Pixels(), p.Face), 60u * 30u);
    EXPECT_EQ(disabled.site->SiteWindow().Shape().has_value(), true);
}

// The focus lights the button like the pointer does, and adds nothing of its own.
TEST(OvalLook, NoFocusRectangle) {
    StyledButton focused(13, 60, 30);
    StyledButton pointed(13, 60, 30);
    focused.GiveFocus();
    pointed.PointerOver();
    ASSERT_TRUE(focused.button->HasFocusFlag());
    ASSERT_TRUE(focused.button->IsLit());
    EXPECT_EQ(focused.Pixels().Pixels(), pointed.Pixels().Pixels());
}

TEST(Looks, NoDisabledLookOfEightToThirteenShowsTheFocus) {
    for (const int32_t type : {8, 9, 10, 11, 12, 13}) {
        SCOPED_TRACE(type);
        StyledButton focused(type, 60, 30);
        StyledButton other(type, 60, 30);
        for (StyledButton* b : {&focused, &other}) {
            b->button->SetCaption("OK");
            b->button->SetEnabled(false);
        }
        focused.button->OnGotFocus();
        ASSERT_TRUE(focused.button->HasFocusFlag());
        EXPECT_EQ(focused.Pixels().Pixels(), other.Pixels().Pixels());
    }
}

// Golden images of looks 8 to 13 in every state, through the button-shot code path.
TEST(Looks, EightToThirteenMatchTheirGoldenImages) {
    const std::pair<const char*, ShotState> states[] = {
        {"up", ShotState::Up},      {"lit", ShotState::Lit},
        {"down", ShotState::Down},  {"disabled", ShotState::Disabled},
        {"focused", ShotState::Up},
    };
    for (int32_t type = 8; type <= 13; ++type) {
        for (const auto& [name, state] : states) {
            ShotOptions options;
            options.buttonType = type;
            options.caption = "Calc";
            options.state = state;
            options.focus = std::string_view(name) == "focused";
            // The Transparent look over a checkerboard shows what it copies.
            options.parentPattern = type == 11;
            testsupport::ExpectGoldenImage(
                "tests/golden/button/type" + std::to_string(type) + "_" + name + ".png",
                RenderShot(options));
        }
    }
}

TEST(StyleGallery, MatchesItsGoldenImage) {
    testsupport::ExpectGoldenImage("tests/golden/gallery.png", RenderGallery());
}

// The button-shot options of pictures and of the parent.
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.flush()) << path;
}

struct TempFile {
    explicit TempFile(const std::vector<uint8_t>& bytes)
        : path(testing::TempDir() + "style_more_" +
               testing::UnitTest::GetInstance()->current_test_info()->name()) {
        WriteFile(path, bytes);
    }
    ~TempFile() { std::remove(path.c_str()); }
    std::string path;
};

ShotCommand Parse(std::vector<std::string_view> args) {
    return ParseShotCommand(args);
}

TEST(ButtonShot, PictureAndParentOptions) {
    const platform::Image red{3, 2, std::vector<uint32_t>(6, 0xFF0000FF)};
    const TempFile bmp(platform::EncodeBmp24(red));
    const ShotCommand c =
        Parse({"--picture", bmp.path, "--picture-over", bmp.path, "--picture-position", "3",
               "--greyscale", "--no-mask-color", "--parent-pattern", "out.png"});
    ASSERT_NE(c.options.pictureNormal, nullptr);
    ASSERT_NE(c.options.pictureOver, nullptr);
    EXPECT_EQ(c.options.pictureNormal->Type(), platform::PictureType::Bitmap);
    EXPECT_EQ(c.options.picturePosition, 3);
    EXPECT_TRUE(c.options.useGreyscale);
    EXPECT_FALSE(c.options.useMaskColor);
    EXPECT_TRUE(c.options.parentPattern);
    EXPECT_EQ(c.outputPath, "out.png");

    const ShotCommand plain = Parse({"out.png"});
    EXPECT_EQ(plain.options.pictureNormal, nullptr);
    EXPECT_TRUE(plain.options.useMaskColor);
    EXPECT_FALSE(plain.options.useGreyscale);
    EXPECT_FALSE(plain.options.parentPattern);
}

TEST(ButtonShot, RejectsPicturesItCannotUse) {
    const platform::Image red{3, 2, std::vector<uint32_t>(6, 0xFF0000FF)};
    const TempFile png(platform::EncodePng(red));
    const TempFile broken(std::vector<uint8_t>{'B', 'M', 1, 2, 3});
    const std::string missing = testing::TempDir() + "style_more_no_such_file.bmp";
    for (const std::string& path : {png.path, broken.path, missing}) {
        SCOPED_TRACE(path);
        EXPECT_THROW(Parse({"--picture", path, "out.png"}), std::invalid_argument);
        EXPECT_THROW(Parse({"--picture-over", path, "out.png"}), std::invalid_argument);
    }
    EXPECT_THROW(Parse({"--picture", "out.png"}), std::invalid_argument);
    EXPECT_THROW(Parse({"--picture-position", "x", "out.png"}), std::invalid_argument);
}

// A picture given to button-shot is drawn: a 16 x 16 icon centred in a button without caption.
TEST(ButtonShot, DrawsThePicture) {
    ShotOptions options;
    options.buttonType = 10;
    options.width = 40;
    options.height = 30;
    options.pictureNormal = ButtonHost::Icon16();
    const platform::Image shot = RenderShot(options);
    size_t red = 0;
    for (const uint32_t pixel : shot.pixels)
        red += pixel == 0xFF0000FFu ? 1 : 0;
    EXPECT_EQ(red, 16u * 16u);
    EXPECT_EQ(shot.pixels[static_cast<size_t>(7 * 40 + 12)], 0xFF0000FFu);
}

// The Transparent look over the checkerboard parent shows it exactly in every state when it
// has no caption and no focus rectangle.
TEST(ButtonShot, TransparentOverThePatternShowsThePattern) {
    for (const ShotState state :
         {ShotState::Up, ShotState::Lit, ShotState::Down, ShotState::Disabled}) {
        ShotOptions options;
        options.buttonType = 11;
        options.width = 37;
        options.height = 21;
        options.parentColor = 0x336699;
        options.parentPattern = true;
        options.showFocusRect = false;
        options.state = state;
        const platform::Image shot = RenderShot(options);
        // The button's window sits 8 pixels into the form, where the pattern continues.
        for (int32_t y = 0; y < options.height; ++y) {
            for (int32_t x = 0; x < options.width; ++x) {
                ASSERT_EQ(shot.pixels[static_cast<size_t>(y * options.width + x)],
                          0xFF000000u | ParentPixel(options, 8 + x, 8 + y))
                    << "state " << static_cast<int>(state) << " at " << x << ", " << y;
            }
        }
    }
}

TEST(ButtonShot, ParentPatternIsACheckerboardOfTheColourAndWhite) {
    ShotOptions options;
    options.parentColor = 0x123456;
    EXPECT_EQ(ParentPixel(options, 5, 9), 0x123456u);
    options.parentPattern = true;
    EXPECT_EQ(ParentPixel(options, 0, 0), 0x123456u);
    EXPECT_EQ(ParentPixel(options, kPatternSquare - 1, kPatternSquare - 1), 0x123456u);
    EXPECT_EQ(ParentPixel(options, kPatternSquare, 0), 0xFFFFFFu);
    EXPECT_EQ(ParentPixel(options, 0, kPatternSquare), 0xFFFFFFu);
    EXPECT_EQ(ParentPixel(options, kPatternSquare, kPatternSquare), 0x123456u);
}

}  // namespace
}  // namespace button
