#include <cmath>
#include <limits>

#include "button/vb_button.h"
#include "platform/objects/font_stream.h"

namespace button {
namespace {

// A font goes to the window only as its stream can store it, so that saved settings load back
// the same font.
void CheckSize(int64_t sizeCy) {
    if (sizeCy < 1 || sizeCy > platform::kMaxFontSizeCy) {
        throw InvalidPropertyValue("font size of " + std::to_string(sizeCy) +
                                   " ten-thousandths of a point is not 1.." +
                                   std::to_string(platform::kMaxFontSizeCy));
    }
}

void CheckName(const std::string& name) {
    if (name.size() > platform::kMaxFontNameBytes) {
        throw InvalidPropertyValue("font name of " + std::to_string(name.size()) +
                                   " bytes is longer than " +
                                   std::to_string(platform::kMaxFontNameBytes));
    }
}

}  // namespace

// Every setter but the font shortcuts ends by telling the host which stored key changed.

void vbButton::SetBackColor(OleColor colour) {
    backColor_ = colour;
    if (DesignMode()) backOver_ = colour;
    DerivePalette();
    RedrawAsIs();
    Notify(Setting::BackColor);
}

void vbButton::SetBackOver(OleColor colour) {
    backOver_ = colour;
    DerivePalette();
    RedrawAsIs();
    Notify(Setting::BackOver);
}

void vbButton::SetForeColor(OleColor colour) {
    foreColor_ = colour;
    if (DesignMode()) foreOver_ = colour;
    DerivePalette();
    RedrawAsIs();
    Notify(Setting::ForeColor);
}

void vbButton::SetForeOver(OleColor colour) {
    foreOver_ = colour;
    DerivePalette();
    RedrawAsIs();
    Notify(Setting::ForeOver);
}

void vbButton::SetMaskColor(OleColor colour) {
    maskColor_ = colour;
    DerivePalette();
    RedrawAsIs();
    Notify(Setting::MaskColor);
}

void vbButton::SetButtonType(int32_t type) {
    buttonType_ = type;
    const Look& look = CurrentLook();
    if (look.boldWhenChosenInDesign && DesignMode()) {
        platform::FontDesc font = host_.window->Font();
        font.SetBold(true);
        host_.window->SetFont(font);
    } else if (look.capturesParent && ready_) {
        CaptureParentBackground();
    }
    HandleResize();
    Notify(Setting::ButtonType);
}

void vbButton::SetCaption(std::string text) {
    captionText_ = std::move(text);
    UpdateAccessKey();
    LayoutCaption();
    RedrawUp();
    Notify(Setting::Caption);
}

void vbButton::SetEnabled(bool on) {
    enabled_ = on;
    RedrawUp();
    host_.window->SetEnabled(on);
    Notify(Setting::Enabled);
}

const platform::FontDesc& vbButton::Font() const {
    return host_.window->Font();
}

void vbButton::SetFont(const platform::FontDesc& font) {
    CheckSize(font.sizeCy);
    CheckName(font.name);
    UseFont(font);
    Notify(Setting::Font);
}

bool vbButton::FontBold() const {
    return Font().Bold();
}
bool vbButton::FontItalic() const {
    return Font().italic;
}
bool vbButton::FontUnderline() const {
    return Font().underline;
}
const std::string& vbButton::FontName() const {
    return Font().name;
}

int16_t vbButton::FontSize() const {
    // Whole points, halves to even, from the size in ten-thousandths of a point.
    const int64_t cy = Font().sizeCy;
    int64_t points = cy / 10000;
    const int64_t rest = cy % 10000;
    if (rest > 5000 || (rest == 5000 && points % 2 != 0)) ++points;
    if (points < std::numeric_limits<int16_t>::min() ||
        points > std::numeric_limits<int16_t>::max()) {
        throw OverflowError("FontSize " + std::to_string(points) + " does not fit 16 bits");
    }
    return static_cast<int16_t>(points);
}

void vbButton::SetFontBold(bool on) {
    ChangeFont([on](platform::FontDesc& font) { font.SetBold(on); });
}

void vbButton::SetFontItalic(bool on) {
    ChangeFont([on](platform::FontDesc& font) { font.italic = on; });
}

void vbButton::SetFontUnderline(bool on) {
    ChangeFont([on](platform::FontDesc& font) { font.underline = on; });
}

void vbButton::SetFontSize(float points) {
    // Checked before converting to an integer, which NaN, infinities and huge sizes cannot be.
    const double sizeCy = std::round(static_cast<double>(points) * 10000.0);
    if (!(sizeCy >= 1 && sizeCy <= static_cast<double>(platform::kMaxFontSizeCy))) {
        throw InvalidPropertyValue("FontSize " + std::to_string(points) +
                                   " is not 0.0001..429496.7295 points");
    }
    ChangeFont([sizeCy](platform::FontDesc& font) { font.sizeCy = static_cast<int64_t>(sizeCy); });
}

void vbButton::SetFontName(std::string name) {
    CheckName(name);
    ChangeFont([&name](platform::FontDesc& font) { font.name = std::move(name); });
}

void vbButton::ChangeFont(const std::function<void(platform::FontDesc& font)>& change) {
    platform::FontDesc font = Font();
    change(font);
    UseFont(font);
}

void vbButton::UseFont(const platform::FontDesc& font) {
    host_.window->SetFont(font);
    LayoutCaption();
    RedrawUp();
}

void vbButton::SetColorScheme(int32_t scheme) {
    colorScheme_ = scheme;
    DerivePalette();
    RedrawUp();
    Notify(Setting::ColorScheme);
}

void vbButton::SetShowFocusRect(bool on) {
    showFocusRect_ = on;
    RedrawAsIs();
    Notify(Setting::ShowFocusRect);
}

int32_t vbButton::MousePointer() const {
    return host_.pointer->MousePointer();
}

void vbButton::SetMousePointer(int32_t pointer) {
    if (pointer < std::numeric_limits<int16_t>::min() ||
        pointer > std::numeric_limits<int16_t>::max()) {
        throw OverflowError("MousePointer " + std::to_string(pointer) + " does not fit 16 bits");
    }
    host_.pointer->SetMousePointer(static_cast<int16_t>(pointer));
    Notify(Setting::MousePointer);
}

PicturePtr vbButton::MouseIcon() const {
    return host_.pointer->MouseIcon();
}

void vbButton::SetMouseIcon(PicturePtr icon) {
    try {
        host_.pointer->SetMouseIcon(std::move(icon));
    } catch (const forms::PointerImageError&) {
        // A picture that cannot be a pointer leaves the pointer as it was.
    }
    Notify(Setting::MouseIcon);
}

void vbButton::SetHandPointer(bool on) {
    handPointer_ = on;
    if (on) {
        PicturePtr hand;
        try {
            hand = host_.pointer->LoadCursorResource(kHandCursorId);
        } catch (const forms::ResourceError&) {
            // A program without the hand cursor shows the pointer without an image.
        }
        host_.pointer->SetMouseIcon(std::move(hand));
        host_.pointer->SetMousePointer(forms::kPointerCustom);
    } else {
        host_.pointer->SetMouseIcon(nullptr);
        host_.pointer->SetMousePointer(forms::kPointerArrow);
    }
    Notify(Setting::HandPointer);
}

int32_t vbButton::hwnd() const {
    return static_cast<int32_t>(host_.window->Hwnd());
}

void vbButton::SetSoftBevel(bool on) {
    softBevel_ = on;
    DerivePalette();
    RedrawAsIs();
    Notify(Setting::SoftBevel);
}

void vbButton::SetPictureNormal(PicturePtr picture) {
    pictureNormal_ = std::move(picture);
    MeasurePicture();
    LayoutCaption();
    RedrawAsIs();
    Notify(Setting::PictureNormal);
}

void vbButton::SetPictureOver(PicturePtr picture) {
    pictureOver_ = std::move(picture);
    if (interaction_.hover) RedrawAsIs();
    Notify(Setting::PictureOver);
}

void vbButton::SetPicturePosition(int32_t position) {
    picturePosition_ = position;
    Notify(Setting::PicturePosition);
    LayoutCaption();
    RedrawAsIs();
}

void vbButton::SetUseMaskColor(bool on) {
    useMaskColor_ = on;
    if (pictureNormal_) RedrawAsIs();
    Notify(Setting::UseMaskColor);
}

void vbButton::SetUseGreyscale(bool on) {
    useGreyscale_ = on;
    if (pictureNormal_) RedrawAsIs();
    Notify(Setting::UseGreyscale);
}

void vbButton::SetSpecialEffect(int32_t effect) {
    specialEffect_ = effect;
    RedrawAsIs();
    Notify(Setting::SpecialEffect);
}

void vbButton::SetCheckBoxBehaviour(bool on) {
    checkBoxBehaviour_ = on;
    RedrawAsIs();
    Notify(Setting::CheckBoxBehaviour);
}

void vbButton::SetValue(bool on) {
    value_ = on;
    if (checkBoxBehaviour_) RedrawUp();
    Notify(Setting::Value);
}

void vbButton::DisableRefresh() {
    ready_ = false;
}

void vbButton::Refresh() {
    if (CurrentLook().capturesParent) CaptureParentBackground();
    DerivePalette();
    LayoutCaption();
    ready_ = true;
    RedrawAsIs();
}

bool vbButton::DesignMode() const {
    return !host_.ambient->Ambient().userMode;
}
bool vbButton::DisplayAsDefault() const {
    return host_.ambient->Ambient().displayAsDefault;
}
platform::Surface& vbButton::Surface() {
    return host_.surface->DrawingSurface();
}

}  // namespace button
