#include <algorithm>
#include <array>

#include "button/vb_button.h"

namespace button {
namespace {

// The stored settings of a button that has none: every read gives the table's default.
class NoStoredSettings final : public forms::StoredProperties {
  public:
    forms::PropertyValue ReadProperty(std::string_view,
                                      forms::PropertyValue defaultValue) override {
        return defaultValue;
    }
    void WriteProperty(std::string_view, forms::PropertyValue) override {}
    void PropertyChanged(std::string_view) override {}
};

}  // namespace

void vbButton::OnCreate(const forms::ControlContainer& container) {
    host_ = container;
    ready_ = true;
}

// A button placed by a designer: no stored settings, so each setting takes its default from the
// table, but for the caption and font, which come from the container's ambient properties, and
// the pointer's settings, at their defaults in a new container already (the hand pointer's
// setter would show the arrow). Nothing is drawn or notified here.
void vbButton::OnInitNew() {
    constexpr std::array kFromContainer = {Setting::Caption, Setting::Font, Setting::MousePointer,
                                           Setting::MouseIcon, Setting::HandPointer};
    NoStoredSettings none;
    for (const StoredSetting& row : StoredSettings()) {
        if (std::find(kFromContainer.begin(), kFromContainer.end(), row.setting) ==
            kFromContainer.end())
            row.load(*this, none, row.key);
    }
    captionText_ = host_.ambient->Ambient().displayName;
    host_.window->SetFont(host_.ambient->Ambient().font);
    DerivePalette();
    LayoutCaption();
}

// Reads every key in the table's order; an absent key gives its default. A value that does
// not convert throws from Read and the keys after it are not read.
void vbButton::OnLoadSettings() {
    for (const StoredSetting& row : StoredSettings())
        row.load(*this, *host_.properties, row.key);
    host_.window->SetEnabled(enabled_);
    MeasurePicture();
    LayoutCaption();
    UpdateAccessKey();
}

void vbButton::OnSaveSettings() {
    for (const StoredSetting& row : StoredSettings())
        row.save(*this, *host_.properties, row.key);
}

// The system colours, or whether they are forced, changed: every scheme may draw anew.
void vbButton::OnAppearanceChanged() {
    if (ready_ && CurrentLook().capturesParent) CaptureParentBackground();
    DerivePalette();
    RedrawAsIs();
}

void vbButton::OnAmbientChanged(std::string_view) {
    if (ColorSchemeOf(colorScheme_) == ColorScheme::Own) return;
    DerivePalette();
    RedrawAsIs();
}

}  // namespace button
