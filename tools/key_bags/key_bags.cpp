#include "tools/key_bags/key_bags.h"

#include <memory>

#include "button/looks.h"
#include "button/vb_button.h"
#include "calculator/keypad.h"
#include "forms/container.h"
#include "forms/control_site.h"
#include "forms/stored_bag.h"
#include "forms/units.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/objects/picture.h"
#include "platform/ui/window_system.h"
#include "tools/artwork/key_pointer.h"

namespace keybags {
namespace {

// Sets what every key has in common and what the keypad table gives this one. The hand pointer
// goes first: its setter would otherwise replace the stored pointer image.
void Design(button::vbButton& key, const calculator::KeypadKey& row,
            const forms::PicturePtr& pointerIcon) {
    platform::FontDesc font;
    font.name = "Arial Black";
    font.sizeCy = 90000;
    font.weight = 900;
    font.charset = 0;
    key.SetHandPointer(true);
    key.SetMousePointer(forms::kPointerCustom);
    key.SetMouseIcon(pointerIcon);
    key.SetButtonType(static_cast<int32_t>(button::ButtonType::Glossy));
    key.SetFont(font);
    key.SetCaption(std::string(row.caption));
    key.SetEnabled(true);
    key.SetShowFocusRect(false);
    key.SetColorScheme(row.colours.scheme);
    key.SetBackColor(row.colours.back);
    key.SetForeColor(row.colours.fore);
    key.SetMaskColor(0x00C0C0C0);
    key.SetUseMaskColor(true);
    key.SetSoftBevel(false);
    key.SetPicturePosition(0);
    key.SetUseGreyscale(false);
    key.SetSpecialEffect(1);
    key.SetCheckBoxBehaviour(false);
    key.SetValue(false);
}

}  // namespace

std::vector<uint8_t> MakeKeyBags() {
    platform::HeadlessBackend backend;
    platform::WindowSystem system(backend);
    platform::Window form(system, nullptr, {0, 0, 312, 324});
    const forms::ResourceTable resources;
    const forms::PicturePtr pointerIcon =
        platform::ValueOrThrow(platform::LoadPicture(artwork::KeyPointerIconFile()));

    forms::AmbientProperties ambient;
    ambient.userMode = false;
    std::vector<uint8_t> file;
    for (const calculator::KeypadKey& row : calculator::kKeypad) {
        const calculator::TwipsBounds& twips = row.bounds;
        const platform::Rect bounds =
            forms::TwipsRect(twips.left, twips.top, twips.width, twips.height);
        auto control = std::make_unique<button::vbButton>();
        button::vbButton& key = *control;
        forms::ControlSite site(form, bounds, std::move(control), ambient, resources);
        site.InitNew();
        Design(key, row, pointerIcon);
        const std::vector<uint8_t> block = forms::WriteStoredBag(site.Save());
        file.insert(file.end(), block.begin(), block.end());
    }
    return file;
}

}  // namespace keybags
