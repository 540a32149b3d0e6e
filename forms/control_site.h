#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/container.h"
#include "forms/container_resources.h"
#include "forms/container_user_control.h"
#include "forms/property_bag.h"
#include "forms/site_events.h"
#include "forms/site_pointer.h"
#include "forms/site_properties.h"
#include "forms/site_timer.h"
#include "platform/ui/window.h"

namespace forms {

/// The container of one hosted control: a child window of a form's window that forwards its
/// input to the control, and the services of every ControlContainer role the control calls.
/// The roles with state of their own are served by objects the site owns (the pointer, the
/// child timer, the stored properties, the events); the site serves those that are views of its
/// window (window, surface, parent, placement, messages) and the ambient properties, whose
/// changes it tells the control.
///
/// The site drives the control's lifecycle: the constructor runs OnCreate, InitNew or Load
/// runs the new-instance or load call and the first OnResize, Show and Hide run OnShow and
/// OnHide, Save runs OnSaveSettings, and the destructor hides the control if it is shown and
/// runs OnDestroy. Calling InitNew or Load twice, or Show before either, throws
/// std::logic_error. The host's event handler may destroy the site; the control learns it
/// from RaiseEvent's result.
class ControlSite final : public ControlWindow,
                          public ControlSurface,
                          public ControlParent,
                          public ControlPlacement,
                          public HostAmbient,
                          public MessageQueue {
  public:
    /// `bounds` in pixels of the parent's client area. `resources` must outlive the site.
    ControlSite(platform::Window& parent, platform::Rect bounds,
                std::unique_ptr<UserControl> control, AmbientProperties ambient,
                const ResourceTable& resources);
    ~ControlSite() override;
    ControlSite(const ControlSite&) = delete;
    ControlSite& operator=(const ControlSite&) = delete;

    // Lifecycle.
    void InitNew();
    /// Loads the control's settings from `bag`. An error of the control's load reaches the
    /// caller; the control then stays unloaded.
    void Load(PropertyBag bag);
    void Show();
    void Hide();
    /// The settings to store: the control's extent in HIMETRIC ("_extentx", "_extenty"), then
    /// what the control writes.
    PropertyBag Save();

    UserControl& Control() { return *control_; }
    platform::Window& SiteWindow();
    /// Every role of the control's container, served by this site and the role objects it
    /// owns.
    ControlContainer Container();

    /// The name a screen reader speaks for the control, in place of the one it gives itself;
    /// empty leaves the control's own.
    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    /// The keyboard key that presses the control, which a screen reader names after the
    /// control's own access key ("<Alt>c;;7", or ";;7" without one); empty for none.
    void SetAccessibleShortcut(std::string shortcut) { accessibleShortcut_ = std::move(shortcut); }
    /// The window whose text a screen reader takes as the control's description and speaks
    /// again when it changes, as a key's reader hears the display it writes to.
    void SetAccessibleDescribedBy(const platform::Window& window) {
        accessibleDescribedBy_ = window.Handle();
    }

    /// Replaces the ambient properties and tells the control about each one that changed.
    void SetAmbient(AmbientProperties ambient);
    /// The keys of the property-change notifications received, oldest first.
    const std::vector<std::string>& Notifications() const { return properties_.Notifications(); }
    void ClearNotifications() { properties_.ClearNotifications(); }

    // The control's events, which its events role (Container().events) hands to the handler
    // with the control's index in its control group.
    void SetEventHandler(ControlEventHandler handler) { events_.SetHandler(std::move(handler)); }
    void SetIndex(std::optional<int32_t> index) { events_.SetIndex(index); }
    std::optional<int32_t> Index() const { return events_.Index(); }

    // ControlWindow.
    platform::WindowHandle Hwnd() const override;
    void SetShape(std::optional<platform::Region> shape, platform::ShapeTracer traced) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    const platform::FontDesc& Font() const override { return font_; }
    void SetFont(const platform::FontDesc& font) override { font_ = font; }
    void SetAccessKeys(std::string keys) override;
    // ControlSurface.
    platform::Surface& DrawingSurface() override;
    void ClearSurface() override;
    void RepaintNow() override;
    int32_t PixelsPerInch() const override;
    // ControlParent.
    std::optional<ParentColours> ParentDrawingColours() const override;
    void CopyParentArea(const platform::Rect& area, platform::Surface& into) const override;
    // ControlPlacement.
    int32_t Left() const override;
    int32_t Top() const override;
    int32_t Height() const override;
    void SetHeight(int32_t height) override;
    int32_t PixelsToContainer(int32_t pixels) const override;
    // HostAmbient.
    const AmbientProperties& Ambient() const override { return ambient_; }
    // MessageQueue.
    void DispatchPending() override;
    void SendKeys(std::string_view keys) override;

  private:
    class HostWindow;
    enum class Stage { Created, Running };

    void RequireStage(Stage stage, const char* call) const;

    std::unique_ptr<HostWindow> window_;
    std::unique_ptr<UserControl> control_;
    Stage stage_ = Stage::Created;
    AmbientProperties ambient_;
    std::string accessibleName_;
    std::string accessibleShortcut_;
    platform::WindowHandle accessibleDescribedBy_ = 0;
    platform::FontDesc font_;
    SitePointer pointer_;
    SiteTimer timer_;
    SiteProperties properties_;
    SiteEvents events_;
};

}  // namespace forms
