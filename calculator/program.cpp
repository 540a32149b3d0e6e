#include "calculator/program.h"

#include <stdexcept>
#include <string_view>
#include <utility>

#include "button/vb_button.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "resources/tavik_resources.h"

namespace calculator {
namespace {

/// The program's name, as its desktop entry gives it.
constexpr std::string_view kApplicationName = "Tavik Calculator";

std::span<const uint8_t> Embedded(std::string_view name) {
    const std::span<const uint8_t> bytes = resources::Resource(name);
    if (bytes.empty()) throw std::runtime_error("the program has no embedded " + std::string(name));
    return bytes;
}

// The window icon and the pointers reach the display as plain ARGB images, which cannot invert
// what lies under them: inverting pixels of the files show as their opaque stand-ins.
// The desktop gets the icon in every size of the file and picks what its title bars, task
// lists and switchers show, at any density.
std::vector<platform::Image> WindowIcons() {
    std::vector<platform::Image> icons;
    for (platform::IconImage& entry :
         platform::ValueOrThrow(platform::DecodeIconFile(Embedded("icon.ico"))))
        icons.push_back(platform::WithInvertStandIns(std::move(entry.image)));
    return icons;
}

std::shared_ptr<const platform::PointerImage> PointerFromCursor(std::string_view name) {
    std::vector<platform::IconImage> images =
        platform::ValueOrThrow(platform::DecodeIconFile(Embedded(name)));
    platform::IconImage& first = images.front();
    return std::make_shared<const platform::PointerImage>(platform::PointerImage{
        platform::WithInvertStandIns(std::move(first.image)), first.hotSpotX, first.hotSpotY});
}

}  // namespace

Program::Program(platform::WindowSystem& system, ProgramOptions options) {
    system.SetApplicationName(std::string(kApplicationName));
    registry_.Register(button::vbButton::kClassId,
                       [] { return std::make_unique<button::vbButton>(); });
    resources_.AddCursor(button::vbButton::kHandCursorId,
                         platform::ValueOrThrow(platform::LoadPicture(Embedded("hand.cur"))));

    MainArtwork artwork;
    artwork.backgroundFile = Embedded("background.jpg");
    artwork.icon = WindowIcons;
    artwork.helpPointer = PointerFromCursor("help-pointer.cur");
    artwork.keyBags = Embedded("main-keys.bin");
    artwork.splash.strip =
        platform::ValueOrThrow(platform::LoadPicture(Embedded("splash-strip.jpg")));
    window_ = std::make_unique<main>(system, artwork, registry_, resources_,
                                     std::move(options.decimalSeparator),
                                     std::move(options.anotherInstanceRunning));
}

Program::~Program() = default;

void Program::Start() {
    window_->ShowForm();
}

bool Program::Ended() const {
    return window_->QuitConfirmed() || window_->EndedAtStart() || window_->System().WindowLost();
}

}  // namespace calculator
