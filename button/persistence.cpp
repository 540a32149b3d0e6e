#include "button/vb_button.h"
#include "platform/objects/ole_color.h"

namespace button {
namespace {

constexpr OleColor kDefaultMask = 0xC0C0C0;
constexpr int32_t kSystemButtonFace = 15;
constexpr int32_t kSystemButtonText = 18;

Color System(int32_t index) {
    return platform::SystemColor(index).value_or(0);
}

}  // namespace

void vbButton::OnCreate(forms::ControlContainer& container) {
    host = &container;
    ready = true;
}

// A button placed by a designer: no stored settings. Nothing is drawn or notified here.
void vbButton::OnInitNew() {
    enabled = true;
    showFocusRect = true;
    useMaskColor = true;
    caption = host->Ambient().displayName;
    host->SetFont(host->Ambient().font);
    buttonType = 2;
    colorScheme = 1;
    DerivePalette();
    // The first palette seeds the colours, as plain colours rather than system references.
    backColor = backOver = palette.Face;
    maskColor = kDefaultMask;
    foreColor = foreOver = palette.Text;
    LayoutCaption();
}

// Reads every key in order; an absent key gives its default. Only "HAND" goes through its
// setter, so the pointer always follows it. A value that does not convert throws from
// Read and the keys after it are not read.
void vbButton::OnLoadSettings() {
    forms::ControlContainer& bag = *host;
    buttonType = bag.Read<int32_t>("BTYPE", 2);
    caption = bag.Read<std::string>("TX", "");
    enabled = bag.Read<bool>("ENAB", true);
    host->SetFont(bag.Read<platform::FontDesc>("FONT", host->Font()));
    colorScheme = bag.Read<int32_t>("COLTYPE", 1);
    showFocusRect = bag.Read<bool>("FOCUSR", true);
    backColor = static_cast<OleColor>(
        bag.Read<int32_t>("BCOL", static_cast<int32_t>(System(kSystemButtonFace))));
    backOver = static_cast<OleColor>(bag.Read<int32_t>("BCOLO", static_cast<int32_t>(backColor)));
    foreColor = static_cast<OleColor>(
        bag.Read<int32_t>("FCOL", static_cast<int32_t>(System(kSystemButtonText))));
    foreOver = static_cast<OleColor>(bag.Read<int32_t>("FCOLO", static_cast<int32_t>(foreColor)));
    maskColor = static_cast<OleColor>(bag.Read<int32_t>("MCOL", kDefaultMask));
    host->SetMousePointer(bag.Read<int16_t>("MPTR", 0));
    try {
        host->SetMouseIcon(bag.Read<PicturePtr>("MICON", nullptr));
    } catch (const forms::PointerImageError&) {
        // Replaced by "HAND" below in any case.
    }
    pictureNormal = bag.Read<PicturePtr>("PICN", nullptr);
    pictureOver = bag.Read<PicturePtr>("PICH", nullptr);
    useMaskColor = bag.Read<bool>("UMCOL", true);
    softBevel = bag.Read<bool>("SOFT", false);
    picturePosition = bag.Read<int32_t>("PICPOS", 0);
    useGreyscale = bag.Read<bool>("NGREY", false);
    specialEffect = bag.Read<int32_t>("FX", 0);
    SetHandPointer(bag.Read<bool>("HAND", false));
    checkBoxBehaviour = bag.Read<bool>("CHECK", false);
    value = bag.Read<bool>("VALUE", false);

    host->SetEnabled(enabled);
    MeasurePicture();
    LayoutCaption();
    UpdateAccessKey();
}

void vbButton::OnSaveSettings() {
    forms::ControlContainer& bag = *host;
    auto writePicture = [&](const char* key, const PicturePtr& picture) {
        if (picture) bag.WriteProperty(key, picture);
    };
    bag.WriteProperty("BTYPE", buttonType);
    bag.WriteProperty("TX", caption);
    bag.WriteProperty("ENAB", enabled);
    bag.WriteProperty("FONT", host->Font());
    bag.WriteProperty("COLTYPE", colorScheme);
    bag.WriteProperty("FOCUSR", showFocusRect);
    bag.WriteProperty("BCOL", static_cast<int32_t>(backColor));
    bag.WriteProperty("BCOLO", static_cast<int32_t>(backOver));
    bag.WriteProperty("FCOL", static_cast<int32_t>(foreColor));
    bag.WriteProperty("FCOLO", static_cast<int32_t>(foreOver));
    bag.WriteProperty("MCOL", static_cast<int32_t>(maskColor));
    bag.WriteProperty("MPTR", host->MousePointer());
    writePicture("MICON", host->MouseIcon());
    writePicture("PICN", pictureNormal);
    writePicture("PICH", pictureOver);
    bag.WriteProperty("UMCOL", useMaskColor);
    bag.WriteProperty("SOFT", softBevel);
    bag.WriteProperty("PICPOS", picturePosition);
    bag.WriteProperty("NGREY", useGreyscale);
    bag.WriteProperty("FX", specialEffect);
    bag.WriteProperty("HAND", handPointer);
    bag.WriteProperty("CHECK", checkBoxBehaviour);
    bag.WriteProperty("VALUE", value);
}

void vbButton::OnAmbientChanged(std::string_view) {
    if (colorScheme == 2) return;
    DerivePalette();
    RedrawAsIs();
}

}  // namespace button
