#include "tools/button_shot/button_shot.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "button/vb_button.h"
#include "forms/control_site.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "platform/ui/window_system.h"

namespace button {
namespace {

// Where the button sits on its form, in the form's client pixels. The form is placed away
// from the screen origin, where the pointer starts.
constexpr int32_t kMargin = 8;
constexpr platform::Point kFormOrigin{40, 40};

int32_t ParseInt(std::string_view option, std::string_view text) {
    try {
        size_t used = 0;
        const std::string s(text);
        const long value = std::stol(s, &used, 10);
        if (used != s.size()) throw std::invalid_argument("trailing characters");
        return static_cast<int32_t>(value);
    } catch (const std::exception&) {
        throw std::invalid_argument(std::string(option) + ": not an integer: " + std::string(text));
    }
}

// A colour written in hexadecimal, with or without 0x: 0xBBGGRR or 0x800000nn.
uint32_t ParseColour(std::string_view option, std::string_view text) {
    try {
        size_t used = 0;
        const std::string s(text);
        const unsigned long value = std::stoul(s, &used, 16);
        if (used != s.size() || value > 0xFFFFFFFFul) throw std::invalid_argument("bad colour");
        return static_cast<uint32_t>(value);
    } catch (const std::exception&) {
        throw std::invalid_argument(std::string(option) + ": not a colour: " + std::string(text));
    }
}

// FACE,PT[,bold][,italic][,underline]
platform::FontDesc ParseFont(std::string_view text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (parts.size() < 2 || parts[0].empty()) {
        throw std::invalid_argument("--font: expected FACE,PT[,bold][,italic][,underline]");
    }
    platform::FontDesc font = ShotOptions::DefaultFont();
    font.name = parts[0];
    try {
        size_t used = 0;
        const double points = std::stod(parts[1], &used);
        if (used != parts[1].size() || !(points > 0)) throw std::invalid_argument("size");
        font.sizeCy = std::llround(points * 10000.0);
    } catch (const std::exception&) {
        throw std::invalid_argument("--font: not a point size: " + parts[1]);
    }
    for (size_t i = 2; i < parts.size(); ++i) {
        if (parts[i] == "bold") {
            font.SetBold(true);
        } else if (parts[i] == "italic") {
            font.italic = true;
        } else if (parts[i] == "underline") {
            font.underline = true;
        } else {
            throw std::invalid_argument("--font: unknown attribute: " + parts[i]);
        }
    }
    return font;
}

ShotState ParseState(std::string_view text) {
    if (text == "up") return ShotState::Up;
    if (text == "lit") return ShotState::Lit;
    if (text == "down") return ShotState::Down;
    if (text == "disabled") return ShotState::Disabled;
    throw std::invalid_argument("--state: expected up, lit, down or disabled: " +
                                std::string(text));
}

}  // namespace

platform::Color ParentPixel(const ShotOptions& options, int32_t x, int32_t y) {
    if (!options.parentPattern) return options.parentColor;
    const bool odd = ((x / kPatternSquare) + (y / kPatternSquare)) % 2 != 0;
    return odd ? 0xFFFFFF : options.parentColor;
}

forms::PicturePtr ReadPictureFile(std::string_view option, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::invalid_argument(std::string(option) + ": cannot read " + path);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    switch (platform::SniffImageFormat(file)) {
        case platform::ImageFormat::Bmp:
        case platform::ImageFormat::Ico:
        case platform::ImageFormat::Jpeg:
            break;
        default:
            throw std::invalid_argument(std::string(option) +
                                        ": not a BMP, ICO or JPEG file: " + path);
    }
    auto picture = platform::LoadPicture(file);
    if (picture.IsError()) {
        throw std::invalid_argument(std::string(option) + ": " + path + ": " +
                                    picture.Error().message);
    }
    return std::move(picture).Value();
}

const char* const kShotUsage =
    "usage: button-shot [options] OUT.png\n"
    "  --type N             ButtonType (default 14)\n"
    "  --size WxH           client size in pixels (default 75x25)\n"
    "  --caption TEXT       Caption (default empty)\n"
    "  --font FACE,PT[,bold][,italic][,underline]   (default Arial,9)\n"
    "  --scheme N           ColorScheme (default 1)\n"
    "  --back C  --back-over C  --fore C  --fore-over C  --mask C\n"
    "                       colour properties, hexadecimal 0xBBGGRR or a system colour\n"
    "                       reference 0x800000nn (defaults: a new instance's)\n"
    "  --soft               SoftBevel on\n"
    "  --effect N           SpecialEffect\n"
    "  --state up|lit|down|disabled\n"
    "                       up: pointer away; lit: pointer moved onto the button;\n"
    "                       down: left button pressed over it, which also gives it the\n"
    "                       keyboard focus; disabled: Enabled off\n"
    "  --focus              the button has the keyboard focus\n"
    "  --no-focus-rect      ShowFocusRect off\n"
    "  --default            the host reports the button as its default button\n"
    "  --checked            CheckBoxBehaviour and Value on\n"
    "  --parent C           the parent window's background colour (default 0xFF00FF)\n"
    "  --parent-pattern     the parent shows a checkerboard of that colour and white\n"
    "  --picture FILE       PictureNormal, a BMP, ICO or JPEG file\n"
    "  --picture-over FILE  PictureOver, a BMP, ICO or JPEG file\n"
    "  --picture-position N PicturePosition (default 0)\n"
    "  --greyscale          UseGreyscale on\n"
    "  --no-mask-color      UseMaskColor off\n"
    "  --scale S            the desktop's scale, 1 to 4 (default 1)\n";

platform::FontDesc ShotOptions::DefaultFont() {
    platform::FontDesc font;
    font.name = "Arial";
    font.sizeCy = 90000;
    return font;
}

ShotCommand ParseShotCommand(std::span<const std::string_view> args) {
    ShotCommand command;
    ShotOptions& o = command.options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&]() -> std::string_view {
            if (i + 1 >= args.size()) {
                throw std::invalid_argument(std::string(arg) + ": missing value");
            }
            return args[++i];
        };
        if (arg == "--type") {
            o.buttonType = ParseInt(arg, value());
        } else if (arg == "--size") {
            const std::string_view size = value();
            const size_t x = size.find('x');
            if (x == std::string_view::npos) {
                throw std::invalid_argument("--size: expected WxH: " + std::string(size));
            }
            o.width = ParseInt(arg, size.substr(0, x));
            o.height = ParseInt(arg, size.substr(x + 1));
            if (o.width < 1 || o.height < 1 || o.width > 4096 || o.height > 4096) {
                throw std::invalid_argument("--size: each side must be 1..4096");
            }
        } else if (arg == "--scale") {
            o.scale = std::stod(std::string(value()));
            if (!(o.scale >= 1 && o.scale <= 4)) throw std::invalid_argument("--scale: 1 to 4");
        } else if (arg == "--caption") {
            o.caption = value();
        } else if (arg == "--font") {
            o.font = ParseFont(value());
        } else if (arg == "--scheme") {
            o.colorScheme = ParseInt(arg, value());
        } else if (arg == "--back") {
            o.backColor = ParseColour(arg, value());
        } else if (arg == "--back-over") {
            o.backOver = ParseColour(arg, value());
        } else if (arg == "--fore") {
            o.foreColor = ParseColour(arg, value());
        } else if (arg == "--fore-over") {
            o.foreOver = ParseColour(arg, value());
        } else if (arg == "--mask") {
            o.maskColor = ParseColour(arg, value());
        } else if (arg == "--soft") {
            o.softBevel = true;
        } else if (arg == "--effect") {
            o.specialEffect = ParseInt(arg, value());
        } else if (arg == "--state") {
            o.state = ParseState(value());
        } else if (arg == "--focus") {
            o.focus = true;
        } else if (arg == "--no-focus-rect") {
            o.showFocusRect = false;
        } else if (arg == "--default") {
            o.displayAsDefault = true;
        } else if (arg == "--checked") {
            o.checked = true;
        } else if (arg == "--parent") {
            o.parentColor = ParseColour(arg, value()) & 0xFFFFFF;
        } else if (arg == "--parent-pattern") {
            o.parentPattern = true;
        } else if (arg == "--picture") {
            o.pictureNormal = ReadPictureFile(arg, std::string(value()));
        } else if (arg == "--picture-over") {
            o.pictureOver = ReadPictureFile(arg, std::string(value()));
        } else if (arg == "--picture-position") {
            o.picturePosition = ParseInt(arg, value());
        } else if (arg == "--greyscale") {
            o.useGreyscale = true;
        } else if (arg == "--no-mask-color") {
            o.useMaskColor = false;
        } else if (arg.starts_with("--")) {
            throw std::invalid_argument("unknown option: " + std::string(arg));
        } else if (command.outputPath.empty()) {
            command.outputPath = arg;
        } else {
            throw std::invalid_argument("more than one output file: " + std::string(arg));
        }
    }
    if (command.outputPath.empty()) throw std::invalid_argument("no output file");
    return command;
}

