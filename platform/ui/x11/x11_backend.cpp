#include "platform/ui/x11/x11_backend.h"

#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/ui/descriptor_watches.h"
#include "platform/ui/desktop_scale.h"
#include "platform/ui/keys.h"
#include "platform/ui/keysyms.h"
#include "platform/ui/swap_red_blue.h"
#include "platform/ui/window_system.h"
#include "platform/ui/x11/x11_clipboard.h"
#include "platform/ui/x11/x11_errors.h"
#include "platform/ui/x11/x11_monitors.h"
#include "platform/ui/x11/x11_startup.h"
#include "platform/ui/x11/x11_text.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

namespace platform {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

enum AtomName {
    kWmProtocols,
    kWmDeleteWindow,
    kNetWmPing,
    kWmClientLeader,
    kNetWmName,
    kUtf8String,
    kNetWmIcon,
    kNetWmPid,
    kNetWmUserTime,
    kNetStartupId,
    kNetWmWindowOpacity,
    kNetWmWindowType,
    kNetWmWindowTypeNormal,
    kNetWmWindowTypeDialog,
    kNetWmWindowTypeSplash,
    kNetWmState,
    kNetWmStateModal,
    kNetWmStateSkipTaskbar,
    kNetActiveWindow,
    kMotifWmHints,
    kAtomCount
};

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

// The Motif window manager hints: which functions (move, close, ...) and which parts of the
// frame a window asks for.
constexpr unsigned long kMotifFunctionsGiven = 1;
constexpr unsigned long kMotifDecorationsGiven = 2;
constexpr unsigned long kMotifFunctionMove = 4;
constexpr unsigned long kMotifFunctionClose = 32;
constexpr unsigned long kMotifDecorationBorder = 2;
constexpr unsigned long kMotifDecorationTitle = 8;
constexpr unsigned long kMotifDecorationMenu = 16;

AtomName WindowTypeOf(WindowRole role) {
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

/// Pixels converted per XPutImage: a band of rows keeps the conversion buffer small (64 KB)
/// whatever the size of the window.
constexpr int32_t kBandPixels = 16384;

/// The 8-bit channel `value` placed in the bits of `mask`, keeping its most significant bits.
unsigned long ChannelBits(uint32_t value, unsigned long mask) {
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                           : static_cast<unsigned long>(value >> (8 - bits));
    return (scaled << shift) & mask;
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

/// The shift bits of an input event's modifier state: Alt is the first modifier, as on every
/// X desktop.
int32_t ShiftBits(unsigned int state) {
    return ((state & ShiftMask) ? kShiftShift : 0) | ((state & ControlMask) ? kShiftCtrl : 0) |
           ((state & Mod1Mask) ? kShiftAlt : 0);
}

int32_t ButtonBit(unsigned int xButton) {
    switch (xButton) {
        case Button1:
            return kButtonLeft;
        case Button2:
            return kButtonMiddle;
        case Button3:
            return kButtonRight;
        default:
            return 0;
    }
}

}  // namespace

struct X11Backend::State {
    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() {
        if (!display) return;
        if (!startupId.empty()) EndLaunch(X(), root, leader, startupId);
        if (gc) XFreeGC(display.get(), gc);
    }

    DisplayPtr display;
    std::string programName;
    std::string programClass;
    std::string hostName;
    // When the user last pressed a key or button in one of our windows, on the display's
    // clock; CurrentTime (0) before the first.
    unsigned long userTime = CurrentTime;
    ::Window root = 0;
    // The leader of the program's window group: never mapped, it names the group that the
    // desktop keeps together (and that a window owned by one not yet shown belongs to).
    ::Window leader = 0;
    Visual* visual = nullptr;
    int depth = 0;
    // Every window shows each logical pixel as a scale x scale block.
    int32_t scale = 1;
    GC gc = nullptr;
    Atom atoms[kAtomCount] = {};
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    WindowSystem* system = nullptr;
    // Our windows, and whether the display has exposed each yet: until it has, the window is
    // not on the screen (a window manager may still be deciding where it goes) and drawing
    // into it would be lost. The first exposure shows the whole framebuffer.
    std::map<NativeWindowId, bool> windows;
    std::vector<uint32_t> band;

    // The pointer shown over every window: the arrow (made when first needed) or a colour
    // pointer and the picture it was made from, so that setting an equal picture keeps it.
    Cursor arrow = 0;
    Cursor colourPointer = 0;
    PointerImage colourPicture;
    Cursor shownPointer = 0;

    std::optional<X11Clipboard> clipboard;
    DescriptorWatches watches;
    // The launch that started the program, until its first window is on the screen.
    std::string startupId;

    Display* X() const { return display.get(); }
    Atom AtomOf(AtomName name) const { return atoms[name]; }
    bool IsOurs(::Window w) const { return windows.contains(static_cast<NativeWindowId>(w)); }

    /// The window system's top-level window shown in X window `w`, or null.
    Window* TopLevelOf(::Window w) const {
        if (!system || !IsOurs(w)) return nullptr;
        for (Window* top : system->TopLevels())
            if (top->NativeId() == w) return top;
        return nullptr;
    }

    void SetCardinals(::Window w, AtomName property, const unsigned long* values, int count) {
        XChangeProperty(X(), w, AtomOf(property), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values), count);
    }
    void SetTitle(::Window w, const std::string& title);
    void SetIcons(::Window w, std::span<const Image> icons);
    void SetPlaceOnDesktop(::Window w, const NativeWindowDesc& desc);
    void SetFrame(::Window w, bool bordered);
    void SetAtoms(::Window w, AtomName property, const std::vector<AtomName>& names);
    void SetOpacity(::Window w, uint8_t opacity);
    void Put(::Window w, const Surface& framebuffer, const Rect& area);
    void ShowPointer(Cursor pointer);

    void Deliver(XEvent& event);
    /// Where the client area of the window that `configure` reports on now lies on the screen.
    Point ClientOrigin(const XConfigureEvent& configure) const;
    /// The close box's request and the window manager's ping.
    void WindowManagerMessage(const XClientMessageEvent& message);
    /// A key or button pressed at `time` in window `w`: the window manager learns when the user
    /// last used the program, so that a window opened in answer may take the focus.
    void TookUserInput(::Window w, Time time);
    /// The pointer is at (x, y) of window `w`, with the modifiers of `state` held.
    void MovePointer(::Window w, int32_t x, int32_t y, unsigned int state);
    void KeyDown(XKeyEvent& key);
    void KeyUp(XKeyEvent& key);
};

X11Backend::X11Backend(std::string programName, std::string startupId)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.programName = std::move(programName);
    s.startupId = std::move(startupId);
    s.programClass = s.programName;
    if (!s.programClass.empty())
        s.programClass[0] =
            static_cast<char>(std::toupper(static_cast<unsigned char>(s.programClass[0])));
    s.display.reset(XOpenDisplay(nullptr));
    if (!s.display)
        throw std::runtime_error(std::string("cannot open the display \"") + XDisplayName(nullptr) +
                                 "\"");
    KeepXErrorsFromEndingTheProgram();
    Display* x = s.X();
    s.clipboard.emplace(x, [&s](unsigned long w) { return s.IsOurs(w) || w == s.leader; });
    const int screen = DefaultScreen(x);
    s.root = RootWindow(x, screen);
    s.visual = DefaultVisual(x, screen);
    s.depth = DefaultDepth(x, screen);
    if (s.visual->c_class != TrueColor)
        throw std::runtime_error("the display shows no true colour: only 8-bit colour maps");
    const char* gdkScale = std::getenv("GDK_SCALE");
    const char* resources = XResourceManagerString(x);
    s.scale = DesktopScale(gdkScale ? gdkScale : "", resources ? resources : "");
    s.gc = XCreateGC(x, s.root, 0, nullptr);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) s.hostName = host;
    XInternAtoms(x, const_cast<char**>(kAtomNames), kAtomCount, False, s.atoms);
    s.leader = XCreateWindow(x, s.root, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                             0, nullptr);
    // A held key then repeats its press alone, without a release before each repeat.
    XkbSetDetectableAutoRepeat(x, True, nullptr);
}

