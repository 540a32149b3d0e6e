// The stored settings' table: each key of the button's property bag with its notification's
// name, how loading reads it (with its default) and how saving writes it.
#include "button/vb_button.h"
#include "platform/objects/ole_color.h"

namespace button {
namespace {

// The plain colour of a system colour: a new button stores its colours as plain ones.
int32_t SystemColour(platform::SystemColorIndex index) {
    return static_cast<int32_t>(platform::SystemColor(index));
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
             b.buttonType_ = s.Read<int32_t>(k, static_cast<int32_t>(ButtonType::Classic));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.buttonType_); }},
        {Setting::Caption, "TX", "TX",
         [](B& b, S& s, const char* k) { b.captionText_ = s.Read<std::string>(k, ""); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.captionText_); }},
        {Setting::Enabled, "ENAB", "ENAB",
         [](B& b, S& s, const char* k) { b.enabled_ = s.Read<bool>(k, true); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.enabled_); }},
        {Setting::Font, "FONT", "FONT",
         [](B& b, S& s, const char* k) {
             b.host_.window->SetFont(s.Read<platform::FontDesc>(k, b.host_.window->Font()));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.host_.window->Font()); }},
        {Setting::ColorScheme, "COLTYPE", "COLTYPE",
         [](B& b, S& s, const char* k) {
             b.colorScheme_ = s.Read<int32_t>(k, static_cast<int32_t>(ColorScheme::System));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.colorScheme_); }},
        {Setting::ShowFocusRect, "FOCUSR", "FOCUSR",
         [](B& b, S& s, const char* k) { b.showFocusRect_ = s.Read<bool>(k, true); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.showFocusRect_); }},
        {Setting::BackColor, "BCOL", "BCOL",
         [](B& b, S& s, const char* k) {
             b.backColor_ = ReadColour(s, k, SystemColour(platform::SystemColorIndex::ButtonFace));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.backColor_)); }},
        {Setting::BackOver, "BCOLO", "BCOLO",
         [](B& b, S& s, const char* k) {
             b.backOver_ = ReadColour(s, k, static_cast<int32_t>(b.backColor_));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.backOver_)); }},
        {Setting::ForeColor, "FCOL", "FCOL",
         [](B& b, S& s, const char* k) {
             b.foreColor_ = ReadColour(s, k, SystemColour(platform::SystemColorIndex::ButtonText));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.foreColor_)); }},
        {Setting::ForeOver, "FCOLO", "FCOLO",
         [](B& b, S& s, const char* k) {
             b.foreOver_ = ReadColour(s, k, static_cast<int32_t>(b.foreColor_));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.foreOver_)); }},
        {Setting::MaskColor, "MCOL", "MCOL",
         [](B& b, S& s, const char* k) {
             b.maskColor_ = ReadColour(s, k, static_cast<int32_t>(kDefaultMaskColor));
         },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, static_cast<int32_t>(b.maskColor_)); }},
        {Setting::MousePointer, "MPTR", "MPTR",
         [](B& b, S& s, const char* k) { b.host_.pointer->SetMousePointer(s.Read<int16_t>(k, 0)); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.host_.pointer->MousePointer()); }},
        {Setting::MouseIcon, "MICON", "MICON",
         [](B& b, S& s, const char* k) {
             try {
                 b.host_.pointer->SetMouseIcon(s.Read<PicturePtr>(k, nullptr));
             } catch (const forms::PointerImageError&) {
                 // Replaced by "HAND" in any case.
             }
         },
         [](C& b, S& s, const char* k) {
             if (PicturePtr icon = b.host_.pointer->MouseIcon()) s.WriteProperty(k, icon);
         }},
        {Setting::PictureNormal, "PICN", "PICN",
         [](B& b, S& s, const char* k) { b.pictureNormal_ = s.Read<PicturePtr>(k, nullptr); },
         [](C& b, S& s, const char* k) {
             if (b.pictureNormal_) s.WriteProperty(k, b.pictureNormal_);
         }},
        // Stored under "PICH", but its change is told as "PICO".
        {Setting::PictureOver, "PICH", "PICO",
         [](B& b, S& s, const char* k) { b.pictureOver_ = s.Read<PicturePtr>(k, nullptr); },
         [](C& b, S& s, const char* k) {
             if (b.pictureOver_) s.WriteProperty(k, b.pictureOver_);
         }},
        {Setting::UseMaskColor, "UMCOL", "UMCOL",
         [](B& b, S& s, const char* k) { b.useMaskColor_ = s.Read<bool>(k, true); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.useMaskColor_); }},
        {Setting::SoftBevel, "SOFT", "SOFT",
         [](B& b, S& s, const char* k) { b.softBevel_ = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.softBevel_); }},
        {Setting::PicturePosition, "PICPOS", "PICPOS",
         [](B& b, S& s, const char* k) { b.picturePosition_ = s.Read<int32_t>(k, 0); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.picturePosition_); }},
        {Setting::UseGreyscale, "NGREY", "NGREY",
         [](B& b, S& s, const char* k) { b.useGreyscale_ = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.useGreyscale_); }},
        {Setting::SpecialEffect, "FX", "FX",
         [](B& b, S& s, const char* k) { b.specialEffect_ = s.Read<int32_t>(k, 0); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.specialEffect_); }},
        // Through its setter, so that the pointer always follows it.
        {Setting::HandPointer, "HAND", "HAND",
         [](B& b, S& s, const char* k) { b.SetHandPointer(s.Read<bool>(k, false)); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.handPointer_); }},
        {Setting::CheckBoxBehaviour, "CHECK", "CHECK",
         [](B& b, S& s, const char* k) { b.checkBoxBehaviour_ = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.checkBoxBehaviour_); }},
        {Setting::Value, "VALUE", "VALUE",
         [](B& b, S& s, const char* k) { b.value_ = s.Read<bool>(k, false); },
         [](C& b, S& s, const char* k) { s.WriteProperty(k, b.value_); }},
    };
    return kSettings;
}

void vbButton::Notify(Setting setting) {
    for (const StoredSetting& row : StoredSettings()) {
        if (row.setting == setting) host_.properties->PropertyChanged(row.notifies);
    }
}

}  // namespace button
