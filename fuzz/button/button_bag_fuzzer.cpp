// Takes a stored bag through a vbButton the way the calculator does at start-up: load, size,
// show and draw, then every state a user brings it to (lit, pressed, focused, checked,
// disabled), a Refresh, and save. Whatever settings a bag holds, the button either refuses them
// with the errors it documents or draws them without reading or writing outside its memory;
// what it saves reads back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "button/vb_button.h"
#include "forms/control_site.h"
#include "forms/stored_bag.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"

namespace {

forms::PicturePtr HandCursor() {
    platform::IconImage hand;
    hand.image = platform::Image{32, 32, std::vector<uint32_t>(32 * 32, 0xFF000000)};
    hand.bitCount = 1;
    return platform::LoadPicture(platform::EncodeIconFile({&hand, 1}, true).Value()).Value();
}

// The button's size in pixels from the bag's extents (HIMETRIC), kept to what a form holds.
platform::Rect BoundsFrom(const forms::PropertyBag& bag) {
    const auto side = [&bag](const char* key, int32_t fallback) {
        const forms::PropertyValue* value = bag.Find(key);
        const int32_t* himetric = value ? std::get_if<int32_t>(value) : nullptr;
        if (!himetric) return fallback;
        return static_cast<int32_t>(std::clamp<int64_t>(*himetric / 26, 0, 300));
    };
    return platform::Rect::FromSize(8, 8, side("_extentx", 75), side("_extenty", 25));
}

// Every state a user can bring the button to, each drawn.
void Exercise(platform::HeadlessBackend& backend, platform::WindowSystem& system,
              forms::ControlSite& site, button::vbButton& button) {
    platform::Window& window = site.SiteWindow();
    const platform::Point centre =
        window.ClientToScreen({window.ClientWidth() / 2, window.ClientHeight() / 2});
    system.PointerMoveTo(centre);
    system.ButtonDown(platform::kButtonLeft);
    system.ButtonUp(platform::kButtonLeft);
    system.KeyDown(platform::kKeySpace);
    system.KeyUp(platform::kKeySpace);
    backend.AdvanceClock(10);
    system.PointerMoveTo({0, 0});
    backend.AdvanceClock(10);
    button.SetCheckBoxBehaviour(true);
    button.SetValue(true);
    button.Refresh();
    window.SetBounds(platform::Rect::FromSize(8, 8, 1, 1));
    button.SetEnabled(false);
    backend.ProcessUntilIdle();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const forms::StoredBagReadResult read = forms::ReadStoredBag({data, size});
    if (read.error) return 0;
    static const forms::PicturePtr hand = HandCursor();
    forms::ResourceTable resources;
    resources.AddCursor(button::vbButton::kHandCursorId, hand);

    platform::HeadlessBackend backend({400, 400});
    platform::WindowSystem system(backend);
    platform::Window form(system, nullptr, {0, 0, 320, 320});
    auto control = std::make_unique<button::vbButton>();
    button::vbButton& button = *control;
    forms::ControlSite site(form, BoundsFrom(read.bag), std::move(control), {}, resources);
    form.Show();
    try {
        site.Load(read.bag);
    } catch (const forms::PropertyTypeError&) {
        return 0;  // a setting of the wrong type: the button is not loaded
    }
    site.Show();
    backend.ProcessUntilIdle();
    Exercise(backend, system, site, button);

    const forms::StoredBagReadResult saved =
        forms::ReadStoredBag(forms::WriteStoredBag(site.Save()));
    if (saved.error) std::abort();
    return 0;
}
