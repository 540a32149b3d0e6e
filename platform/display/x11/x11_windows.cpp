#include "platform/display/x11/x11_windows.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/display/desktop_scale.h"
#include "platform/display/swap_red_blue.h"
#include "platform/display/x11/x11_put_pixels.h"
#include "platform/display/x11/x11_startup.h"
#include "platform/display/x11/x11_text.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

namespace platform {
namespace {

// The Motif window manager hints: which functions (move, close, ...) and which parts of the
// frame a window asks for.
constexpr unsigned long kMotifFunctionsGiven = 1;
constexpr unsigned long kMotifDecorationsGiven = 2;
constexpr unsigned long kMotifFunctionMove = 4;
constexpr unsigned long kMotifFunctionClose = 32;
constexpr unsigned long kMotifDecorationBorder = 2;
constexpr unsigned long kMotifDecorationTitle = 8;
constexpr unsigned long kMotifDecorationMenu = 16;

X11Atom WindowTypeOf(WindowRole role) {
    switch (role) {
        case WindowRole::Dialog:
            return kNetWmWindowTypeDialog;
        case WindowRole::Splash:
            return kNetWmWindowTypeSplash;
        case WindowRole::Main:
            break;
    }
    return kNetWmWindowTypeNormal;
}

/// The top-level window's position as the desktop's window managers expect it in the size
/// hints: proposed by the program (not the user), so that the window manager may move it, say
/// off a panel; the place of the client area itself, with the frame around it (static
/// gravity); and neither smaller nor larger than its client area.
XSizeHints FixedSizeHints(const NativeWindowDesc& desc) {
    XSizeHints hints{};
    hints.flags = PPosition | PWinGravity | PMinSize | PMaxSize;
    hints.win_gravity = StaticGravity;
    hints.x = desc.position.x;
    hints.y = desc.position.y;
    hints.min_width = hints.max_width = desc.clientSize.width;
    hints.min_height = hints.max_height = desc.clientSize.height;
    return hints;
}

}  // namespace

X11Windows::X11Windows(const X11Display& display, std::string programName, std::string startupId)
    : display_(display),
      x_(display.X()),
      programName_(std::move(programName)),
      programClass_(programName_),
      startupId_(std::move(startupId)),
      leader_({x_, XCreateWindow(x_, display.Root(), -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                                 CopyFromParent, 0, nullptr)}),
      gc_({x_, XCreateGC(x_, display.Root(), 0, nullptr)}) {
    if (!programClass_.empty())
        programClass_[0] =
            static_cast<char>(std::toupper(static_cast<unsigned char>(programClass_[0])));
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) hostName_ = host;
}

X11Windows::~X11Windows() {
    // A program that ends without a window still ends its launch.
    if (!startupId_.empty()) EndLaunch(x_, display_.Root(), leader_.Get().id, startupId_);
}

NativeWindowId X11Windows::CreateNativeWindow(const NativeWindowDesc& logical) {
    // From here on, device pixels: the place at the desktop's scale, the size at the window's.
    const DeviceScale desktop = display_.Scale();
    NativeWindowDesc desc = logical;
    desc.position = {desktop.Edge(logical.position.x), desktop.Edge(logical.position.y)};
    desc.clientSize = {logical.scale.Edge(logical.clientSize.width),
                       logical.scale.Edge(logical.clientSize.height)};
    XSetWindowAttributes attributes{};
    // No background: the server leaves newly exposed parts alone until they are presented,
    // so the window never flashes a colour of its own.
    attributes.background_pixmap = None;
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                            LeaveWindowMask | FocusChangeMask | StructureNotifyMask;
    attributes.cursor = shownPointer_;
    const ::Window w = XCreateWindow(x_, display_.Root(), desc.position.x, desc.position.y,
                                     static_cast<unsigned>(std::max(1, desc.clientSize.width)),
                                     static_cast<unsigned>(std::max(1, desc.clientSize.height)), 0,
                                     CopyFromParent, InputOutput, CopyFromParent,
                                     CWBackPixmap | CWEventMask | CWCursor, &attributes);
    Shown& shown = windows_
                       .emplace(static_cast<NativeWindowId>(w), Shown{XWindowOwned({x_, w}),
                                                                      logical.clientSize,
                                                                      desc.clientSize,
                                                                      false,
                                                                      false,
                                                                      XPixmapOwned(),
                                                                      Rect{},
                                                                      {},
                                                                      desc.pixels})
                       .first->second;

    SetTitle(w, desc.title);
    XSizeHints size = FixedSizeHints(desc);
    XSetWMNormalHints(x_, w, &size);
    SetIdentity(w);
    if (!desc.icons.empty()) SetIcons(w, desc.icons);
    SetPlaceOnDesktop(w, desc);
    SetFrame(w, desc.bordered);
    // Set before the window is mapped, so it never appears at the wrong opacity.
    SetWindowOpacity(w, desc.opacity);

    // The first window ends the launch that started the program: the window manager finds
    // the launch by the id, and the desktop stops showing it as starting once it maps.
    if (!startupId_.empty()) {
        shown.launch = std::exchange(startupId_, {});
        XChangeProperty(x_, w, display_.AtomOf(kNetStartupId), display_.AtomOf(kUtf8String), 8,
                        PropModeReplace,
                        reinterpret_cast<const unsigned char*>(shown.launch.data()),
                        static_cast<int>(shown.launch.size()));
    }
    return static_cast<NativeWindowId>(w);
}

