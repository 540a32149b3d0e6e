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
OleColor ReadColour(forms::StoredProperties& bag, const char* key, int32_t defaultValue) {
    return static_cast<OleColor>(bag.Read<int32_t>(key, defaultValue));
}

}  // namespace

const std::vector<vbButton::StoredSetting>& vbButton::StoredSettings() {
    using B = vbButton;
    using C = const vbButton;
    using S = forms::StoredProperties;
    static const std::vector<StoredSetting> kSettings = {
        {Setting::ButtonType, "BTYPE", "BTYPE",
         [](B& b, S& s, const char* k) {
             b.buttonType = s.Read<int32_t>(k, static_cast<int32_t>(ButtonType::Classic));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.buttonType); }},
        {Setting::Caption, "TX", "TX",
         [](B& b, S& s, const char* k) { b.captionText = s.Read<std::string>(k, ""); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.captionText); }},
        {Setting::Enabled, "ENAB", "ENAB",
         [](B& b, S& s, const char* k) { b.enabled = s.Read<bool>(k, true); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.enabled); }},
        {Setting::Font, "FONT", "FONT",
         [](B& b, S& s, const char* k) {
             b.host.window->SetFont(s.Read<platform::FontDesc>(k, b.host.window->Font()));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.host.window->Font()); }},
        {Setting::ColorScheme, "COLTYPE", "COLTYPE",
         [](B& b, S& s, const char* k) {
             b.colorScheme = s.Read<int32_t>(k, static_cast<int32_t>(ColorScheme::System));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.colorScheme); }},
        {Setting::ShowFocusRect, "FOCUSR", "FOCUSR",
         [](B& b, S& s, const char* k) { b.showFocusRect = s.Read<bool>(k, true); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.showFocusRect); }},
        {Setting::BackColor, "BCOL", "BCOL",
         [](B& b, S& s, const char* k) {
             b.backColor = ReadColour(s, k, SystemColour(kSystemButtonFace));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.backColor)); }},
        {Setting::BackOver, "BCOLO", "BCOLO",
         [](B& b, S& s, const char* k) {
             b.backOver = ReadColour(s, k, static_cast<int32_t>(b.backColor));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.backOver)); }},
        {Setting::ForeColor, "FCOL", "FCOL",
         [](B& b, S& s, const char* k) {
             b.foreColor = ReadColour(s, k, SystemColour(kSystemButtonText));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.foreColor)); }},
        {Setting::ForeOver, "FCOLO", "FCOLO",
         [](B& b, S& s, const char* k) {
             b.foreOver = ReadColour(s, k, static_cast<int32_t>(b.foreColor));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.foreOver)); }},
        {Setting::MaskColor, "MCOL", "MCOL",
         [](B& b, S& s, const char* k) {
             b.maskColor = ReadColour(s, k, static_cast<int32_t>(kDefaultMaskColor));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.maskColor)); }},
        {Setting::MousePointer, "MPTR", "MPTR",
         [](B& b, S& s, const char* k) { b.host.pointer->SetMousePointer(s.Read<int16_t>(k, 0)); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.host.pointer->MousePointer()); }},
        {Setting::MouseIcon, "MICON", "MICON",
         [](B& b, S& s, const char* k) {
             try {
                 b.host.pointer->SetMouseIcon(s.Read<PicturePtr>(k, nullptr));
             } catch (const forms::PointerImageError&) {
                 // Replaced by "HAND" in any case.
             }
         },
         [](C& b, S& s, const char* k) {
             if (PicturePtr icon = b.host.pointer->MouseIcon()) s.WriteProperty(k, icon);
         }},
        {Setting::PictureNormal, "PICN", "PICN",
         [](B& b, S& s, const char* k) { b.pictureNormal = s.Read<PicturePtr>(k, nullptr); },
         [](C& b, S& s, const char* k) {
             if (b.pictureNormal) s.WriteProperty(k, b.pictureNormal);
         }},
        // Stored under "PICH", but its change is told as "PICO".
        {Setting::PictureOver, "PICH", "PICO",
         [](B& b, S& s, const char* k) { b.pictureOver = s.Read<PicturePtr>(k, nullptr); },
         [](C& b, S& s, const char* k) {
             if (b.pictureOver) s.WriteProperty(k, b.pictureOver);
         }},
        {Setting::UseMaskColor, "UMCOL", "UMCOL",
         [](B& b, S& s, const char* k) { b.useMaskColor = s.Read<bool>(k, true); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.useMaskColor); }},
        {Setting::SoftBevel, "SOFT", "SOFT",
         [](B& b, S& s, const char* k) { b.softBevel = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.softBevel); }},
        {Setting::PicturePosition, "PICPOS", "PICPOS",
         [](B& b, S& s, const char* k) { b.picturePosition = s.Read<int32_t>(k, 0); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.picturePosition); }},
        {Setting::UseGreyscale, "NGREY", "NGREY",
         [](B& b, S& s, const char* k) { b.useGreyscale = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.useGreyscale); }},
        {Setting::SpecialEffect, "FX", "FX",
         [](B& b, S& s, const char* k) { b.specialEffect = s.Read<int32_t>(k, 0); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.specialEffect); }},
        // Through its setter, so that the pointer always follows it.
        {Setting::HandPointer, "HAND", "HAND",
         [](B& b, S& s, const char* k) { b.SetHandPointer(s.Read<bool>(k, false)); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.handPointer); }},
        {Setting::CheckBoxBehaviour, "CHECK", "CHECK",
         [](B& b, S& s, const char* k) { b.checkBoxBehaviour = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.checkBoxBehaviour); }},
        {Setting::Value, "VALUE", "VALUE",
         [](B& b, S& s, const char* k) { b.value = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.value); }},
    };
    return kSettings;
}

void vbButton::Notify(Setting setting) {
    for (const StoredSetting& row : StoredSettings()) {
        if (row.setting == setting) host.properties->PropertyChanged(row.notifies);
    }
}

}  // namespace button