X11Backend::~X11Backend() = default;

std::string X11Backend::SessionName() {
    const char* variable = std::getenv("DISPLAY");
    std::string name = variable ? variable : "";
    const size_t colon = name.rfind(':');
    if (colon == std::string::npos) return name;
    const size_t dot = name.find('.', colon);
    if (dot != std::string::npos) name.erase(dot);
    if (name.starts_with("unix:")) name.erase(0, 4);
    return name;
}

void X11Backend::Attach(WindowSystem& system) {
    state_->system = &system;
}

NativeWindowId X11Backend::CreateNativeWindow(const NativeWindowDesc& logical) {
    State& s = *state_;
    Display* x = s.X();
    NativeWindowDesc desc = logical;
    desc.position = {logical.position.x * s.scale, logical.position.y * s.scale};
    desc.clientSize = {logical.clientSize.width * s.scale, logical.clientSize.height * s.scale};
    XSetWindowAttributes attributes{};
    // No background: the server leaves newly exposed parts alone until they are presented,
    // so the window never flashes a colour of its own.
    attributes.background_pixmap = None;
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                            LeaveWindowMask | StructureNotifyMask;
    attributes.cursor = s.shownPointer;
    const ::Window w = XCreateWindow(x, s.root, desc.position.x, desc.position.y,
                                     static_cast<unsigned>(std::max(1, desc.clientSize.width)),
                                     static_cast<unsigned>(std::max(1, desc.clientSize.height)), 0,
                                     CopyFromParent, InputOutput, CopyFromParent,
                                     CWBackPixmap | CWEventMask | CWCursor, &attributes);

    s.SetTitle(w, desc.title);
    XSizeHints size = FixedSizeHints(desc);
    XSetWMNormalHints(x, w, &size);
    XWMHints hints{};
    hints.flags = InputHint | StateHint | WindowGroupHint;
    hints.input = True;
    hints.initial_state = NormalState;
    hints.window_group = s.leader;
    XSetWMHints(x, w, &hints);
    XClassHint classHint{s.programName.data(), s.programClass.data()};
    XSetClassHint(x, w, &classHint);
    // The close box asks the program; a window manager's ping finds out whether it still
    // answers.
    Atom protocols[] = {s.AtomOf(kWmDeleteWindow), s.AtomOf(kNetWmPing)};
    XSetWMProtocols(x, w, protocols, 2);
    // The process id means something only together with the machine it runs on.
    XTextProperty machine{reinterpret_cast<unsigned char*>(s.hostName.data()), XA_STRING, 8,
                          s.hostName.size()};
    XSetWMClientMachine(x, w, &machine);
    const unsigned long pid = static_cast<unsigned long>(getpid());
    s.SetCardinals(w, kNetWmPid, &pid, 1);
    // A window the user's last key or click opened may take the focus; without any input yet,
    // the window manager decides by the launch.
    if (s.userTime != CurrentTime) s.SetCardinals(w, kNetWmUserTime, &s.userTime, 1);
    if (!desc.icons.empty()) s.SetIcons(w, desc.icons);
    s.SetPlaceOnDesktop(w, desc);
    s.SetFrame(w, desc.bordered);
    // Set before the window is mapped, so it never appears at the wrong opacity.
    s.SetOpacity(w, desc.opacity);

    // The first window ends the launch that started the program: the window manager finds
    // the launch by the id, and the desktop stops showing it as starting.
    const bool endsLaunch = !s.startupId.empty();
    if (endsLaunch)
        XChangeProperty(x, w, s.AtomOf(kNetStartupId), s.AtomOf(kUtf8String), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(s.startupId.data()),
                        static_cast<int>(s.startupId.size()));
    XMapWindow(x, w);
    if (endsLaunch) EndLaunch(x, s.root, w, std::exchange(s.startupId, {}));
    s.windows.emplace(static_cast<NativeWindowId>(w), false);
    return static_cast<NativeWindowId>(w);
}