void X11Windows::DestroyNativeWindow(NativeWindowId id) {
    const auto it = windows_.find(id);
    if (it == windows_.end()) return;
    // A window that goes before it mapped leaves its launch to the next one.
    if (!it->second.launch.empty()) startupId_ = std::move(it->second.launch);
    windows_.erase(it);
}

void X11Windows::SetOpacity(NativeWindowId id, uint8_t opacity) {
    if (windows_.contains(id)) SetWindowOpacity(id, opacity);
}

void X11Windows::Activate(NativeWindowId id, std::string_view startupToken) {
    const auto it = windows_.find(id);
    if (it == windows_.end() || !it->second.exposed) return;
    // A window manager brings a window forward, minimised or not, when asked through
    // _NET_ACTIVE_WINDOW (1: asked by the program itself), at the time of the user's request:
    // the launch's, else the last key or click; its focus-stealing prevention weighs that time.
    const Time launched = LaunchTime(startupToken);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = id;
    message.xclient.message_type = display_.AtomOf(kNetActiveWindow);
    message.xclient.format = 32;
    message.xclient.data.l[0] = 1;
    message.xclient.data.l[1] = static_cast<long>(launched != CurrentTime ? launched : userTime_);
    XSendEvent(x_, display_.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &message);
    // Without a window manager the window is raised and focused here; mapping a minimised
    // window asks a window manager to restore it.
    XMapRaised(x_, id);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(x_, id, &attributes) && attributes.map_state == IsViewable)
        XSetInputFocus(x_, id, RevertToParent, CurrentTime);
}

void X11Windows::Present(NativeWindowId id, const Rect& changed) {
    const auto it = windows_.find(id);
    if (it == windows_.end()) return;
    Shown& shown = it->second;
    if (!shown.mapped) {
        MapDrawn(id, shown);
    } else if (shown.exposed) {
        Put(id, shown, changed);
    } else {
        shown.unshown = shown.unshown.Union(changed);
    }
}

// The window goes on the screen complete: its whole first picture is put into a pixmap that
// becomes the window's background before the window is mapped, so the server paints it as it
// shows the window, before a compositor or the screen sees any of it.
void X11Windows::MapDrawn(::Window w, Shown& shown) {
    const Rect all{0, 0, shown.deviceSize.width, shown.deviceSize.height};
    if (!all.IsEmpty()) {
        shown.background =
            XPixmapOwned({x_, XCreatePixmap(x_, w, static_cast<unsigned>(all.Width()),
                                            static_cast<unsigned>(all.Height()),
                                            static_cast<unsigned>(display_.Depth()))});
        PutPixels(display_, shown.background.Get().id, gc_.Get().id, shown.pixels, all, band_);
        XSetWindowBackgroundPixmap(x_, w, shown.background.Get().id);
    }
    XMapWindow(x_, w);
    shown.mapped = true;
    if (!shown.launch.empty()) EndLaunch(x_, display_.Root(), w, std::exchange(shown.launch, {}));
}

void X11Windows::SetScale(NativeWindowId id, DeviceScale scale) {
    const auto it = windows_.find(id);
    if (it == windows_.end()) return;
    Shown& shown = it->second;
    const Size size{scale.Edge(shown.logicalSize.width), scale.Edge(shown.logicalSize.height)};
    // The window keeps its centre: its client area's place on the screen, moved by half the
    // growth. The fixed size is changed first, or the window manager would refuse the new one.
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(x_, id, display_.Root(), 0, 0, &x, &y, &child);
    NativeWindowDesc place;
    place.position = {x - (size.width - shown.deviceSize.width) / 2,
                      y - (size.height - shown.deviceSize.height) / 2};
    place.clientSize = size;
    XSizeHints hints = FixedSizeHints(place);
    XSetWMNormalHints(x_, id, &hints);
    XMoveResizeWindow(x_, id, place.position.x, place.position.y,
                      static_cast<unsigned>(std::max(1, size.width)),
                      static_cast<unsigned>(std::max(1, size.height)));
    shown.deviceSize = size;
}

