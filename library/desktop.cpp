#include <utility>

#include "library/internals.h"
#include "library/tavik_button_cursors.h"
#include "platform/bytes/result.h"
#include "platform/objects/picture.h"

namespace tavik {

std::unique_ptr<Desktop::Parts> Internals::OpenDesktop(const std::string& programName) {
    platform::DesktopBackend display = platform::OpenDesktopBackend({programName, programName});
    platform::Backend& backend = *display.backend;
    auto parts = std::unique_ptr<Desktop::Parts>(
        new Desktop::Parts{std::move(display), platform::WindowSystem(backend), {}});
    parts->resources.AddCursor(
        button::vbButton::kHandCursorId,
        platform::ValueOrThrow(platform::LoadPicture(library_resources::Resource("hand.cur"))));
    return parts;
}

Desktop::Desktop(const std::string& programName) : parts_(Internals::OpenDesktop(programName)) {}

Desktop::~Desktop() = default;

void Desktop::Run() {
    parts_->system.Run();
}

void Desktop::Quit() {
    parts_->system.Quit();
}

std::string Desktop::LostMessage() const {
    return parts_->system.DisplayLostMessage();
}

}  // namespace tavik