platform::Image RenderShot(const ShotOptions& o) {
    platform::HeadlessBackend backend({1024, 768}, platform::DeviceScale::FromFactor(o.scale));
    platform::WindowSystem system(backend);
    const int32_t formWidth = o.width + 2 * kMargin;
    const int32_t formHeight = o.height + 2 * kMargin;
    platform::Window form(
        system, nullptr,
        platform::Rect::FromSize(kFormOrigin.x, kFormOrigin.y, formWidth, formHeight));
    platform::Surface& formSurface = form.DrawingSurface();
    formSurface.Resize(formWidth, formHeight, o.parentColor);
    if (o.parentPattern) {
        for (int32_t y = 0; y < formHeight; ++y) {
            for (int32_t x = 0; x < formWidth; ++x)
                formSurface.SetPixel(x, y, ParentPixel(o, x, y));
        }
    }
    formSurface.backgroundColor = o.parentColor;

    forms::ResourceTable resources;
    forms::AmbientProperties ambient;
    ambient.font = o.font;
    auto control = std::make_unique<vbButton>();
    vbButton& b = *control;
    const platform::Rect place = platform::Rect::FromSize(kMargin, kMargin, o.width, o.height);
    forms::ControlSite site(form, place, std::move(control), ambient, resources);
    site.InitNew();

    b.SetButtonType(o.buttonType);
    b.SetFont(o.font);
    b.SetCaption(o.caption);
    b.SetColorScheme(o.colorScheme);
    if (o.backColor) b.SetBackColor(*o.backColor);
    if (o.backOver) b.SetBackOver(*o.backOver);
    if (o.foreColor) b.SetForeColor(*o.foreColor);
    if (o.foreOver) b.SetForeOver(*o.foreOver);
    if (o.maskColor) b.SetMaskColor(*o.maskColor);
    b.SetSoftBevel(o.softBevel);
    b.SetSpecialEffect(o.specialEffect);
    b.SetShowFocusRect(o.showFocusRect);
    b.SetPictureNormal(o.pictureNormal);
    b.SetPictureOver(o.pictureOver);
    b.SetPicturePosition(o.picturePosition);
    b.SetUseGreyscale(o.useGreyscale);
    b.SetUseMaskColor(o.useMaskColor);
    if (o.checked) {
        b.SetCheckBoxBehaviour(true);
        b.SetValue(true);
    }
    if (o.state == ShotState::Disabled) b.SetEnabled(false);
    if (o.displayAsDefault) {
        ambient.displayAsDefault = true;
        site.SetAmbient(ambient);
    }

    form.Show();
    site.Show();
    backend.ProcessUntilIdle();
    if (o.focus) system.SetFocus(&site.SiteWindow());
    if (o.state == ShotState::Lit || o.state == ShotState::Down) {
        const platform::Point centre =
            site.SiteWindow().ClientToScreen({o.width / 2, o.height / 2});
        system.PointerMoveTo(centre);
        if (o.state == ShotState::Down) system.ButtonDown(1);
    }
    backend.ProcessUntilIdle();
    system.UpdateAll();

    // What the display shows: device pixels, on a grid of its own.
    const platform::Surface& composed = backend.Native(form.NativeId())->screen;
    const platform::Rect shown = form.Scale().Map(place);
    platform::Image image{shown.Width(), shown.Height(), {}};
    image.pixels.reserve(static_cast<size_t>(shown.Width()) * static_cast<size_t>(shown.Height()));
    for (int32_t y = shown.top; y < shown.bottom; ++y) {
        for (int32_t x = shown.left; x < shown.right; ++x)
            image.pixels.push_back(0xFF000000u | composed.Row(y)[x]);
    }
    return image;
}

}  // namespace button