void X11Windows::Flush() {
    XFlush(x_);
}

void X11Windows::SetPointer(const PointerImage* pointer) {
    if (!pointer) {
        if (!arrow_) arrow_ = XCursorOwned({x_, XCreateFontCursor(x_, XC_left_ptr)});
        ShowPointer(arrow_.Get().id);
        return;
    }
    const DeviceScale scale = display_.Scale();
    const bool same = colourPointer_ && scale == colourScale_ &&
                      pointer->image == colourPicture_.image &&
                      pointer->hotSpotX == colourPicture_.hotSpotX &&
                      pointer->hotSpotY == colourPicture_.hotSpotY;
    if (same) {
        ShowPointer(colourPointer_.Get().id);
        return;
    }
    // Scaled as the desktop scales windows, the hot spot at its pixel's top-left device pixel.
    const Image& picture = pointer->image;
    const int32_t width = scale.Edge(picture.width);
    const int32_t height = scale.Edge(picture.height);
    const Owned<XcursorImage*, XcursorImageDestroy> image(XcursorImageCreate(width, height));
    if (!image) return;  // the pointer shown so far stays
    image->xhot = static_cast<XcursorDim>(std::clamp(scale.Edge(pointer->hotSpotX), 0, width - 1));
    image->yhot = static_cast<XcursorDim>(std::clamp(scale.Edge(pointer->hotSpotY), 0, height - 1));
    if (!CopyPointerPixels(picture, scale, image->pixels)) return;
    XCursorOwned made({x_, XcursorImageLoadCursor(x_, image.Get())});
    if (!made) return;
    ShowPointer(made.Get().id);
    colourPointer_ = std::move(made);
    colourPicture_ = *pointer;
    colourScale_ = scale;
}

void X11Windows::RescalePointer() {
    if (!colourPointer_ || shownPointer_ != colourPointer_.Get().id) return;
    const PointerImage shown = colourPicture_;
    SetPointer(&shown);
}

void X11Windows::TookUserInput(::Window w, Time time) {
    if (time == CurrentTime || time == userTime_) return;
    userTime_ = time;
    display_.SetCardinals(w, kNetWmUserTime, &userTime_, 1);
}

void X11Windows::Exposed(::Window w, const Rect& area) {
    const auto it = windows_.find(w);
    if (it == windows_.end()) return;
    Shown& shown = it->second;
    Rect exposed = area;
    if (!shown.exposed) {
        // The server has painted the first picture as the window's background: only what
        // changed since goes, and the background is given up (later exposures are composed
        // anew, as the picture may have changed).
        shown.exposed = true;
        exposed = std::exchange(shown.unshown, Rect{});
        if (shown.background) {
            XSetWindowBackgroundPixmap(x_, w, None);
            shown.background = XPixmapOwned();
        }
    }
    if (!exposed.IsEmpty()) Put(w, shown, exposed);
}

void X11Windows::Gone(::Window w) {
    const auto it = windows_.find(w);
    if (it == windows_.end()) return;
    it->second.window.Take();  // already destroyed: it is not destroyed again
    windows_.erase(it);
}

void X11Windows::SetTitle(::Window w, const std::string& title) {
    const std::string latin1 = Latin1FromUtf8(title);
    XChangeProperty(x_, w, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()),
                    static_cast<int>(latin1.size()));
    XChangeProperty(x_, w, display_.AtomOf(kNetWmName), display_.AtomOf(kUtf8String), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
}

