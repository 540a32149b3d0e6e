#include "tools/style_gallery/style_gallery.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "button/looks.h"
#include "platform/gfx/rect_paint.h"
#include "platform/gfx/surface.h"
#include "platform/objects/picture.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "tools/button_shot/button_shot.h"

namespace button {
namespace {

constexpr platform::Color kSheet = 0xFFFFFF;
constexpr platform::Color kLabel = 0x000000;
constexpr platform::Color kHeading = 0x804000;
// The Transparent look's parent: grey and white squares, so the copied face can be seen.
constexpr platform::Color kPatternGrey = 0xC8C8C8;

constexpr int32_t kButtonWidth = 75;
constexpr int32_t kButtonHeight = 25;
constexpr int32_t kPictureButtonHeight = 50;
constexpr int32_t kPitchX = kButtonWidth + 6;
constexpr int32_t kPitchY = kButtonHeight + 6;
constexpr int32_t kSchemeGap = 14;
constexpr int32_t kMargin = 10;
constexpr int32_t kRowLabelWidth = 96;
constexpr int32_t kLabelHeight = 16;

struct StateColumn {
    const char* name;
    ShotState state;
    bool focus;
};
constexpr StateColumn kStates[] = {
    {"up", ShotState::Up, false},     {"lit", ShotState::Lit, false},
    {"down", ShotState::Down, false}, {"disabled", ShotState::Disabled, false},
    {"focused", ShotState::Up, true},
};
constexpr int32_t kStateCount = 5;
constexpr int32_t kSchemeCount = 4;

constexpr const char* kPositionNames[5] = {"0 left", "1 right", "2 above", "3 below", "4 behind"};

int32_t ColumnLeft(int32_t scheme, int32_t state) {
    return kMargin + kRowLabelWidth + scheme * (kStateCount * kPitchX + kSchemeGap) +
           state * kPitchX;
}

int32_t GridTop() {
    return kMargin + 2 * kLabelHeight;
}

int32_t RowTop(int32_t row) {
    return GridTop() + row * kPitchY;
}

// A 16 × 16 icon: a blue disc with a yellow centre on a transparent square.
forms::PicturePtr SampleIcon() {
    constexpr int32_t kSide = 16;
    platform::IconImage icon;
    icon.bitCount = 32;
    icon.image = platform::Image{kSide, kSide, std::vector<uint32_t>(kSide * kSide, 0)};
    for (int32_t y = 0; y < kSide; ++y) {
        for (int32_t x = 0; x < kSide; ++x) {
            const int32_t dx = 2 * x + 1 - kSide;
            const int32_t dy = 2 * y + 1 - kSide;
            const int32_t d2 = dx * dx + dy * dy;
            uint32_t& pixel = icon.image.pixels[static_cast<size_t>(y * kSide + x)];
            if (d2 <= 36) {
                pixel = 0xFF00E0FF;
            } else if (d2 <= kSide * kSide) {
                pixel = 0xFFC05010;
            }
        }
    }
    return platform::ValueOrThrow(
        platform::LoadPicture(platform::ValueOrThrow(platform::EncodeIconFile({&icon, 1}, false))));
}

void PutImage(platform::Surface& sheet, const platform::Image& image, int32_t left, int32_t top) {
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const uint32_t pixel = image.pixels[static_cast<size_t>(y * image.width + x)];
            sheet.SetPixel(left + x, top + y, pixel & 0xFFFFFF);
        }
    }
}

void Label(platform::Surface& sheet, const platform::Font& font, const std::string& text,
           platform::Rect rect, uint32_t align, platform::Color colour) {
    sheet.textColor = colour;
    platform::DrawText(
        sheet, font, text, rect,
        align | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextNoPrefix);
}

// The fonts of the sheet's labels and headings.
struct SheetFonts {
    std::shared_ptr<const platform::Font> label;
    std::shared_ptr<const platform::Font> heading;
};

SheetFonts LoadSheetFonts() {
    platform::FontDesc labelDesc;
    labelDesc.name = "Arial";
    labelDesc.sizeCy = 80000;
    platform::FontDesc headingDesc = labelDesc;
    headingDesc.SetBold(true);
    return {platform::LoadFont(labelDesc), platform::LoadFont(headingDesc)};
}

int32_t SheetWidth() {
    return ColumnLeft(kSchemeCount - 1, kStateCount - 1) + kButtonWidth + kMargin;
}