void X11Backend::DestroyNativeWindow(NativeWindowId id) {
    State& s = *state_;
    if (s.windows.erase(id) == 0) return;
    XDestroyWindow(s.X(), id);
}

void X11Backend::SetOpacity(NativeWindowId id, uint8_t opacity) {
    if (state_->IsOurs(id)) state_->SetOpacity(id, opacity);
}

void X11Backend::Activate(NativeWindowId id, std::string_view startupToken) {
    State& s = *state_;
    const auto it = s.windows.find(id);
    if (it == s.windows.end() || !it->second) return;
    Display* x = s.X();
    // A window manager brings a window forward, minimised or not, when asked through
    // _NET_ACTIVE_WINDOW (1: asked by the program itself), at the time of the user's request:
    // the launch's, else the last key or click; its focus-stealing prevention weighs that time.
    const Time launched = LaunchTime(startupToken);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = id;
    message.xclient.message_type = s.AtomOf(kNetActiveWindow);
    message.xclient.format = 32;
    message.xclient.data.l[0] = 1;
    message.xclient.data.l[1] = static_cast<long>(launched != CurrentTime ? launched : s.userTime);
    XSendEvent(x, s.root, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
    // Without a window manager the window is raised and focused here; mapping a minimised
    // window asks a window manager to restore it.
    XMapRaised(x, id);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(x, id, &attributes) && attributes.map_state == IsViewable)
        XSetInputFocus(x, id, RevertToParent, CurrentTime);
}

