#include "forms/form.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "forms/light_control.h"
#include "forms/timer.h"
#include "forms/units.h"
#include "platform/gfx/draw_image.h"
#include "platform/gfx/rect_paint.h"
#include "platform/gfx/region.h"
#include "platform/objects/ole_color.h"

namespace forms {
namespace {

platform::Rect ClientRect(const FormDesign& design) {
    return {0, 0, TwipsToPixels(design.widthTwips), TwipsToPixels(design.heightTwips)};
}

}  // namespace

Form::Form(platform::WindowSystem& system, const FormDesign& design)
    : platform::Window(system, nullptr, ClientRect(design), platform::WindowPixels::DrawnOnDemand),
      backColor_(design.backColor),
      font_(design.font) {
    if (design.picture) SetPicture(design.picture);
    SetTitle(design.caption);
    SetRole(design.role);
    SetBordered(design.bordered);
    SetCentred(design.centred);
    SetIcon(design.icon);
    // The form takes the keys itself when none of its controls can.
    SetFocusable(true);
}

Form::~Form() = default;

void Form::SetBackColor(platform::OleColor ole) {
    backColor_ = ole;
    RepaintArea({0, 0, ClientWidth(), ClientHeight()});
}

bool Form::Load() {
    if (loaded_) return true;
    loaded_ = true;
    if (!loadHandler_) return true;
    platform::WindowSystem& system = System();
    const platform::WindowHandle self = Handle();
    const std::function<void()> handler = loadHandler_;
    handler();
    return system.Find(self) != nullptr && !system.QuitRequested();
}

bool Form::ShowForm() {
    if (!Load()) return false;
    Show();
    return true;
}

void Form::ShowModal() {
    if (!Load()) return;
    System().RunModal(*this);
}

void Form::RepaintArea(const platform::Rect& rect) {
    const platform::Rect area = rect.Intersect({0, 0, ClientWidth(), ClientHeight()});
    if (!area.IsEmpty()) Invalidate(area);
}

LightControl* Form::LightControlAt(platform::Point client) const {
    for (auto it = lightControls_.rbegin(); it != lightControls_.rend(); ++it) {
        LightControl* c = *it;
        if (c->IsVisible() && c->TakesMouse() && c->Bounds().Contains(client)) return c;
    }
    return nullptr;
}

void Form::SetPicture(const std::shared_ptr<const platform::Picture>& picture) {
    if (picture) return SetPictureFile(picture->FileBytes());
    pictureFile_.clear();
    shownPicture_.reset();
    RepaintArea({0, 0, ClientWidth(), ClientHeight()});
}

void Form::SetPictureFile(std::span<const uint8_t> file) {
    platform::ValueOrThrow(platform::DecodePictureTopLeft(file, 1, 1));
    pictureFile_.assign(file.begin(), file.end());
    shownPicture_.reset();
    RepaintArea({0, 0, ClientWidth(), ClientHeight()});
}

const platform::ImagePart* Form::ShownPicture() const {
    if (pictureFile_.empty()) return nullptr;
    if (!shownPicture_) {
        shownPicture_ =
            platform::DecodePictureTopLeft(pictureFile_, ClientWidth() + 1, ClientHeight() + 1);
    }
    return shownPicture_->IsError() ? nullptr : &shownPicture_->Value();
}

void Form::DrawArea(platform::Surface& into, platform::Point origin,
                    const platform::Rect& area) const {
    platform::FillRect(into, area.Offset(origin.x, origin.y),
                       platform::DrawnColor(backColor_, platform::SystemColorIndex::Window));
    // Forced colours leave out the picture behind the controls, which no colour of the
    // desktop's would stand out from.
    if (!platform::ForcedColors()) {
        if (const platform::ImagePart* picture = ShownPicture())
            platform::DrawImageTopLeft(into, origin, *picture);
    }
    for (const LightControl* c : lightControls_) {
        if (c->IsVisible() && !c->Bounds().Intersect(area).IsEmpty()) c->Paint(into, origin);
    }
}

void Form::OnMouseDown(int32_t button, int32_t /*shift*/, int32_t x, int32_t y) {
    if (button == platform::kButtonLeft) pressed_ = LightControlAt({x, y});
}

void Form::OnMouseMove(int32_t /*buttons*/, int32_t /*shift*/, int32_t x, int32_t y) {
    const LightControl* c = LightControlAt({x, y});
    platform::PointerKind kind = platform::PointerKind::Default;
    std::shared_ptr<const platform::PointerImage> image;
    if (c && c->Pointer() != platform::PointerKind::Default) {
        kind = c->Pointer();
        image = c->PointerPicture();
    }
    if (kind != Pointer() || image != PointerPicture()) SetPointer(kind, std::move(image));
}

void Form::OnClick() {
    // The click belongs to the light control that was pressed when the release is over it
    // too; a press and release over the background belong to the form.
    LightControl* pressed = pressed_;
    pressed_ = nullptr;
    const platform::Point at = ScreenToClient(System().PointerPosition());
    LightControl* released = LightControlAt(at);
    if (pressed != released) return;
    if (pressed) {
        pressed->OnClick();
    } else if (clickHandler_) {
        const std::function<void()> handler = clickHandler_;
        handler();
    }
}

void Form::OnKeyPress(int32_t& charCode) {
    if (!keyPressHandler_) return;
    const std::function<void(int32_t&)> handler = keyPressHandler_;
    handler(charCode);
}

void Form::OnTimer(int32_t id) {
    const auto it = std::find_if(timers_.begin(), timers_.end(),
                                 [id](const auto& entry) { return entry.first == id; });
    if (it != timers_.end()) it->second->Fire();
}

bool Form::OnCloseRequest() {
    bool cancel = false;
    if (closeHandler_) {
        const std::function<void(bool&)> handler = closeHandler_;
        handler(cancel);
    }
    return !cancel;
}

void Form::OnShow() {
    platform::WindowSystem& system = System();
    platform::Window* focus = system.FocusWindow();
    if (focus && focus != this && focus->TopLevel() == this) return;
    // The first focusable control in tab order, or the form itself.
    std::vector<platform::Window*> candidates;
    std::vector<platform::Window*> walk(Children().rbegin(), Children().rend());
    while (!walk.empty()) {
        platform::Window* w = walk.back();
        walk.pop_back();
        if (w->IsFocusable() && w->IsShown() && w->IsEffectivelyEnabled()) candidates.push_back(w);
        walk.insert(walk.end(), w->Children().rbegin(), w->Children().rend());
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const platform::Window* a, const platform::Window* b) {
                         return a->TabIndex() < b->TabIndex();
                     });
    system.SetFocus(candidates.empty() ? this : candidates.front());
}

void Form::OnHide() {
    shownPicture_.reset();
}

int32_t Form::AddTimer(Timer& timer) {
    const int32_t id = nextTimerId_++;
    timers_.emplace_back(id, &timer);
    return id;
}

void Form::RemoveTimer(int32_t id) {
    KillTimer(id);
    std::erase_if(timers_, [id](const auto& entry) { return entry.first == id; });
}

platform::AccessibleDescription Form::Describe() const {
    return {.role = platform::AccessibleRole::Frame};
}

std::vector<platform::AccessiblePart> Form::DescribeParts() const {
    std::vector<platform::AccessiblePart> parts;
    for (const LightControl* control : lightControls_)
        parts.push_back({control->Describe(), control->Bounds(), control->IsVisible()});
    return parts;
}

void Form::OnAccessibleAction(int32_t part, std::string_view action) {
    if (part >= 0 && static_cast<size_t>(part) < lightControls_.size())
        lightControls_[static_cast<size_t>(part)]->OnAccessibleAction(action);
}

}  // namespace forms
