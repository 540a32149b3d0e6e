#include "button/vb_button.h"

namespace button {

void vbButton::OnCreate(const forms::ControlContainer& container) {
    host_ = container;
    ready_ = true;
}

// A button placed by a designer: no stored settings. Nothing is drawn or notified here.
void vbButton::OnInitNew() {
    enabled_ = true;
    showFocusRect_ = true;
    useMaskColor_ = true;
    captionText_ = host_.ambient->Ambient().displayName;
    host_.window->SetFont(host_.ambient->Ambient().font);
    buttonType_ = static_cast<int32_t>(ButtonType::Classic);
    colorScheme_ = static_cast<int32_t>(ColorScheme::System);
    DerivePalette();
    // The first palette seeds the colours, as plain colours rather than system references.
    backColor_ = backOver_ = palette_.Face;
    maskColor_ = kDefaultMaskColor;
    foreColor_ = foreOver_ = palette_.Text;
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

void vbButton::OnAmbientChanged(std::string_view) {
    if (ColorSchemeOf(colorScheme_) == ColorScheme::Own) return;
    DerivePalette();
    RedrawAsIs();
}

}  // namespace button