// The colour schemes' headings and their states' labels above the grid.
void DrawHeadings(platform::Surface& sheet, const SheetFonts& fonts) {
    for (int32_t scheme = 0; scheme < kSchemeCount; ++scheme) {
        const int32_t left = ColumnLeft(scheme, 0);
        const int32_t right = ColumnLeft(scheme, kStateCount - 1) + kButtonWidth;
        Label(sheet, *fonts.heading, "ColorScheme " + std::to_string(scheme + 1),
              {left, kMargin, right, kMargin + kLabelHeight}, platform::kTextCenter, kHeading);
        for (int32_t s = 0; s < kStateCount; ++s) {
            const int32_t x = ColumnLeft(scheme, s);
            Label(sheet, *fonts.label, kStates[s].name,
                  {x, kMargin + kLabelHeight, x + kButtonWidth, GridTop()}, platform::kTextCenter,
                  kLabel);
        }
    }
}

// One look's row of the grid, `row` rows below its top: its label, then a button in each
// state of each colour scheme.
void DrawLookRow(platform::Surface& sheet, const SheetFonts& fonts, const Look& look, int32_t row) {
    const auto type = static_cast<int32_t>(look.type);
    const int32_t top = RowTop(row);
    Label(sheet, *fonts.label, std::to_string(type) + " " + std::string(look.name),
          {kMargin, top, kMargin + kRowLabelWidth, top + kButtonHeight}, 0, kLabel);
    for (int32_t scheme = 0; scheme < kSchemeCount; ++scheme) {
        for (int32_t s = 0; s < kStateCount; ++s) {
            ShotOptions options;
            options.buttonType = type;
            options.caption = "Calc";
            options.colorScheme = scheme + 1;
            options.state = kStates[s].state;
            options.focus = kStates[s].focus;
            options.parentColor = kSheet;
            if (look.capturesParent) {
                options.parentColor = kPatternGrey;
                options.parentPattern = true;
            }
            PutImage(sheet, RenderShot(options), ColumnLeft(scheme, s), top);
        }
    }
}

platform::Image ImageOf(const platform::Surface& sheet) {
    platform::Image image{sheet.Width(), sheet.Height(), {}};
    image.pixels.reserve(sheet.Pixels().size());
    for (const platform::Color pixel : sheet.Pixels())
        image.pixels.push_back(0xFF000000u | pixel);
    return image;
}

}  // namespace

platform::Image RenderGallery() {
    const int32_t sheetWidth = SheetWidth();
    const std::span<const Look> looks = Looks();
    const auto lookCount = static_cast<int32_t>(looks.size());
    const int32_t pictureTop = RowTop(lookCount) + kLabelHeight;
    const int32_t sheetHeight = pictureTop + kPictureButtonHeight + kLabelHeight + kMargin;
    platform::Surface sheet(sheetWidth, sheetHeight, kSheet);

    const SheetFonts fonts = LoadSheetFonts();
    DrawHeadings(sheet, fonts);
    for (int32_t row = 0; row < lookCount; ++row)
        DrawLookRow(sheet, fonts, looks[static_cast<size_t>(row)], row);

    Label(sheet, *fonts.heading, "Pictures",
          {kMargin, pictureTop, kMargin + kRowLabelWidth, pictureTop + kPictureButtonHeight}, 0,
          kHeading);
    const forms::PicturePtr icon = SampleIcon();
    for (int32_t position = 0; position <= 4; ++position) {
        const int32_t x = ColumnLeft(0, position);
        ShotOptions options;
        options.buttonType = 14;
        options.caption = "Calc";
        options.height = kPictureButtonHeight;
        options.parentColor = kSheet;
        options.pictureNormal = icon;
        options.picturePosition = position;
        PutImage(sheet, RenderShot(options), x, pictureTop);
        const int32_t labelTop = pictureTop + kPictureButtonHeight;
        Label(sheet, *fonts.label, kPositionNames[position],
              {x, labelTop, x + kButtonWidth, labelTop + kLabelHeight}, platform::kTextCenter,
              kLabel);
    }
    return ImageOf(sheet);
}

platform::Image RenderLookSheet(int32_t buttonType) {
    platform::Surface sheet(SheetWidth(), RowTop(1) + kMargin, kSheet);
    const SheetFonts fonts = LoadSheetFonts();
    DrawHeadings(sheet, fonts);
    DrawLookRow(sheet, fonts, LookOf(buttonType), 0);
    return ImageOf(sheet);
}

}  // namespace button
