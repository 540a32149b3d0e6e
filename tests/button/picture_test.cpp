#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "button/color_math.h"
#include "button/vb_button.h"
#include "platform/gfx/copy_rect.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "platform/text/font_cache.h"
#include "tests/button/button_host.h"

namespace button {

namespace {

using platform::Rgb;

constexpr Color kGround = 0x123456;  // what the surface holds before a picture is drawn
constexpr Color kMask = 0xC0C0C0;

// A bitmap picture whose pixel (x, y) is colour(x, y).
PicturePtr Bitmap(int32_t w, int32_t h, const std::function<Color(int32_t, int32_t)>& colour) {
    platform::Image image{w, h, std::vector<uint32_t>(static_cast<size_t>(w * h))};
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x)
            image.pixels[y * w + x] = 0xFF000000 | colour(x, y);
    }
    return platform::LoadPicture(platform::EncodeBmp24(image).Value()).Value();
}

PicturePtr Solid(int32_t w, int32_t h, Color colour) {
    return Bitmap(w, h, [colour](int32_t, int32_t) { return colour; });
}

// A 32-bit icon whose pixel (x, y) is pixel(x, y), alpha included.
PicturePtr Icon(int32_t w, int32_t h, const std::function<uint32_t(int32_t, int32_t)>& pixel) {
    platform::IconImage icon;
    icon.image = platform::Image{w, h, std::vector<uint32_t>(static_cast<size_t>(w * h))};
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x)
            icon.image.pixels[y * w + x] = pixel(x, y);
    }
    icon.bitCount = 32;
    return platform::LoadPicture(platform::EncodeIconFile({&icon, 1}, false).Value()).Value();
}

// A 24-bit icon whose pixel (x, y) inverts what lies under it with invert(x, y), transparent
// where that is 0.
PicturePtr InvertingIcon(int32_t w, int32_t h,
                         const std::function<Color(int32_t, int32_t)>& invert) {
    platform::IconImage icon;
    icon.image = platform::Image{w, h, std::vector<uint32_t>(static_cast<size_t>(w * h)),
                                 std::vector<uint32_t>(static_cast<size_t>(w * h))};
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x)
            icon.image.invert[y * w + x] = invert(x, y);
    }
    icon.bitCount = 24;
    return platform::LoadPicture(platform::EncodeIconFile({&icon, 1}, false).Value()).Value();
}

std::string Hex(Color c) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", c);
    return text;
}

// A button loaded with its defaults and shown, 100 x 30 pixels.
struct PictureHost : ButtonHost {
    PictureHost() : ButtonHost(true, {10, 10, 110, 40}) {
        site->Load({});
        site->Show();
    }
    platform::Surface& Surface() { return site->DrawingSurface(); }
    Color At(int32_t x, int32_t y) { return Surface().Pixel(x, y); }
};

// A 100 x 30 surface that pictures are composited into.
struct Canvas {
    void Fill(Color colour) { surface = platform::Surface(100, 30, colour); }
    Color At(int32_t x, int32_t y) const { return surface.Pixel(x, y); }
    void Composite(int32_t x, int32_t y, int32_t w, int32_t h, const PicturePtr& picture,
                   const PictureInk& ink) {
        CompositePicture(surface, x, y, w, h, picture, kMask, useMaskColor, ink);
    }
    // Draws at (10, 5) over the ground colour and returns the pixel there.
    Color RenderOne(const PicturePtr& picture, const PictureInk& ink, Color ground = kGround) {
        Fill(ground);
        Composite(10, 5, picture->Width(), picture->Height(), picture, ink);
        return At(10, 5);
    }

    platform::Surface surface{100, 30, kGround};
    bool useMaskColor = true;
};

using Mode = PictureInk::Mode;
constexpr PictureInk kPlain{Mode::Plain, 0};
constexpr PictureInk kGreyscale{Mode::Greyscale, 0};
constexpr PictureInk kBlend{Mode::Blend, 0};

// ---- Compositing ----------------------------------------------------------------------------

TEST(CompositePicture, GreyscaleRoundsTheRedPartFirstThenTheSumHalvesToEven) {
    struct Case {
        Color picture;
        uint32_t grey;
    };
    const Case cases[] = {
        {Rgb(255, 255, 255), 254},
        {Rgb(255, 0, 0), 76},
        {Rgb(0, 255, 0), 150},
        {Rgb(0, 0, 255), 28},
        {Rgb(128, 128, 128), 128},
        {Rgb(0, 0, 0), 0},
        // 5 x 0.3 = 1.5 rounds to 2; 1 x 0.59 + 2 = 2.59 rounds to 3.
        {Rgb(5, 1, 0), 3},
    };
    Canvas canvas;
    for (const Case& c : cases) {
        const Color out = canvas.RenderOne(Solid(1, 1, c.picture), kGreyscale);
        EXPECT_EQ(out, Rgb(c.grey, c.grey, c.grey)) << Hex(c.picture);
    }
}

