#include "forms/control_site.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "forms/units.h"
#include "platform/objects/ole_color.h"
#include "platform/objects/picture.h"
#include "platform/ui/window_system.h"

namespace forms {

// The site's child window: hands the window system's calls to the hosted control.
class ControlSite::HostWindow final : public platform::Window {
  public:
    HostWindow(ControlSite& site, platform::Window& parent, platform::Rect bounds)
        : Window(parent.System(), &parent, bounds), site_(site) {}

    void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override {
        site_.control_->OnMouseDown(button, shift, x, y);
    }
    void OnMouseMove(int32_t buttons, int32_t shift, int32_t x, int32_t y) override {
        site_.control_->OnMouseMove(buttons, shift, x, y);
    }
    void OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) override {
        site_.control_->OnMouseUp(button, shift, x, y);
    }
    void OnClick() override { site_.control_->OnClick(); }
    void OnDoubleClick() override { site_.control_->OnDoubleClick(); }
    void OnKeyDown(int32_t& keyCode, int32_t shift) override {
        site_.control_->OnKeyDown(keyCode, shift);
    }
    void OnKeyPress(int32_t& charCode) override { site_.control_->OnKeyPress(charCode); }
    void OnKeyUp(int32_t& keyCode, int32_t shift) override {
        site_.control_->OnKeyUp(keyCode, shift);
    }
    void OnGotFocus() override { site_.control_->OnGotFocus(); }
    void OnLostFocus() override { site_.control_->OnLostFocus(); }
    void OnAccessKey() override { site_.control_->OnAccessKey(); }
    void OnTimer(int32_t id) override {
        if (id == SiteTimer::kWindowTimerId) site_.control_->OnTimer();
    }
    // Resizes before the first one, which InitNew or Load sends, are not the control's.
    void OnResize() override {
        if (site_.stage_ == Stage::Running) site_.control_->OnResize();
    }
    void OnShow() override { site_.control_->OnShow(); }
    void OnHide() override { site_.control_->OnHide(); }
    void OnAppearanceChanged() override {
        if (site_.stage_ == Stage::Running) site_.control_->OnAppearanceChanged();
    }
    // What the host says of the control (its name, shortcut, describing window) comes before
    // what the control says of itself.
    platform::AccessibleDescription Describe() const override {
        platform::AccessibleDescription description = site_.control_->Describe();
        if (!site_.accessibleName_.empty()) description.name = site_.accessibleName_;
        description.AddShortcut(site_.accessibleShortcut_);
        if (site_.accessibleDescribedBy_ != 0)
            description.describedBy = site_.accessibleDescribedBy_;
        return description;
    }
    void OnAccessibleAction(int32_t part, std::string_view action) override {
        if (part < 0) site_.control_->OnAccessibleAction(action);
    }

  private:
    ControlSite& site_;
};

ControlSite::ControlSite(platform::Window& parent, platform::Rect bounds,
                         std::unique_ptr<UserControl> control, AmbientProperties ambient,
                         const ResourceTable& resources)
    : window_(std::make_unique<HostWindow>(*this, parent, bounds)),
      control_(std::move(control)),
      ambient_(std::move(ambient)),
      pointer_(*window_, resources),
      timer_(*window_),
      events_(*window_) {
    window_->SetFocusable(true);
    window_->SetTakesDoubleClicks(control_->TakesDoubleClicks());
    control_->OnCreate(Container());
}

ControlSite::~ControlSite() {
    window_->Hide();
    control_->OnDestroy();
    control_.reset();
}

platform::Window& ControlSite::SiteWindow() {
    return *window_;
}

ControlContainer ControlSite::Container() {
    return {.window = this,
            .surface = this,
            .pointer = &pointer_,
            .parent = this,
            .placement = this,
            .properties = &properties_,
            .events = &events_,
            .timer = &timer_,
            .ambient = this,
            .messages = this};
}

// ---- Lifecycle ----------------------------------------------------------------------------

void ControlSite::RequireStage(Stage stage, const char* call) const {
    if (stage_ != stage) throw std::logic_error(std::string(call) + " out of lifecycle order");
}

void ControlSite::InitNew() {
    RequireStage(Stage::Created, "InitNew");
    control_->OnInitNew();
    stage_ = Stage::Running;
    control_->OnResize();
}

