#include "forms/site_pointer.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "platform/ui/window_system.h"

namespace forms {
namespace {

/// The pointer image of an icon picture, made once for all the controls that show it while
/// any of them does.
std::shared_ptr<const platform::PointerImage> PointerImageOf(const PicturePtr& picture) {
    struct Made {
        std::weak_ptr<const platform::Picture> picture;
        std::weak_ptr<const platform::PointerImage> image;
    };
    static std::vector<Made> made;
    std::erase_if(made, [](const Made& m) { return m.picture.expired() || m.image.expired(); });
    for (const Made& m : made) {
        if (m.picture.lock() == picture) return m.image.lock();
    }
    auto image = std::make_shared<const platform::PointerImage>(
        platform::PointerImage{platform::WithInvertStandIns(picture->Pixels()),
                               picture->HotSpot().x, picture->HotSpot().y});
    made.push_back({picture, image});
    return image;
}

}  // namespace

bool SitePointer::PointerIsOver() const {
    return window_.System().WindowUnderPointer() == &window_;
}

// Every pointer number but the default and the custom one shows the arrow, the one standard
// shape drawn here.
void SitePointer::Apply() {
    if (mousePointer_ == kPointerCustom && pointerImage_) {
        window_.SetPointer(platform::PointerKind::Custom, pointerImage_);
    } else if (mousePointer_ == kPointerDefault || mousePointer_ == kPointerCustom) {
        window_.SetPointer(platform::PointerKind::Default);
    } else {
        window_.SetPointer(platform::PointerKind::Arrow);
    }
}

void SitePointer::SetMousePointer(int16_t pointer) {
    mousePointer_ = pointer;
    Apply();
}

// A pointer cannot invert the screen under it: its inverting pixels show as opaque stand-ins.
void SitePointer::SetMouseIcon(PicturePtr picture) {
    if (picture && picture->Type() != platform::PictureType::Icon)
        throw PointerImageError("a bitmap picture cannot serve as a pointer");
    pointerImage_ = picture ? PointerImageOf(picture) : nullptr;
    mouseIcon_ = std::move(picture);
    Apply();
}

PicturePtr SitePointer::LoadCursorResource(int32_t id) const {
    PicturePtr cursor = resources_.Cursor(id);
    if (!cursor) throw ResourceError("no cursor resource " + std::to_string(id));
    return cursor;
}

}  // namespace forms
