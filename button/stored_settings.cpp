// The stored settings' table: each key of the button's property bag with its notification's
// name, how loading reads it (with its default) and how saving writes it.
#include "button/vb_button.h"
#include "platform/objects/ole_color.h"

namespace button {
namespace {

constexpr int32_t kSystemButtonFace = 15;
constexpr int32_t kSystemButtonText = 18;

int32_t SystemColour(int32_t index) {
    return static_cast<int32_t>(platform::SystemColor(index).value_or(0));
}

// A colour property: stored as the 32-bit integer of its OLE colour.
OleColor ReadColour(forms::ControlContainer& bag, const char* key, int32_t defaultValue) {
    return static_cast<OleColor>(bag.Read<int32_t>(key, defaultValue));
}

}  // namespace

const std::vector<vbButton::StoredSetting>& vbButton::StoredSettings() {
    using B = vbButton;
    using C = const vbButton;
    static const std::vector<StoredSetting> kSettings = {
        {Setting::ButtonType, "BTYPE", "BTYPE",
         [](B& b, const char* k) {
             b.buttonType = b.host->Read<int32_t>(k, static_cast<int32_t>(ButtonType::Classic));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.buttonType); }},
        {Setting::Caption, "TX", "TX",
         [](B& b, const char* k) { b.captionText = b.host->Read<std::string>(k, ""); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.captionText); }},
        {Setting::Enabled, "ENAB", "ENAB",
         [](B& b, const char* k) { b.enabled = b.host->Read<bool>(k, true); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.enabled); }},
        {Setting::Font, "FONT", "FONT",
         [](B& b, const char* k) {
             b.host->SetFont(b.host->Read<platform::FontDesc>(k, b.host->Font()));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.host->Font()); }},
        {Setting::ColorScheme, "COLTYPE", "COLTYPE",
         [](B& b, const char* k) {
             b.colorScheme = b.host->Read<int32_t>(k, static_cast<int32_t>(ColorScheme::System));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.colorScheme); }},
        {Setting::ShowFocusRect, "FOCUSR", "FOCUSR",
         [](B& b, const char* k) { b.showFocusRect = b.host->Read<bool>(k, true); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.showFocusRect); }},
        {Setting::BackColor, "BCOL", "BCOL",
         [](B& b, const char* k) {
             b.backColor = ReadColour(*b.host, k, SystemColour(kSystemButtonFace));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, static_cast<int32_t>(b.backColor)); }},
        {Setting::BackOver, "BCOLO", "BCOLO",
         [](B& b, const char* k) {
             b.backOver = ReadColour(*b.host, k, static_cast<int32_t>(b.backColor));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, static_cast<int32_t>(b.backOver)); }},
        {Setting::ForeColor, "FCOL", "FCOL",
         [](B& b, const char* k) {
             b.foreColor = ReadColour(*b.host, k, SystemColour(kSystemButtonText));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, static_cast<int32_t>(b.foreColor)); }},
        {Setting::ForeOver, "FCOLO", "FCOLO",
         [](B& b, const char* k) {
             b.foreOver = ReadColour(*b.host, k, static_cast<int32_t>(b.foreColor));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, static_cast<int32_t>(b.foreOver)); }},
        {Setting::MaskColor, "MCOL", "MCOL",
         [](B& b, const char* k) {
             b.maskColor = ReadColour(*b.host, k, static_cast<int32_t>(kDefaultMaskColor));
         },
         [](C& b, const char* k) { b.host->WriteProperty(k, static_cast<int32_t>(b.maskColor)); }},
        {Setting::MousePointer, "MPTR", "MPTR",
         [](B& b, const char* k) { b.host->SetMousePointer(b.host->Read<int16_t>(k, 0)); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.host->MousePointer()); }},
        {Setting::MouseIcon, "MICON", "MICON",
         [](B& b, const char* k) {
             try {
                 b.host->SetMouseIcon(b.host->Read<PicturePtr>(k, nullptr));
             } catch (const forms::PointerImageError&) {
                 // Replaced by "HAND" in any case.
             }
         },
         [](C& b, const char* k) {
             if (PicturePtr icon = b.host->MouseIcon()) b.host->WriteProperty(k, icon);
         }},
        {Setting::PictureNormal, "PICN", "PICN",
         [](B& b, const char* k) { b.pictureNormal = b.host->Read<PicturePtr>(k, nullptr); },
         [](C& b, const char* k) {
             if (b.pictureNormal) b.host->WriteProperty(k, b.pictureNormal);
         }},
        // Stored under "PICH", but its change is told as "PICO".
        {Setting::PictureOver, "PICH", "PICO",
         [](B& b, const char* k) { b.pictureOver = b.host->Read<PicturePtr>(k, nullptr); },
         [](C& b, const char* k) {
             if (b.pictureOver) b.host->WriteProperty(k, b.pictureOver);
         }},
        {Setting::UseMaskColor, "UMCOL", "UMCOL",
         [](B& b, const char* k) { b.useMaskColor = b.host->Read<bool>(k, true); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.useMaskColor); }},
        {Setting::SoftBevel, "SOFT", "SOFT",
         [](B& b, const char* k) { b.softBevel = b.host->Read<bool>(k, false); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.softBevel); }},
        {Setting::PicturePosition, "PICPOS", "PICPOS",
         [](B& b, const char* k) { b.picturePosition = b.host->Read<int32_t>(k, 0); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.picturePosition); }},
        {Setting::UseGreyscale, "NGREY", "NGREY",
         [](B& b, const char* k) { b.useGreyscale = b.host->Read<bool>(k, false); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.useGreyscale); }},
        {Setting::SpecialEffect, "FX", "FX",
         [](B& b, const char* k) { b.specialEffect = b.host->Read<int32_t>(k, 0); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.specialEffect); }},
        // Through its setter, so that the pointer always follows it.
        {Setting::HandPointer, "HAND", "HAND",
         [](B& b, const char* k) { b.SetHandPointer(b.host->Read<bool>(k, false)); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.handPointer); }},
        {Setting::CheckBoxBehaviour, "CHECK", "CHECK",
         [](B& b, const char* k) { b.checkBoxBehaviour = b.host->Read<bool>(k, false); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.checkBoxBehaviour); }},
        {Setting::Value, "VALUE", "VALUE",
         [](B& b, const char* k) { b.value = b.host->Read<bool>(k, false); },
         [](C& b, const char* k) { b.host->WriteProperty(k, b.value); }},
    };
    return kSettings;
}

void vbButton::Notify(Setting setting) {
    for (const StoredSetting& row : StoredSettings()) {
        if (row.setting == setting) host->PropertyChanged(row.notifies);
    }
}

}  // namespace button
