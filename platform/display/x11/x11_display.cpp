#include "platform/display/x11/x11_display.h"

#include <stdexcept>

#include "platform/display/x11/x11_errors.h"

#include <X11/Xatom.h>

namespace platform {
namespace {

constexpr const char* kAtomNames[kAtomCount] = {
    "WM_PROTOCOLS",
    "WM_DELETE_WINDOW",
    "_NET_WM_PING",
    "WM_CLIENT_LEADER",
    "_NET_WM_NAME",
    "UTF8_STRING",
    "_NET_WM_ICON",
    "_NET_WM_PID",
    "_NET_WM_USER_TIME",
    "_NET_STARTUP_ID",
    "_NET_WM_WINDOW_OPACITY",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_WM_WINDOW_TYPE_DIALOG",
    "_NET_WM_WINDOW_TYPE_SPLASH",
    "_NET_WM_STATE",
    "_NET_WM_STATE_MODAL",
    "_NET_WM_STATE_SKIP_TASKBAR",
    "_NET_ACTIVE_WINDOW",
    "_MOTIF_WM_HINTS",
};

}  // namespace

X11Display::X11Display() : display_(Open(this)), settings_(display_.Get()) {
    Display* x = X();
    const int screen = DefaultScreen(x);
    root_ = RootWindow(x, screen);
    visual_ = DefaultVisual(x, screen);
    depth_ = DefaultDepth(x, screen);
    if (visual_->c_class != TrueColor)
        throw std::runtime_error("the display shows no true colour: only 8-bit colour maps");
    int formatCount = 0;
    const XMemory<XPixmapFormatValues> formats(XListPixmapFormats(x, &formatCount));
    for (int i = 0; formats && i < formatCount; ++i)
        if (formats.Get()[i].depth == depth_) pixelBits_ = formats.Get()[i].bits_per_pixel;
    XInternAtoms(x, const_cast<char**>(kAtomNames), kAtomCount, False, atoms_);
}

Display* X11Display::Open(X11Display* self) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        throw std::runtime_error(std::string("cannot open the display \"") + XDisplayName(nullptr) +
                                 "\"");
    KeepXErrorsFromEndingTheProgram(display, &X11Display::OnLost, self);
    return display;
}

void X11Display::OnLost(Display*, void* self) {
    static_cast<X11Display*>(self)->lost_ = true;
}

std::string X11Display::Name() const {
    return std::string("the display \"") + DisplayString(X()) + "\"";
}

void X11Display::SetCardinals(::Window w, X11Atom property, const unsigned long* values,
                              int count) const {
    XChangeProperty(X(), w, AtomOf(property), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), count);
}

void X11Display::SetAtoms(::Window w, X11Atom property, const std::vector<X11Atom>& names) const {
    std::vector<unsigned long> values;
    for (const X11Atom name : names)
        values.push_back(AtomOf(name));
    XChangeProperty(X(), w, AtomOf(property), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

}  // namespace platform