void ControlSite::Load(PropertyBag bag) {
    RequireStage(Stage::Created, "Load");
    properties_.SetBag(std::move(bag));
    control_->OnLoadSettings();
    // The settings are the control's now: the bag is not kept beside them.
    properties_.SetBag(PropertyBag());
    stage_ = Stage::Running;
    control_->OnResize();
}

void ControlSite::Show() {
    RequireStage(Stage::Running, "Show");
    window_->Show();
}

void ControlSite::Hide() {
    window_->Hide();
}

PropertyBag ControlSite::Save() {
    RequireStage(Stage::Running, "Save");
    properties_.SetBag(PropertyBag());
    properties_.WriteProperty("_extentx", platform::PixelsToHimetric(window_->ClientWidth()));
    properties_.WriteProperty("_extenty", platform::PixelsToHimetric(window_->ClientHeight()));
    control_->OnSaveSettings();
    return properties_.TakeBag();
}

void ControlSite::SetAmbient(AmbientProperties ambient) {
    const AmbientProperties old = std::exchange(ambient_, std::move(ambient));
    if (old.displayName != ambient_.displayName) control_->OnAmbientChanged("DisplayName");
    if (old.font != ambient_.font) control_->OnAmbientChanged("Font");
    if (old.userMode != ambient_.userMode) control_->OnAmbientChanged("UserMode");
    if (old.displayAsDefault != ambient_.displayAsDefault)
        control_->OnAmbientChanged("DisplayAsDefault");
}

// ---- The window ---------------------------------------------------------------------------

platform::WindowHandle ControlSite::Hwnd() const {
    return window_->Handle();
}

void ControlSite::SetShape(std::optional<platform::Region> shape, platform::ShapeTracer traced) {
    window_->SetShape(std::move(shape), std::move(traced));
}

bool ControlSite::Enabled() const {
    return window_->IsEnabled();
}

void ControlSite::SetEnabled(bool enabled) {
    window_->SetEnabled(enabled);
}

void ControlSite::SetAccessKeys(std::string keys) {
    window_->SetAccessKeys(std::move(keys));
}

// ---- Drawing ------------------------------------------------------------------------------

platform::Surface& ControlSite::DrawingSurface() {
    return window_->DrawingSurface();
}

void ControlSite::ClearSurface() {
    // A cleared surface shows the system button-face colour, a user control's background.
    platform::Surface& surface = window_->DrawingSurface();
    const platform::Color colour = platform::SystemColor(platform::SystemColorIndex::ButtonFace);
    for (int32_t y = 0; y < surface.Height(); ++y)
        std::fill_n(surface.Row(y), surface.Width(), colour);
    window_->Invalidate();
}

void ControlSite::RepaintNow() {
    window_->Invalidate();
    window_->UpdateNow();
}

int32_t ControlSite::PixelsPerInch() const {
    return kDpi;
}

// ---- The parent window -------------------------------------------------------------------

std::optional<ParentColours> ControlSite::ParentDrawingColours() const {
    const platform::Window* parent = window_->Parent();
    if (!parent) return std::nullopt;
    const platform::Surface& surface = parent->DrawingSurface();
    return ParentColours{surface.backgroundColor, surface.textColor};
}

void ControlSite::CopyParentArea(const platform::Rect& area, platform::Surface& into) const {
    if (const platform::Window* parent = window_->Parent()) parent->CopyOwnPixels(area, into);
}

// ---- Place in the container ---------------------------------------------------------------

int32_t ControlSite::Left() const {
    return PixelsToContainer(window_->Bounds().left);
}

int32_t ControlSite::Top() const {
    return PixelsToContainer(window_->Bounds().top);
}

int32_t ControlSite::Height() const {
    return PixelsToContainer(window_->ClientHeight());
}

void ControlSite::SetHeight(int32_t height) {
    platform::Rect bounds = window_->Bounds();
    bounds.bottom = bounds.top + std::max(0, TwipsToPixels(height));
    window_->SetBounds(bounds);
}

int32_t ControlSite::PixelsToContainer(int32_t pixels) const {
    return PixelsToTwips(pixels);
}

// ---- Messages -----------------------------------------------------------------------------

void ControlSite::DispatchPending() {
    window_->System().DispatchPending();
}

void ControlSite::SendKeys(std::string_view keys) {
    window_->System().SendKeys(keys);
}

}  // namespace forms