void X11Backend::Present(NativeWindowId id, const Surface& framebuffer, const Rect& changed) {
    const auto it = state_->windows.find(id);
    if (it == state_->windows.end() || !it->second) return;
    const Rect area = changed.Intersect(framebuffer.Bounds());
    if (!area.IsEmpty()) state_->Put(id, framebuffer, area);
}

void X11Backend::Flush() {
    XFlush(state_->X());
}

void X11Backend::Bell() {
    XBell(state_->X(), 0);
}

void X11Backend::SetPointer(const PointerImage* pointer) {
    State& s = *state_;
    Display* x = s.X();
    if (!pointer) {
        if (!s.arrow) s.arrow = XCreateFontCursor(x, XC_left_ptr);
        s.ShowPointer(s.arrow);
        return;
    }
    const bool same = s.colourPointer && pointer->image == s.colourPicture.image &&
                      pointer->hotSpotX == s.colourPicture.hotSpotX &&
                      pointer->hotSpotY == s.colourPicture.hotSpotY;
    if (same) {
        s.ShowPointer(s.colourPointer);
        return;
    }
    // Scaled as the windows are: each pixel a block, the hot spot at its block's corner.
    const Image& picture = pointer->image;
    const int32_t k = s.scale;
    const int32_t width = picture.width * k;
    const int32_t height = picture.height * k;
    XcursorImage* image = XcursorImageCreate(width, height);
    if (!image) return;  // the pointer shown so far stays
    image->xhot = static_cast<XcursorDim>(std::clamp(pointer->hotSpotX * k, 0, width - 1));
    image->yhot = static_cast<XcursorDim>(std::clamp(pointer->hotSpotY * k, 0, height - 1));
    CopyPointerPixels(picture, k, image->pixels);
    const Cursor made = XcursorImageLoadCursor(x, image);
    XcursorImageDestroy(image);
    if (!made) return;
    s.ShowPointer(made);
    if (s.colourPointer) XFreeCursor(x, s.colourPointer);
    s.colourPointer = made;
    s.colourPicture = *pointer;
}

int32_t X11Backend::Scale() const {
    return state_->scale;
}

Rect X11Backend::WorkArea(std::optional<Point> near) const {
    const int32_t k = state_->scale;
    if (near) near = Point{near->x * k, near->y * k};
    const Rect area = MonitorWorkArea(state_->X(), state_->root, near);
    return {area.left / k, area.top / k, area.right / k, area.bottom / k};
}

std::string X11Backend::ClipboardText() const {
    return state_->clipboard->Text();
}

void X11Backend::SetClipboardText(const std::string& text) {
    state_->clipboard->SetText(text);
}

int64_t X11Backend::NowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 state_->start)
        .count();
}

void X11Backend::WatchDescriptor(int fd, std::function<void()> onReadable) {
    state_->watches.Add(fd, std::move(onReadable));
}

void X11Backend::UnwatchDescriptor(int fd) {
    state_->watches.Remove(fd);
}