TEST(CompositePicture, BlendTakesTwoThirdsOfThePictureTruncated) {
    struct Case {
        Color picture, ground, out;
    };
    const Case cases[] = {
        {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(170, 170, 170)},
        {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(85, 85, 85)},
        // Per channel: (2 x 10 + 1) / 3 = 7, (2 x 200 + 100) / 3 = 166, (2 x 1 + 0) / 3 = 0.
        {Rgb(10, 200, 1), Rgb(1, 100, 0), Rgb(7, 166, 0)},
    };
    Canvas canvas;
    for (const Case& c : cases) {
        EXPECT_EQ(canvas.RenderOne(Solid(1, 1, c.picture), kBlend, c.ground), c.out)
            << Hex(c.picture) << " over " << Hex(c.ground);
    }
}

TEST(CompositePicture, CopyAndSilhouetteAndDarkOnlyThreshold) {
    Canvas canvas;
    const Color fill = Rgb(1, 2, 3);
    const PictureInk silhouette{Mode::Silhouette, fill};
    const PictureInk dark{Mode::DarkSilhouette, fill};
    EXPECT_EQ(canvas.RenderOne(Solid(1, 1, Rgb(9, 80, 200)), kPlain), Rgb(9, 80, 200));
    EXPECT_EQ(canvas.RenderOne(Solid(1, 1, Rgb(250, 250, 250)), silhouette), fill);
    // A dark silhouette draws a pixel whose channels sum to 384 and skips one summing to 385.
    EXPECT_EQ(canvas.RenderOne(Solid(1, 1, Rgb(128, 128, 128)), dark), fill);
    EXPECT_EQ(canvas.RenderOne(Solid(1, 1, Rgb(129, 128, 128)), dark), kGround);
    EXPECT_EQ(canvas.RenderOne(Solid(1, 1, Rgb(0, 0, 255)), dark), fill);
}

// One mask pixel at (0, 0) and one picture pixel at (1, 0) in every mode.
TEST(CompositePicture, MaskPixelsKeepTheBackgroundInEveryModeWhileUseMaskColorIsOn) {
    struct Case {
        const char* name;
        PictureInk ink;
        Color drawnMask;   // what the mask pixel becomes with UseMaskColor off
        Color drawnOther;  // what the other pixel becomes
    };
    const Color other = Rgb(30, 60, 90);
    const Color fill = Rgb(200, 10, 10);
    const Case cases[] = {
        {"copy", kPlain, kMask, other},
        {"greyscale", kGreyscale, Rgb(192, 192, 192), Rgb(54, 54, 54)},
        {"blend", kBlend, Rgb(156, 145, 134), Rgb(48, 57, 66)},
        {"silhouette", {Mode::Silhouette, fill}, fill, fill},
        // 0xC0C0C0 sums to 576: a dark silhouette skips it even when it is drawn.
        {"dark silhouette", {Mode::DarkSilhouette, fill}, kGround, fill},
    };
    const PicturePtr picture =
        Bitmap(2, 1, [&](int32_t x, int32_t) { return x == 0 ? kMask : other; });
    Canvas canvas;
    for (const bool useMask : {true, false}) {
        canvas.useMaskColor = useMask;
        for (const Case& c : cases) {
            canvas.Fill(kGround);
            canvas.Composite(10, 5, 2, 1, picture, c.ink);
            EXPECT_EQ(canvas.At(10, 5), useMask ? kGround : c.drawnMask) << c.name << useMask;
            EXPECT_EQ(canvas.At(11, 5), c.drawnOther) << c.name << useMask;
            EXPECT_EQ(canvas.At(12, 5), kGround) << c.name << useMask;
        }
    }
}

TEST(CompositePicture, APictureAllOfTheMaskColourLeavesTheFaceUnchanged) {
    Canvas canvas;
    canvas.Composite(3, 3, 8, 8, Solid(8, 8, kMask), {Mode::Silhouette, Rgb(1, 1, 1)});
    EXPECT_EQ(canvas.surface.Pixels(), platform::Surface(100, 30, kGround).Pixels());
}

TEST(CompositePicture, IconTransparencyTakesTheMaskColour) {
    // Left half opaque green, right half fully transparent, one half-transparent red pixel.
    const PicturePtr icon = Icon(4, 2, [](int32_t x, int32_t y) -> uint32_t {
        if (x == 3 && y == 1) return 0x800000FF;
        return x < 2 ? 0xFF00FF00 : 0x00FFFFFF;
    });
    ASSERT_EQ(icon->Type(), platform::PictureType::Icon);
    // Red at alpha 128 over the mask: (255 x 128 + 192 x 127 + 127) / 255 = 224, and
    // (0 x 128 + 192 x 127 + 127) / 255 = 96 for green and blue.
    const Color edge = Rgb(224, 96, 96);
    Canvas canvas;
    for (const bool useMask : {true, false}) {
        canvas.useMaskColor = useMask;
        canvas.Fill(kGround);
        canvas.Composite(20, 10, 4, 2, icon, kPlain);
        EXPECT_EQ(canvas.At(20, 10), Rgb(0, 255, 0));
        EXPECT_EQ(canvas.At(21, 11), Rgb(0, 255, 0));
        EXPECT_EQ(canvas.At(22, 10), useMask ? kGround : kMask) << useMask;
        EXPECT_EQ(canvas.At(23, 10), useMask ? kGround : kMask) << useMask;
        EXPECT_EQ(canvas.At(23, 11), edge) << useMask;
    }
}

