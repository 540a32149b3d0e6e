// The button's properties and methods, each handed to the control the button stands for.
#include <utility>

#include "forms/stored_bag.h"
#include "library/internals.h"

namespace tavik {

vbButton::vbButton(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

vbButton::~vbButton() = default;

OleColor vbButton::BackColor() const {
    return parts_->control->BackColor();
}
void vbButton::SetBackColor(OleColor colour) {
    parts_->control->SetBackColor(colour);
}
OleColor vbButton::BackOver() const {
    return parts_->control->BackOver();
}
void vbButton::SetBackOver(OleColor colour) {
    parts_->control->SetBackOver(colour);
}
OleColor vbButton::ForeColor() const {
    return parts_->control->ForeColor();
}
void vbButton::SetForeColor(OleColor colour) {
    parts_->control->SetForeColor(colour);
}
OleColor vbButton::ForeOver() const {
    return parts_->control->ForeOver();
}
void vbButton::SetForeOver(OleColor colour) {
    parts_->control->SetForeOver(colour);
}
OleColor vbButton::MaskColor() const {
    return parts_->control->MaskColor();
}
void vbButton::SetMaskColor(OleColor colour) {
    parts_->control->SetMaskColor(colour);
}
int32_t vbButton::ColorScheme() const {
    return parts_->control->ColorScheme();
}
void vbButton::SetColorScheme(int32_t scheme) {
    parts_->control->SetColorScheme(scheme);
}
bool vbButton::SoftBevel() const {
    return parts_->control->SoftBevel();
}
void vbButton::SetSoftBevel(bool on) {
    parts_->control->SetSoftBevel(on);
}

int32_t vbButton::ButtonType() const {
    return parts_->control->ButtonType();
}
void vbButton::SetButtonType(int32_t type) {
    parts_->control->SetButtonType(type);
}
const std::string& vbButton::Caption() const {
    return parts_->control->Caption();
}
void vbButton::SetCaption(std::string text) {
    parts_->control->SetCaption(std::move(text));
}
int32_t vbButton::SpecialEffect() const {
    return parts_->control->SpecialEffect();
}
void vbButton::SetSpecialEffect(int32_t effect) {
    parts_->control->SetSpecialEffect(effect);
}
bool vbButton::ShowFocusRect() const {
    return parts_->control->ShowFocusRect();
}
void vbButton::SetShowFocusRect(bool on) {
    parts_->control->SetShowFocusRect(on);
}

Font vbButton::Font() const {
    return FontOf(parts_->control->Font());
}
void vbButton::SetFont(const tavik::Font& font) {
    parts_->control->SetFont(DescriptionOf(font));
}
bool vbButton::FontBold() const {
    return parts_->control->FontBold();
}
void vbButton::SetFontBold(bool on) {
    parts_->control->SetFontBold(on);
}
bool vbButton::FontItalic() const {
    return parts_->control->FontItalic();
}
void vbButton::SetFontItalic(bool on) {
    parts_->control->SetFontItalic(on);
}
bool vbButton::FontUnderline() const {
    return parts_->control->FontUnderline();
}
void vbButton::SetFontUnderline(bool on) {
    parts_->control->SetFontUnderline(on);
}
int16_t vbButton::FontSize() const {
    return parts_->control->FontSize();
}
void vbButton::SetFontSize(float points) {
    parts_->control->SetFontSize(points);
}
const std::string& vbButton::FontName() const {
    return parts_->control->FontName();
}
void vbButton::SetFontName(std::string name) {
    parts_->control->SetFontName(std::move(name));
}

Picture vbButton::PictureNormal() const {
    return Internals::MakePicture(parts_->control->PictureNormal());
}
void vbButton::SetPictureNormal(const Picture& picture) {
    parts_->control->SetPictureNormal(Internals::PictureOf(picture));
}
Picture vbButton::PictureOver() const {
    return Internals::MakePicture(parts_->control->PictureOver());
}
void vbButton::SetPictureOver(const Picture& picture) {
    parts_->control->SetPictureOver(Internals::PictureOf(picture));
}
int32_t vbButton::PicturePosition() const {
    return parts_->control->PicturePosition();
}
void vbButton::SetPicturePosition(int32_t position) {
    parts_->control->SetPicturePosition(position);
}
bool vbButton::UseMaskColor() const {
    return parts_->control->UseMaskColor();
}
void vbButton::SetUseMaskColor(bool on) {
    parts_->control->SetUseMaskColor(on);
}
bool vbButton::UseGreyscale() const {
    return parts_->control->UseGreyscale();
}
void vbButton::SetUseGreyscale(bool on) {
    parts_->control->SetUseGreyscale(on);
}

int32_t vbButton::MousePointer() const {
    return parts_->control->MousePointer();
}
void vbButton::SetMousePointer(int32_t pointer) {
    parts_->control->SetMousePointer(pointer);
}
Picture vbButton::MouseIcon() const {
    return Internals::MakePicture(parts_->control->MouseIcon());
}
void vbButton::SetMouseIcon(const Picture& icon) {
    parts_->control->SetMouseIcon(Internals::PictureOf(icon));
}
bool vbButton::HandPointer() const {
    return parts_->control->HandPointer();
}
void vbButton::SetHandPointer(bool on) {
    parts_->control->SetHandPointer(on);
}

bool vbButton::Enabled() const {
    return parts_->control->Enabled();
}
void vbButton::SetEnabled(bool on) {
    parts_->control->SetEnabled(on);
}
bool vbButton::CheckBoxBehaviour() const {
    return parts_->control->CheckBoxBehaviour();
}
void vbButton::SetCheckBoxBehaviour(bool on) {
    parts_->control->SetCheckBoxBehaviour(on);
}
bool vbButton::Value() const {
    return parts_->control->Value();
}
void vbButton::SetValue(bool on) {
    parts_->control->SetValue(on);
}
int32_t vbButton::hwnd() const {
    return parts_->control->hwnd();
}
std::string vbButton::Version() const {
    return parts_->control->Version();
}

void vbButton::DisableRefresh() {
    parts_->control->DisableRefresh();
}
void vbButton::Refresh() {
    parts_->control->Refresh();
}

std::vector<uint8_t> vbButton::SaveSettings() {
    return forms::WriteStoredBag(parts_->site->Save());
}

}  // namespace tavik
