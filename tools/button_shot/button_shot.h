#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "button/color_math.h"
#include "forms/container_user_control.h"
#include "platform/image/image.h"
#include "platform/objects/font_desc.h"

namespace button {

/// How the button is shown: pointer away, pointer over it, left button pressed over it, or
/// Enabled off.
enum class ShotState { Up, Lit, Down, Disabled };

/// One picture of a vbButton: its settings, its state and its surroundings. Colours left
/// empty keep a new instance's.
struct ShotOptions {
    int32_t buttonType = 14;
    int32_t width = 75;
    int32_t height = 25;
    std::string caption;
    platform::FontDesc font = DefaultFont();
    int32_t colorScheme = 1;
    std::optional<OleColor> backColor;
    std::optional<OleColor> backOver;
    std::optional<OleColor> foreColor;
    std::optional<OleColor> foreOver;
    std::optional<OleColor> maskColor;
    bool softBevel = false;
    int32_t specialEffect = 0;
    ShotState state = ShotState::Up;
    bool focus = false;
    bool showFocusRect = true;
    bool displayAsDefault = false;
    bool checked = false;
    platform::Color parentColor = 0xFF00FF;
    /// The parent shows a checkerboard of parentColor and white squares instead of one colour.
    bool parentPattern = false;
    forms::PicturePtr pictureNormal;
    forms::PicturePtr pictureOver;
    int32_t picturePosition = 0;
    bool useGreyscale = false;
    bool useMaskColor = true;
    /// The desktop's scale: the picture is the button's device pixels at it.
    double scale = 1;

    static platform::FontDesc DefaultFont();
};

/// The command line of button-shot: the options, then the output file.
struct ShotCommand {
    ShotOptions options;
    std::string outputPath;
};

/// Reads the arguments after the program name. Throws std::invalid_argument naming the
/// option for an unknown option, a missing or malformed value, or a missing output file.
ShotCommand ParseShotCommand(std::span<const std::string_view> args);

/// The usage text printed for a bad command line.
extern const char* const kShotUsage;

/// The side of one square of the parent's checkerboard, in pixels.
constexpr int32_t kPatternSquare = 4;

/// The parent's colour at (x, y) of the form's client area.
platform::Color ParentPixel(const ShotOptions& options, int32_t x, int32_t y);

/// Reads a BMP, ICO or JPEG file into a picture. Throws std::invalid_argument naming the
/// option when the file cannot be read or is not such a picture.
forms::PicturePtr ReadPictureFile(std::string_view option, const std::string& path);

/// Renders the button through a real host on a headless display: a form window painted in
/// the parent colour hosts it at the given size; its properties go through the setters; the
/// state comes from input through the window system (pointer moves and presses, keyboard
/// focus). The result is the button's rectangle cut from the form's composed picture, so
/// pixels outside the button's window shape show the parent. Opaque.
platform::Image RenderShot(const ShotOptions& options);

}  // namespace button