TEST(CompositePicture, InvertingIconPixelsInvertTheBackgroundOrWithoutMaskTheMaskColour) {
    // White inverts: over the ground 0x123456 the picture pixel is 0xEDCBA9 (red 169, green 203,
    // blue 237). Without UseMaskColor the icon lies over the mask colour and gives 0x3F3F3F.
    struct Case {
        const char* name;
        PictureInk ink;
        Color withMask, withoutMask;
    };
    const Color fill = Rgb(200, 10, 10);
    const Case cases[] = {
        {"copy", kPlain, 0xEDCBA9, 0x3F3F3F},
        // 169 x 0.3 rounds to 51; 203 x 0.59 + 51 + 237 x 0.11 = 196.84 rounds to 197.
        {"greyscale", kGreyscale, Rgb(197, 197, 197), 0x3F3F3F},
        // (2 x 169 + 0x56) / 3 = 141, (2 x 203 + 0x34) / 3 = 152, (2 x 237 + 0x12) / 3 = 164.
        {"blend", kBlend, Rgb(141, 152, 164), Rgb(70, 59, 48)},
        {"silhouette", {Mode::Silhouette, fill}, fill, fill},
        // 169 + 203 + 237 is over 384: the dark silhouette leaves the ground.
        {"dark silhouette", {Mode::DarkSilhouette, fill}, kGround, fill},
    };
    const PicturePtr icon = InvertingIcon(1, 1, [](int32_t, int32_t) { return 0xFFFFFFu; });
    Canvas canvas;
    for (const bool useMask : {true, false}) {
        canvas.useMaskColor = useMask;
        for (const Case& c : cases) {
            EXPECT_EQ(canvas.RenderOne(icon, c.ink), useMask ? c.withMask : c.withoutMask)
                << c.name << useMask;
        }
    }
}

// At a desktop's scale an icon comes from the image of its file that serves its device size:
// at 2 the 64 x 64 image of a file of 32 and 64, each device pixel one of its pixels, its
// transparent half taking the mask colour (and so the background); a file with nothing larger
// shows its 32 x 32 image as blocks.
TEST(CompositePicture, ScaledIconsComeFromTheirFilesImageForTheDeviceSize) {
    const auto square = [](int32_t side, const std::function<uint32_t(int32_t)>& column) {
        platform::IconImage icon;
        icon.image = platform::Image{side, side, {}};
        for (int32_t y = 0; y < side; ++y)
            for (int32_t x = 0; x < side; ++x)
                icon.image.pixels.push_back(column(x));
        icon.bitCount = 32;
        return icon;
    };
    const platform::IconImage images[] = {
        square(32, [](int32_t) { return 0xFF0000FFu; }),
        square(64, [](int32_t x) { return x < 32 ? 0xFF00FF00u : 0x00FF0000u; }),
    };
    const PicturePtr twoSizes =
        platform::LoadPicture(platform::EncodeIconFile(images, false).Value()).Value();
    const PicturePtr oneSize =
        platform::LoadPicture(platform::EncodeIconFile({images, 1}, false).Value()).Value();
    for (const auto& [picture, left, right] :
         {std::tuple{twoSizes, Color{0x00FF00}, kGround},
          std::tuple{oneSize, Color{0x0000FF}, Color{0x0000FF}}}) {
        platform::Surface surface(40, 40, kGround, {platform::DeviceScale::FromFactor(2), {}});
        CompositePicture(surface, 4, 4, 32, 32, picture, kMask, true, kPlain);
        EXPECT_EQ(surface.Row(8)[7], kGround);
        EXPECT_EQ(surface.Row(8)[8], left);
        EXPECT_EQ(surface.Row(71)[39], left);
        EXPECT_EQ(surface.Row(71)[40], right);
        EXPECT_EQ(surface.Row(8)[71], right);
        EXPECT_EQ(surface.Row(8)[72], kGround);
    }
}

