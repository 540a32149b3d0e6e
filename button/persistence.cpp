#include "button/vb_button.h"

namespace button {

void vbButton::OnCreate(const forms::ControlContainer& container) {
    host = container;
    ready = true;
}

// A button placed by a designer: no stored settings. Nothing is drawn or notified here.
void vbButton::OnInitNew() {
    enabled = true;
    showFocusRect = true;
    useMaskColor = true;
    captionText = host.ambient->Ambient().displayName;
    host.window->SetFont(host.ambient->Ambient().font);
    buttonType = static_cast<int32_t>(ButtonType::Classic);
    colorScheme = static_cast<int32_t>(ColorScheme::System);
    DerivePalette();
    // The first palette seeds the colours, as plain colours rather than system references.
    backColor = backOver = palette.Face;
    maskColor = kDefaultMaskColor;
    foreColor = foreOver = palette.Text;
    LayoutCaption();
}

// Reads every key in the table's order; an absent key gives its default. A value that does
// not convert throws from Read and the keys after it are not read.
void vbButton::OnLoadSettings() {
    for (const StoredSetting& row : StoredSettings())
        row.load(*this, *host.properties, row.key);
    host.window->SetEnabled(enabled);
    MeasurePicture();
    LayoutCaption();
    UpdateAccessKey();
}

void vbButton::OnSaveSettings() {
    for (const StoredSetting& row : StoredSettings())
        row.save(*this, *host.properties, row.key);
}

void vbButton::OnAmbientChanged(std::string_view) {
    if (ColorSchemeOf(colorScheme) == ColorScheme::Own) return;
    DerivePalette();
    RedrawAsIs();
}

}  // namespace button