bool X11Backend::WaitForEvents(int64_t deadlineMs) {
    State& s = *state_;
    Display* x = s.X();
    XFlush(x);
    if (XPending(x) == 0) {
        const int timeout =
            deadlineMs == kNoDeadline
                ? -1
                : static_cast<int>(std::clamp<int64_t>(deadlineMs - NowMs(), 0, INT_MAX));
        std::vector<pollfd> fds{{ConnectionNumber(x), POLLIN, 0}};
        s.watches.AppendTo(fds);
        const int ready = poll(fds.data(), fds.size(), timeout);
        if (ready < 0) return errno == EINTR;
        if (ready == 0) return true;
        if (s.watches.RunReady(fds, 1) || fds[0].revents == 0) return true;
        if ((fds[0].revents & POLLIN) == 0) return false;  // the display hung up
        if (XPending(x) == 0) return true;
    }
    // One event per call: a handler may end the loop that called, and the events after it
    // then belong to the loop that is left.
    XEvent event;
    XNextEvent(x, &event);
    state_->Deliver(event);
    return true;
}

void X11Backend::DeliverPending() {
    Display* x = state_->X();
    XSync(x, False);
    while (XPending(x) > 0) {
        XEvent event;
        XNextEvent(x, &event);
        state_->Deliver(event);
    }
}

void X11Backend::State::SetTitle(::Window w, const std::string& title) {
    const std::string latin1 = Latin1FromUtf8(title);
    XChangeProperty(X(), w, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()),
                    static_cast<int>(latin1.size()));
    XChangeProperty(X(), w, AtomOf(kNetWmName), AtomOf(kUtf8String), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
}

void X11Backend::State::SetIcons(::Window w, std::span<const Image> icons) {
    // For each size: width, height, then the pixels as 0xAARRGGBB, one per long (a property of
    // format 32). The desktop picks the size it shows.
    size_t count = 0;
    for (const Image& icon : icons)
        count += 2 + icon.pixels.size();
    std::vector<unsigned long> values;
    values.reserve(count);
    for (const Image& icon : icons) {
        values.push_back(static_cast<unsigned long>(icon.width));
        values.push_back(static_cast<unsigned long>(icon.height));
        for (const uint32_t c : icon.pixels)
            values.push_back(((c & 0xFF) << 16) | (c & 0xFF00FF00) | ((c >> 16) & 0xFF));
    }
    SetCardinals(w, kNetWmIcon, values.data(), static_cast<int>(values.size()));
}

void X11Backend::State::SetPlaceOnDesktop(::Window w, const NativeWindowDesc& desc) {
    const unsigned long leaderWindow = leader;
    XChangeProperty(X(), w, AtomOf(kWmClientLeader), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&leaderWindow), 1);
    // An owner that is not on the screen yet leaves the window transient for the root window:
    // for the program's whole window group.
    if (desc.owner) XSetTransientForHint(X(), w, *desc.owner ? *desc.owner : root);
    SetAtoms(w, kNetWmWindowType, {WindowTypeOf(desc.role)});
    std::vector<AtomName> states;
    if (desc.modal && desc.owner) states.push_back(kNetWmStateModal);
    if (desc.role == WindowRole::Splash) states.push_back(kNetWmStateSkipTaskbar);
    if (!states.empty()) SetAtoms(w, kNetWmState, states);
}

