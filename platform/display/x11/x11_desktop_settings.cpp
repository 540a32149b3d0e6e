#include "platform/display/x11/x11_desktop_settings.h"

#include <cstdlib>

#include "platform/display/desktop_scale.h"
#include "platform/display/x11/x11_display.h"

#include <X11/Xatom.h>

namespace platform {

X11DesktopSettings::X11DesktopSettings(Display* display)
    : x_(display),
      root_(DefaultRootWindow(display)),
      selection_(XInternAtom(
          display, ("_XSETTINGS_S" + std::to_string(DefaultScreen(display))).c_str(), False)),
      settingsProperty_(XInternAtom(display, "_XSETTINGS_SETTINGS", False)),
      managerMessage_(XInternAtom(display, "MANAGER", False)) {
    const char* gdkScale = std::getenv("GDK_SCALE");
    if (gdkScale) gdkScale_ = gdkScale;
    // The resources as they were when the display was opened.
    const char* resources = XResourceManagerString(x_);
    if (resources) resources_ = resources;
    // Asked for before the manager is looked for, so that none that comes meanwhile goes
    // unheard: a new manager announces itself with a message to the root window.
    XSelectInput(x_, root_, PropertyChangeMask | StructureNotifyMask);
    FindManager();
    scale_ = DesktopScale(gdkScale_, settings_, resources_);
}

bool X11DesktopSettings::Follow(const XEvent& event) {
    switch (event.type) {
        case ClientMessage:
            if (event.xclient.window != root_ || event.xclient.message_type != managerMessage_ ||
                event.xclient.format != 32 ||
                static_cast<Atom>(event.xclient.data.l[1]) != selection_)
                return false;
            FindManager();
            break;
        case PropertyNotify:
            if (manager_ && event.xproperty.window == manager_ &&
                event.xproperty.atom == settingsProperty_) {
                ReadSettings();
            } else if (event.xproperty.window == root_ &&
                       event.xproperty.atom == XA_RESOURCE_MANAGER) {
                if (const auto bytes = Read(root_, XA_RESOURCE_MANAGER, XA_STRING))
                    resources_.assign(bytes->begin(), bytes->end());
            } else {
                return false;
            }
            break;
        case DestroyNotify:
            if (!manager_ || event.xdestroywindow.window != manager_) return false;
            FindManager();
            break;
        default:
            return false;
    }
    scale_ = DesktopScale(gdkScale_, settings_, resources_);
    return true;
}

void X11DesktopSettings::FindManager() {
    // Anyone may send the announcement: the selection's owner is the manager. The one already
    // followed needs nothing more.
    const ::Window owner = XGetSelectionOwner(x_, selection_);
    if (owner == manager_) return;
    manager_ = owner;
    settings_.clear();
    if (!manager_) return;
    XSelectInput(x_, manager_, PropertyChangeMask | StructureNotifyMask);
    ReadSettings();
}

void X11DesktopSettings::ReadSettings() {
    const auto bytes = Read(manager_, settingsProperty_, settingsProperty_);
    if (!bytes) return;
    if (bytes->empty()) {
        settings_.clear();
    } else if (auto settings = ParseXSettings(*bytes)) {
        settings_ = *std::move(settings);
    }
}

std::optional<std::vector<uint8_t>> X11DesktopSettings::Read(::Window w, Atom name,
                                                             Atom type) const {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* raw = nullptr;
    // The length is counted in 32-bit units.
    const int status = XGetWindowProperty(x_, w, name, 0, kMaxSettingsBytes / 4, False, type,
                                          &actualType, &format, &count, &after, &raw);
    const XMemory<unsigned char> data(raw);
    if (status != Success) return std::nullopt;
    if (actualType == None) return std::vector<uint8_t>{};
    if (actualType != type || format != 8 || after != 0) return std::nullopt;
    return std::vector<uint8_t>(data.Get(), data.Get() + count);
}

}  // namespace platform