void X11Windows::SetIdentity(::Window w) {
    XWMHints hints{};
    hints.flags = InputHint | StateHint | WindowGroupHint;
    hints.input = True;
    hints.initial_state = NormalState;
    hints.window_group = leader_.Get().id;
    XSetWMHints(x_, w, &hints);
    XClassHint classHint{programName_.data(), programClass_.data()};
    XSetClassHint(x_, w, &classHint);
    // The close box asks the program; a window manager's ping finds out whether it still
    // answers.
    Atom protocols[] = {display_.AtomOf(kWmDeleteWindow), display_.AtomOf(kNetWmPing)};
    XSetWMProtocols(x_, w, protocols, 2);
    // The process id means something only together with the machine it runs on.
    XTextProperty machine{reinterpret_cast<unsigned char*>(hostName_.data()), XA_STRING, 8,
                          hostName_.size()};
    XSetWMClientMachine(x_, w, &machine);
    const unsigned long pid = static_cast<unsigned long>(getpid());
    display_.SetCardinals(w, kNetWmPid, &pid, 1);
    // A window the user's last key or click opened may take the focus; without any input yet,
    // the window manager decides by the launch.
    if (userTime_ != CurrentTime) display_.SetCardinals(w, kNetWmUserTime, &userTime_, 1);
}

void X11Windows::SetIcons(::Window w, std::span<const Image> icons) {
    // For each size: width, height, then the pixels as 0xAARRGGBB, one per long (a property of
    // format 32). The desktop picks the size it shows. The values go out a chunk at a time,
    // appended to the property, so that a large icon needs no copy of its own size (at 8 bytes
    // a long, twice the icon's).
    constexpr size_t kChunk = 8192;
    std::vector<unsigned long> values;
    values.reserve(kChunk);
    int mode = PropModeReplace;
    const auto send = [&] {
        XChangeProperty(x_, w, display_.AtomOf(kNetWmIcon), XA_CARDINAL, 32, mode,
                        reinterpret_cast<const unsigned char*>(values.data()),
                        static_cast<int>(values.size()));
        mode = PropModeAppend;
        values.clear();
    };
    const auto add = [&](unsigned long value) {
        values.push_back(value);
        if (values.size() == kChunk) send();
    };
    for (const Image& icon : icons) {
        add(static_cast<unsigned long>(icon.width));
        add(static_cast<unsigned long>(icon.height));
        for (const uint32_t c : icon.pixels)
            add(((c & 0xFF) << 16) | (c & 0xFF00FF00) | ((c >> 16) & 0xFF));
    }
    if (!values.empty()) send();
}

void X11Windows::SetPlaceOnDesktop(::Window w, const NativeWindowDesc& desc) {
    const unsigned long leaderWindow = leader_.Get().id;
    XChangeProperty(x_, w, display_.AtomOf(kWmClientLeader), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&leaderWindow), 1);
    // An owner that is not on the screen yet leaves the window transient for the root window:
    // for the program's whole window group.
    if (desc.owner) XSetTransientForHint(x_, w, *desc.owner ? *desc.owner : display_.Root());
    display_.SetAtoms(w, kNetWmWindowType, {WindowTypeOf(desc.role)});
    std::vector<X11Atom> states;
    if (desc.modal && desc.owner) states.push_back(kNetWmStateModal);
    if (desc.role == WindowRole::Splash) states.push_back(kNetWmStateSkipTaskbar);
    if (!states.empty()) display_.SetAtoms(w, kNetWmState, states);
}

void X11Windows::SetFrame(::Window w, bool bordered) {
    // Flags, functions, decorations, input mode, status. A bordered window can be moved and
    // closed, with a title bar and the window menu; a borderless one asks for no frame at all.
    unsigned long hints[5] = {kMotifDecorationsGiven, 0, 0, 0, 0};
    if (bordered) {
        hints[0] |= kMotifFunctionsGiven;
        hints[1] = kMotifFunctionMove | kMotifFunctionClose;
        hints[2] = kMotifDecorationBorder | kMotifDecorationTitle | kMotifDecorationMenu;
    }
    XChangeProperty(x_, w, display_.AtomOf(kMotifWmHints), display_.AtomOf(kMotifWmHints), 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(hints), 5);
}

void X11Windows::SetWindowOpacity(::Window w, uint8_t opacity) {
    // A compositing window manager blends the window by this value; without one it stays
    // opaque.
    const unsigned long value = static_cast<unsigned long>(opacity) * 0xFFFFFFFFul / 255;
    display_.SetCardinals(w, kNetWmWindowOpacity, &value, 1);
}

void X11Windows::Put(::Window w, const Shown& shown, const Rect& area) {
    const Rect put = area.Intersect({0, 0, shown.deviceSize.width, shown.deviceSize.height});
    if (!put.IsEmpty()) PutPixels(display_, w, gc_.Get().id, shown.pixels, put, band_);
}

void X11Windows::ShowPointer(Cursor pointer) {
    shownPointer_ = pointer;
    for (const auto& [id, shown] : windows_)
        XDefineCursor(x_, id, pointer);
}

}  // namespace platform