void X11Backend::State::SetFrame(::Window w, bool bordered) {
    // Flags, functions, decorations, input mode, status. A bordered window can be moved and
    // closed, with a title bar and the window menu; a borderless one asks for no frame at all.
    unsigned long hints[5] = {kMotifDecorationsGiven, 0, 0, 0, 0};
    if (bordered) {
        hints[0] |= kMotifFunctionsGiven;
        hints[1] = kMotifFunctionMove | kMotifFunctionClose;
        hints[2] = kMotifDecorationBorder | kMotifDecorationTitle | kMotifDecorationMenu;
    }
    XChangeProperty(X(), w, AtomOf(kMotifWmHints), AtomOf(kMotifWmHints), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
}

void X11Backend::State::SetAtoms(::Window w, AtomName property,
                                 const std::vector<AtomName>& names) {
    std::vector<unsigned long> values;
    for (const AtomName name : names)
        values.push_back(AtomOf(name));
    XChangeProperty(X(), w, AtomOf(property), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

void X11Backend::State::SetOpacity(::Window w, uint8_t opacity) {
    // A compositing window manager blends the window by this value; without one it stays
    // opaque.
    const unsigned long value = static_cast<unsigned long>(opacity) * 0xFFFFFFFFul / 255;
    SetCardinals(w, kNetWmWindowOpacity, &value, 1);
}

void X11Backend::State::Put(::Window w, const Surface& framebuffer, const Rect& area) {
    const int32_t width = area.Width() * scale;
    const int32_t bandRows = std::max(1, kBandPixels / (width * scale));
    band.resize(static_cast<size_t>(width) * static_cast<size_t>(bandRows * scale));
    const bool rgb888 =
        visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
    for (int32_t top = area.top; top < area.bottom; top += bandRows) {
        const int32_t rows = std::min(bandRows, area.bottom - top);
        const Rect part{area.left, top, area.right, top + rows};
        if (rgb888) {
            CopySwappingRedBlue(framebuffer, part, scale, reinterpret_cast<uint8_t*>(band.data()),
                                width * 4);
        } else {
            uint32_t* to = band.data();
            for (int32_t y = 0; y < rows * scale; ++y) {
                const Color* from = framebuffer.Row(part.top + y / scale) + part.left;
                for (int32_t i = 0; i < width; ++i) {
                    const Color c = from[i / scale];
                    *to++ = static_cast<uint32_t>(ChannelBits(c & 0xFF, visual->red_mask) |
                                                  ChannelBits((c >> 8) & 0xFF, visual->green_mask) |
                                                  ChannelBits((c >> 16) & 0xFF, visual->blue_mask));
                }
            }
        }
        // 32-bit pixel values in the machine's byte order; Xlib converts them to the server's
        // pixel format when it differs.
        XImage image{};
        image.width = width;
        image.height = rows * scale;
        image.format = ZPixmap;
        image.data = reinterpret_cast<char*>(band.data());
        image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = image.byte_order;
        image.bitmap_pad = 32;
        image.depth = depth;
        image.bytes_per_line = width * 4;
        image.bits_per_pixel = 32;
        image.red_mask = visual->red_mask;
        image.green_mask = visual->green_mask;
        image.blue_mask = visual->blue_mask;
        if (!XInitImage(&image)) return;
        XPutImage(X(), w, gc, &image, 0, 0, part.left * scale, part.top * scale,
                  static_cast<unsigned>(width), static_cast<unsigned>(rows * scale));
    }
}

void X11Backend::State::ShowPointer(Cursor pointer) {
    shownPointer = pointer;
    for (const auto& [id, exposed] : windows)
        XDefineCursor(X(), id, pointer);
}

void X11Backend::State::Deliver(XEvent& event) {
    if (clipboard->Handle(event)) return;
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (!system) return;
    switch (event.type) {
        case MotionNotify:
            MovePointer(event.xmotion.window, event.xmotion.x, event.xmotion.y,
                        event.xmotion.state);
            break;
        case EnterNotify:
            MovePointer(event.xcrossing.window, event.xcrossing.x, event.xcrossing.y,
                        event.xcrossing.state);
            break;
        case LeaveNotify:
            // Whatever took the pointer away (a move, another window mapped over ours, a grab
            // of the window manager's), it is over no window of ours until the next report.
            if (const Window* top = TopLevelOf(event.xcrossing.window))
                system->PointerLeftWindow(top->Handle());
            break;
        case ButtonPress:
        case ButtonRelease: {
            const int32_t bit = ButtonBit(event.xbutton.button);
            if (bit == 0 || !IsOurs(event.xbutton.window)) break;
            MovePointer(event.xbutton.window, event.xbutton.x, event.xbutton.y,
                        event.xbutton.state);
            if (event.type == ButtonPress) {
                TookUserInput(event.xbutton.window, event.xbutton.time);
                system->ButtonDown(bit);
            } else {
                system->ButtonUp(bit);
            }
            break;
        }
        case KeyPress:
            KeyDown(event.xkey);
            break;
        case KeyRelease:
            KeyUp(event.xkey);
            break;
        case Expose:
            // The window is on the screen for the first time, or the display lost these pixels
            // of it: show them from the framebuffer.
            if (const Window* top = TopLevelOf(event.xexpose.window)) {
                windows[event.xexpose.window] = true;
                const Rect physical = Rect::FromSize(event.xexpose.x, event.xexpose.y,
                                                     event.xexpose.width, event.xexpose.height);
                const Rect exposed =
                    LogicalCover(physical, scale).Intersect(top->Framebuffer().Bounds());
                if (!exposed.IsEmpty()) Put(event.xexpose.window, top->Framebuffer(), exposed);
            }
            break;
        case ConfigureNotify:
            if (const Window* top = TopLevelOf(event.xconfigure.window))
                system->NativeWindowMoved(top->Handle(), ClientOrigin(event.xconfigure));
            break;
        case DestroyNotify:
            // Destroyed by someone else: the windows the backend destroys itself are no longer
            // its own when the display reports them.
            if (const Window* top = TopLevelOf(event.xdestroywindow.window)) {
                windows.erase(event.xdestroywindow.window);
                system->NativeWindowLost(top->Handle());
            }
            break;
        case ClientMessage:
            WindowManagerMessage(event.xclient);
            break;
        default:
            break;
    }
}

Point X11Backend::State::ClientOrigin(const XConfigureEvent& configure) const {
    // A window manager's own report gives the place on the screen; the display's gives it in
    // the frame the window manager put the window in.
    int x = configure.x;
    int y = configure.y;
    ::Window child = 0;
    if (!configure.send_event)
        XTranslateCoordinates(X(), configure.window, root, 0, 0, &x, &y, &child);
    return {ToLogical(x, scale), ToLogical(y, scale)};
}

void X11Backend::State::WindowManagerMessage(const XClientMessageEvent& message) {
    if (message.message_type != AtomOf(kWmProtocols) || message.format != 32 ||
        !IsOurs(message.window))
        return;
    const auto protocol = static_cast<Atom>(message.data.l[0]);
    if (protocol == AtomOf(kNetWmPing)) {
        // The answer is the ping itself, sent back to the root window.
        XEvent pong{};
        pong.xclient = message;
        pong.xclient.window = root;
        XSendEvent(X(), root, False, SubstructureNotifyMask | SubstructureRedirectMask, &pong);
        return;
    }
    if (protocol != AtomOf(kWmDeleteWindow)) return;
    if (const Window* top = TopLevelOf(message.window)) system->CloseRequest(top->Handle());
}

void X11Backend::State::TookUserInput(::Window w, Time time) {
    if (time == CurrentTime || time == userTime) return;
    userTime = time;
    SetCardinals(w, kNetWmUserTime, &userTime, 1);
}

void X11Backend::State::MovePointer(::Window w, int32_t x, int32_t y, unsigned int state) {
    const Window* top = TopLevelOf(w);
    if (!top) return;
    system->ModifiersHeld(ShiftBits(state));
    system->PointerMoveInWindow(top->Handle(), {ToLogical(x, scale), ToLogical(y, scale)});
}

void X11Backend::State::KeyDown(XKeyEvent& key) {
    if (!IsOurs(key.window)) return;
    // The state holds the modifiers as they were before this key: a modifier's own press
    // then adds its bit.
    system->ModifiersHeld(ShiftBits(key.state));
    TookUserInput(key.window, key.time);
    // The key's own code comes from its unshifted symbol; the character from the symbol that
    // Shift, Caps Lock and Num Lock select. A held key arrives again as one more press.
    const int32_t code =
        DesktopKeyCode(static_cast<uint32_t>(XkbKeycodeToKeysym(X(), key.keycode, 0, 0)));
    KeySym typed = NoSymbol;
    XLookupString(&key, nullptr, 0, &typed, nullptr);
    if (code != 0) system->KeyDown(code);
    // Ctrl and Alt make commands (Ctrl+C, access keys), never text.
    const bool command = (key.state & (ControlMask | Mod1Mask)) != 0;
    int32_t character = command ? 0 : TypedCharacter(static_cast<uint32_t>(typed));
    if (character == 0) character = ControlCharacter(code);
    if (character != 0) system->Character(character);
}

void X11Backend::State::KeyUp(XKeyEvent& key) {
    if (!IsOurs(key.window)) return;
    system->ModifiersHeld(ShiftBits(key.state));
    const int32_t code =
        DesktopKeyCode(static_cast<uint32_t>(XkbKeycodeToKeysym(X(), key.keycode, 0, 0)));
    if (code != 0) system->KeyUp(code);
}

}  // namespace platform