TEST(CompositePicture, OddWidthsKeepEveryPixelInItsPlace) {
    Canvas canvas;
    for (const int32_t w : {1, 2, 3, 5, 7, 9}) {
        for (const int32_t h : {1, 3, 4}) {
            auto colour = [](int32_t x, int32_t y) { return Rgb(x * 25 + 1, y * 40 + 3, 99); };
            canvas.Fill(kGround);
            canvas.Composite(31, 7, w, h, Bitmap(w, h, colour), kPlain);
            for (int32_t y = -1; y <= h; ++y) {
                for (int32_t x = -1; x <= w; ++x) {
                    const bool inside = x >= 0 && y >= 0 && x < w && y < h;
                    ASSERT_EQ(canvas.At(31 + x, 7 + y), inside ? colour(x, y) : kGround)
                        << w << "x" << h << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(CompositePicture, PartlyOffTheSurfaceDrawsTheVisiblePartInPlace) {
    Canvas canvas;
    auto colour = [](int32_t x, int32_t y) { return Rgb(x * 30, y * 30, 7); };
    canvas.Composite(-2, -1, 5, 3, Bitmap(5, 3, colour), kPlain);
    EXPECT_EQ(canvas.At(0, 0), colour(2, 1));
    EXPECT_EQ(canvas.At(2, 1), colour(4, 2));
    EXPECT_EQ(canvas.At(3, 0), kGround);
    // The blend reads what lies under the picture at its own place.
    canvas.Fill(Rgb(0, 0, 0));
    canvas.surface.SetPixel(98, 29, Rgb(255, 255, 255));
    canvas.Composite(97, 28, 4, 4, Solid(4, 4, Rgb(0, 0, 0)), kBlend);
    EXPECT_EQ(canvas.At(98, 29), Rgb(85, 85, 85));
    EXPECT_EQ(canvas.At(99, 29), Rgb(0, 0, 0));
}

// Each pixel of a picture larger than the surface is the one a surface holding it whole shows,
// also in a layout of 2^20 x 2^20 (black or the mask colour beyond the picture) that no buffer
// of the layout's size could hold.
TEST(CompositePicture, ASmallSurfaceShowsWhatAWholeCompositionShowsThere) {
    const PicturePtr pictures[] = {
        Bitmap(40, 30, [](int32_t x, int32_t y) { return x % 7 ? Rgb(x * 6, y * 8, 77) : kMask; }),
        Icon(40, 30, [](int32_t x, int32_t y) { return (x * 9u + y * 17u) << 24 | (x * 5 + y); }),
        InvertingIcon(40, 30, [](int32_t x, int32_t y) { return (x + y) % 3 ? 0u : 0xFF8040u; })};
    // Where the small surface lies on the whole one, and the height of the layout.
    const std::array<int32_t, 3> places[] = {{33, 26, 45}, {60, 48, 1 << 20}, {10, 5, 1 << 20}};
    for (const PicturePtr& picture : pictures) {
        for (const PictureInk ink :
             {kPlain, kGreyscale, kBlend, PictureInk{Mode::DarkSilhouette, 9}}) {
            for (const bool useMask : {true, false}) {
                platform::Surface whole(80, 60, kGround), expected(20, 12);
                CompositePicture(whole, 20, 15, 60, 45, picture, kMask, useMask, ink);
                for (const auto [x, y, layout] : places) {
                    platform::Surface part(20, 12, kGround);
                    CompositePicture(part, 20 - x, 15 - y, layout + 15, layout, picture, kMask,
                                     useMask, ink);
                    platform::CopyRect(expected, {0, 0}, whole, {x, y, x + 20, y + 12});
                    EXPECT_EQ(part.Pixels(), expected.Pixels()) << x << "," << y << " " << layout;
                }
            }
        }
    }
}

TEST(CompositePicture, AnEmptyRectangleDrawsNothing) {
    Canvas canvas;
    const PicturePtr picture = Solid(4, 4, Rgb(1, 2, 3));
    canvas.Composite(5, 5, 0, 4, picture, kPlain);
    canvas.Composite(5, 5, 4, 0, picture, {Mode::Silhouette, 7});
    EXPECT_EQ(canvas.surface.Pixels(), platform::Surface(100, 30, kGround).Pixels());
}

// ---- Size and place -------------------------------------------------------------------------

// A drawing surface of its own at another resolution than the site's.
class SurfaceAt final : public forms::ControlSurface {
  public:
    explicit SurfaceAt(int32_t pixelsPerInch) : pixelsPerInch_(pixelsPerInch) {}

    platform::Surface& DrawingSurface() override { return surface_; }
    void ClearSurface() override { surface_.Resize(surface_.Width(), surface_.Height()); }
    void RepaintNow() override {}
    int32_t PixelsPerInch() const override { return pixelsPerInch_; }

  private:
    platform::Surface surface_;
    int32_t pixelsPerInch_;
};

TEST(MeasurePicture, PixelsOfTheHimetricSizeAndNoneWithoutAPicture) {
    PictureHost host;
    host.button->SetPictureNormal(Solid(20, 16, 0));
    EXPECT_EQ(host.button->PictureSize(), (platform::Point{20, 16}));
    host.button->SetPictureNormal(Solid(75, 1, 0));
    EXPECT_EQ(host.button->PictureSize(), (platform::Point{75, 1}));
    host.button->SetPictureNormal(nullptr);
    EXPECT_EQ(host.button->PictureSize(), (platform::Point{0, 0}));
    // PictureOver has no size of its own.
    host.button->SetPictureOver(Solid(9, 9, 0));
    EXPECT_EQ(host.button->PictureSize(), (platform::Point{0, 0}));
}

TEST(MeasurePicture, RoundsHalvesToEven) {
    // At 254 dots per inch a pixel is 10 HIMETRIC: 7 px = 185 HIMETRIC -> 18.5 -> 18, 24 px =
    // 635 -> 63.5 -> 64, 10 px = 265 -> 26.5 -> 26, 55 px = 1455 -> 145.5 -> 146.
    PictureHost host;
    SurfaceAt surfaceAt254(254);
    forms::ControlContainer at254 = host.site->Container();
    at254.surface = &surfaceAt254;
    vbButton button;
    button.OnCreate(at254);
    button.OnInitNew();
    button.SetPictureNormal(Solid(7, 24, 0));
    EXPECT_EQ(button.PictureSize(), (platform::Point{18, 64}));
    button.SetPictureNormal(Solid(10, 55, 0));
    EXPECT_EQ(button.PictureSize(), (platform::Point{26, 146}));
    button.OnDestroy();
}

TEST(PlacePicture, BesideAboveBelowOrCentred) {
    struct Case {
        int32_t position;
        const char* caption;
        platform::Point place;
    };
    const Rect captionRect{40, 9, 80, 22};
    const Case cases[] = {
        {0, "Open", {20, 7}},
        {1, "Open", {84, 7}},
        {2, "Open", {42, -9}},
        {3, "Open", {42, 24}},
        {4, "Open", {42, 7}},
        {0, "   ", {42, 7}},
        {1, "   ", {42, 7}},
        {2, " ", {42, 7}},
        {3, "", {42, 7}},
        {5, "   ", {42, 7}},
        {-1, "", {42, 7}},
        // Other positions lie centred, as 4 does.
        {5, "Open", {42, 7}},
        {-1, "Open", {42, 7}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            PlacePicture(c.caption, captionRect, 100, 30, {16, 16}, PictureSideOf(c.position)),
            c.place)
            << c.position << " '" << c.caption << "'";
    }
}

TEST(PlacePicture, OddSizesTruncateAndNoPictureLeavesThePlace) {
    // A picture larger than the button: (10 - 15) / 2 truncates toward zero to -2.
    EXPECT_EQ(PlacePicture("", {}, 10, 9, {15, 14}, PictureSide::Left), (platform::Point{-2, -2}));
    PictureHost host;
    host.button->SetPictureNormal(Solid(16, 16, 0));
    const platform::Point placed = host.button->PicturePlace();
    host.button->SetPictureNormal(nullptr);
    host.button->SetCaption("Go");
    EXPECT_EQ(host.button->PicturePlace(), placed);
    // PictureOver alone is enough to be placed, in the size measured for PictureNormal (none).
    host.button->SetPictureOver(Solid(4, 4, 0));
    host.button->SetCaption("Go!");
    EXPECT_EQ(host.button->PicturePlace(),
              (platform::Point{host.button->CaptionRect().left - 4, 15}));
}

TEST(PlacePicture, SettingAPictureOnABlankCaptionCentresIt) {
    PictureHost host;
    host.button->SetCaption("    ");
    for (const int32_t position : {0, 1, 2, 3}) {
        host.button->SetPicturePosition(position);
        host.button->SetPictureNormal(Solid(16, 10, 0));
        EXPECT_EQ(host.button->PicturePlace(), (platform::Point{42, 10})) << position;
    }
}

// ---- Looks ----------------------------------------------------------------------------------

// A 4 x 4 picture placed at (20, 10) over the ground colour, drawn by the painter for one
// look and situation; the palette is a loaded button's for the look and colour scheme.
struct LookHost {
    static constexpr int32_t kX = 20, kY = 10, kSide = 4;
    struct Look {
        int32_t buttonType = 2;
        bool hover = false;
        int32_t specialEffect = 0;
        int32_t colorScheme = 1;
        bool useGreyscale = false;
        bool useMaskColor = true;
    };
    void Draw(const Look& look, Situation situation, PicturePtr normal, PicturePtr over = nullptr) {
        button.button->SetButtonType(look.buttonType);
        button.button->SetColorScheme(look.colorScheme);
        PaintInput input;
        input.look = &LookOf(look.buttonType);
        input.situation = situation;
        input.width = 100;
        input.height = 30;
        input.palette = button.button->CurrentPalette();
        input.lit = look.hover;
        input.ownColours = look.colorScheme == 2;
        input.effect = CaptionEffectOf(look.specialEffect);
        input.picture = {std::move(normal), std::move(over),  {kX, kY}, {kSide, kSide}, false,
                         look.useMaskColor, look.useGreyscale};
        surface = platform::Surface(100, 30, kGround);
        Painter(surface, input).DrawPicture();
    }
    const Palette& Colours() { return button.button->CurrentPalette(); }
    Color At(int32_t x, int32_t y) const { return surface.Pixel(x, y); }
    // The colour of the picture's rectangle moved by (dx, dy), when it is one colour.
    ::testing::AssertionResult Square(int32_t dx, int32_t dy, Color colour) const {
        for (int32_t y = 0; y < kSide; ++y) {
            for (int32_t x = 0; x < kSide; ++x) {
                const Color got = At(kX + dx + x, kY + dy + y);
                if (got != colour) {
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is "
                                                         << Hex(got) << " not " << Hex(colour);
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    PictureHost button;
    platform::Surface surface{100, 30, kGround};
};

const Color kRed = Rgb(255, 0, 0);
const Color kBlue = Rgb(0, 0, 255);

TEST(DrawPicture, NothingWithoutPictureNormalEvenWithPictureOver) {
    LookHost host;
    for (const Situation situation : {Situation::Up, Situation::Down, Situation::Disabled}) {
        for (const bool hover : {false, true}) {
            host.Draw({.buttonType = 2, .hover = hover, .specialEffect = 1}, situation, nullptr,
                      Solid(4, 4, kBlue));
            for (const Color c : host.surface.Pixels())
                ASSERT_EQ(c, kGround) << static_cast<int>(situation) << hover;
        }
    }
}

TEST(DrawPicture, AHostedButtonWithOnlyPictureOverLooksAsWithNoPicture) {
    PictureHost plain;
    PictureHost withOver;
    withOver.button->SetPictureOver(Solid(16, 16, kBlue));
    withOver.button->SetValue(true);
    withOver.button->SetValue(false);
    EXPECT_EQ(withOver.Surface().Pixels(), plain.Surface().Pixels());
}

TEST(DrawPicture, UpWithTheHoverFlagOff) {
    LookHost host;
    host.Draw({.buttonType = 2}, Situation::Up, Solid(4, 4, kRed));
    EXPECT_TRUE(host.Square(0, 0, kRed));
    EXPECT_EQ(host.At(LookHost::kX + 4, LookHost::kY), kGround);
    host.Draw({.buttonType = 2, .useGreyscale = true}, Situation::Up, Solid(4, 4, kRed));
    EXPECT_TRUE(host.Square(0, 0, Rgb(76, 76, 76)));
    // Lit, the greyscale picture shows its colours.
    host.Draw({.buttonType = 2, .hover = true, .useGreyscale = true}, Situation::Up,
              Solid(4, 4, kRed));
    EXPECT_TRUE(host.Square(0, 0, kRed));
    // ButtonType 9 blends the picture into the face: (2 x 255 + 0x56) / 3 = 198 red.
    host.Draw({.buttonType = 9}, Situation::Up, Solid(4, 4, kRed));
    EXPECT_TRUE(host.Square(0, 0, Rgb(198, 0x34 / 3, 0x12 / 3)));
}

TEST(DrawPicture, AnInvertingIconInvertsTheFaceUnderIt) {
    PictureHost plain;
    PictureHost inverted;
    plain.button->SetPictureNormal(Icon(16, 16, [](int32_t, int32_t) { return 0u; }));
    // White inverts the top-left quarter; the rest is transparent.
    auto inverts = [](int32_t x, int32_t y) { return x < 8 && y < 8; };
    inverted.button->SetPictureNormal(InvertingIcon(
        16, 16, [&](int32_t x, int32_t y) { return inverts(x, y) ? 0xFFFFFFu : 0u; }));
    const platform::Point at = inverted.button->PicturePlace();
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            const Color under = plain.At(at.x + x, at.y + y);
            ASSERT_EQ(inverted.At(at.x + x, at.y + y), inverts(x, y) ? under ^ 0xFFFFFF : under)
                << x << "," << y;
        }
    }
}

TEST(DrawPicture, UpLitButtonType9LiftsThePictureAboveItsShadow) {
    LookHost host;
    host.Draw({.buttonType = 9, .hover = true}, Situation::Up, Solid(4, 4, kRed),
              Solid(4, 4, kBlue));
    const Color shadow = host.Colours().Shadow;
    ASSERT_NE(shadow, kGround);
    EXPECT_TRUE(host.Square(-1, -1, kRed)) << "the picture one pixel up-left";
    // The shadow, one pixel down-right of the picture's own place, shows two pixels wide
    // below and right of the lifted picture.
    for (int32_t i = 1; i <= 4; ++i) {
        EXPECT_EQ(host.At(LookHost::kX + 3, LookHost::kY + i), shadow) << i;
        EXPECT_EQ(host.At(LookHost::kX + 4, LookHost::kY + i), shadow) << i;
        EXPECT_EQ(host.At(LookHost::kX + i, LookHost::kY + 3), shadow) << i;
        EXPECT_EQ(host.At(LookHost::kX + i, LookHost::kY + 4), shadow) << i;
    }
    EXPECT_EQ(host.At(LookHost::kX + 3, LookHost::kY), kGround);
    EXPECT_EQ(host.At(LookHost::kX, LookHost::kY + 3), kGround);
    EXPECT_EQ(host.At(LookHost::kX + 5, LookHost::kY + 5), kGround);
}

TEST(DrawPicture, UpLitShowsPictureOverWhenThereIsOne) {
    LookHost host;
    host.Draw({.buttonType = 2, .hover = true}, Situation::Up, Solid(4, 4, kRed),
              Solid(4, 4, kBlue));
    EXPECT_TRUE(host.Square(0, 0, kBlue));
    host.Draw({.buttonType = 2, .hover = true}, Situation::Up, Solid(4, 4, kRed));
    EXPECT_TRUE(host.Square(0, 0, kRed));
}

TEST(DrawPicture, PressedPlaces) {
    struct Case {
        int32_t buttonType;
        bool withOver;
        int32_t shift;
        Color colour;
    };
    const Case cases[] = {
        {2, true, 1, kBlue},  {5, true, 0, kBlue}, {9, true, 0, kRed},  {2, false, 1, kRed},
        {14, false, 1, kRed}, {5, false, 0, kRed}, {9, false, 0, kRed},
    };
    LookHost host;
    for (const Case& c : cases) {
        host.Draw({.buttonType = c.buttonType}, Situation::Down, Solid(4, 4, kRed),
                  c.withOver ? Solid(4, 4, kBlue) : nullptr);
        EXPECT_TRUE(host.Square(c.shift, c.shift, c.colour)) << c.buttonType << c.withOver;
        const int32_t other = c.shift == 0 ? 4 : 0;
        EXPECT_EQ(host.At(LookHost::kX + other, LookHost::kY + other), kGround)
            << c.buttonType << c.withOver;
    }
}

TEST(DrawPicture, PressedWithPictureOverDrawsNoEffectCopies) {
    LookHost host;
    host.Draw({.buttonType = 2, .specialEffect = 1}, Situation::Down, Solid(4, 4, kRed),
              Solid(4, 4, kBlue));
    EXPECT_EQ(host.At(LookHost::kX, LookHost::kY), kGround);
    EXPECT_EQ(host.At(LookHost::kX + 5, LookHost::kY + 5), kGround);
    host.Draw({.buttonType = 2, .specialEffect = 1}, Situation::Down, Solid(4, 4, kRed));
    EXPECT_NE(host.At(LookHost::kX, LookHost::kY), kGround);
    EXPECT_NE(host.At(LookHost::kX + 5, LookHost::kY + 5), kGround);
}

// A picture with a dark left half (sum 384) and a light right half (sum 385).
PicturePtr DarkAndLight() {
    return Bitmap(
        4, 4, [](int32_t x, int32_t) { return x < 2 ? Rgb(128, 128, 128) : Rgb(129, 128, 128); });
}

TEST(DrawPicture, DisabledLooks) {
    LookHost host;
    // Type 3: greyscale one pixel down-right.
    host.Draw({.buttonType = 3}, Situation::Disabled, Solid(4, 4, kRed));
    EXPECT_TRUE(host.Square(1, 1, Rgb(76, 76, 76)));
    EXPECT_EQ(host.At(LookHost::kX, LookHost::kY), kGround);

    for (const int32_t type : {5, 6, 9}) {
        host.Draw({.buttonType = type}, Situation::Disabled, DarkAndLight());
        const Palette& p = host.Colours();
        const Color ink = type == 9 ? OffsetColor(p.Shadow, 13, Shift::Even, false) : p.Shadow;
        for (int32_t y = 0; y < 4; ++y) {
            for (int32_t x = 0; x < 5; ++x) {
                EXPECT_EQ(host.At(LookHost::kX + x, LookHost::kY + y), x < 2 ? ink : kGround)
                    << type << " at " << x << "," << y;
            }
        }
    }

    // Engraved: light copy down-right under the dark one, dark pixels only.
    for (const int32_t type : {1, 2, 14}) {
        host.Draw({.buttonType = type}, Situation::Disabled, DarkAndLight());
        const Palette& p = host.Colours();
        ASSERT_NE(p.Highlight, p.Shadow);
        const Color row[] = {p.Shadow, p.Shadow, p.Highlight, kGround, kGround};
        for (int32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(host.At(LookHost::kX + x, LookHost::kY + 1), row[x]) << type << " " << x;
        }
        EXPECT_EQ(host.At(LookHost::kX + 1, LookHost::kY + 4), p.Highlight) << type;
        EXPECT_EQ(host.At(LookHost::kX, LookHost::kY - 1), kGround) << type;
    }
}

TEST(DrawPictureEffect, RaisedSunkenAndShadowedRims) {
    struct Case {
        int32_t buttonType;
        int32_t specialEffect;
        bool hover;
        int32_t colorScheme;
        Situation situation;
        int32_t offset;
        Color Palette::*base;
    };
    const Case cases[] = {
        {2, 1, false, 1, Situation::Up, 0, &Palette::Face},
        {2, 2, false, 1, Situation::Up, 0, &Palette::Face},
        {2, 3, false, 1, Situation::Up, 0, &Palette::Face},
        {3, 1, false, 1, Situation::Up, 0, &Palette::FaceShade},
        {2, 1, false, 1, Situation::Down, 1, &Palette::Face},
        {3, 2, false, 1, Situation::Down, 1, &Palette::FaceShade},
        {9, 1, true, 1, Situation::Up, -1, &Palette::AccentLight},
        {9, 2, true, 3, Situation::Up, -1, &Palette::AccentLight},
        {9, 1, true, 2, Situation::Up, -1, &Palette::Face},
        {3, 1, true, 1, Situation::Up, 0, &Palette::FaceShade},
    };
    LookHost host;
    for (const Case& c : cases) {
        host.Draw({.buttonType = c.buttonType,
                   .hover = c.hover,
                   .specialEffect = c.specialEffect,
                   .colorScheme = c.colorScheme},
                  c.situation, Solid(4, 4, kRed));
        const Color base = host.Colours().*c.base;
        const bool sunken = c.specialEffect == 2;
        const Color below = OffsetColor(base, sunken ? 40 : -40, Shift::Even, false);
        const Color above = OffsetColor(base, sunken ? -40 : 40, Shift::Even, false);
        const bool both = c.specialEffect == 1 || sunken;
        const int32_t o = c.offset;
        // The lower copy's bottom-right corner and the upper copy's top-left corner stick out;
        // a lifted picture's shadow covers the lower copy.
        const Color corner = o == -1 ? host.Colours().Shadow : below;
        EXPECT_EQ(host.At(LookHost::kX + 4 + o, LookHost::kY + 4 + o), corner)
            << c.buttonType << " effect " << c.specialEffect;
        EXPECT_EQ(host.At(LookHost::kX - 1 + o, LookHost::kY - 1 + o), both ? above : kGround)
            << c.buttonType << " effect " << c.specialEffect;
    }
}

TEST(DrawPictureEffect, NoneWithoutAnEffectAndSilhouettesTakeTheMask) {
    LookHost host;
    host.Draw({.buttonType = 2, .specialEffect = 0}, Situation::Up, Solid(4, 4, kRed));
    EXPECT_EQ(host.At(LookHost::kX + 4, LookHost::kY + 4), kGround);
    EXPECT_EQ(host.At(LookHost::kX - 1, LookHost::kY - 1), kGround);
    host.Draw({.buttonType = 2, .specialEffect = -1}, Situation::Up, Solid(4, 4, kRed));
    EXPECT_EQ(host.At(LookHost::kX + 4, LookHost::kY + 4), kGround);
    // A picture of the mask colour casts no rims either; without UseMaskColor it does.
    host.Draw({.buttonType = 2, .specialEffect = 1}, Situation::Up, Solid(4, 4, kMask));
    EXPECT_EQ(host.At(LookHost::kX + 4, LookHost::kY + 4), kGround);
    EXPECT_EQ(host.At(LookHost::kX, LookHost::kY), kGround);
    host.Draw({.buttonType = 2, .specialEffect = 1, .useMaskColor = false}, Situation::Up,
              Solid(4, 4, kMask));
    EXPECT_EQ(host.At(LookHost::kX + 4, LookHost::kY + 4),
              OffsetColor(host.Colours().Face, -40, Shift::Even, false));
    EXPECT_TRUE(host.Square(0, 0, kMask));
}

// The painter draws the caption over a picture that lies behind it, and only then.
TEST(DrawPicture, ACentredPictureHasTheCaptionDrawnOverIt) {
    PictureHost host;
    host.button->SetCaption("WWW");
    host.button->SetPicturePosition(4);
    host.button->SetPictureNormal(Solid(90, 24, kBlue));
    const platform::Point at = host.button->PicturePlace();
    // Pixels of the picture's rectangle that the caption has painted over.
    auto textOverPicture = [&](const platform::Surface& surface) {
        int32_t count = 0;
        for (int32_t y = at.y; y < at.y + 24; ++y) {
            for (int32_t x = at.x; x < at.x + 90; ++x)
                count += surface.Pixel(x, y) != kBlue;
        }
        return count;
    };
    EXPECT_GT(textOverPicture(host.Surface()), 10);
    PaintInput input;
    input.look = &LookOf(host.button->ButtonType());
    input.width = 100;
    input.height = 30;
    input.palette = host.button->CurrentPalette();
    input.caption.text = host.button->Caption();
    input.caption.font = platform::LoadFont(host.button->Font());
    input.caption.rect = host.button->CaptionRect();
    input.picture = {host.button->PictureNormal(), nullptr, at, {90, 24}, true};
    for (const bool behind : {true, false}) {
        input.picture.behindCaption = behind;
        platform::Surface surface(100, 30, kGround);
        Painter(surface, input).Paint();
        EXPECT_EQ(textOverPicture(surface) > 10, behind);
        EXPECT_EQ(textOverPicture(surface) == 0, !behind);
    }
}

}  // namespace
}  // namespace button
