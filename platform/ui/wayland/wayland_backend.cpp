#include "platform/ui/wayland/wayland_backend.h"

#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/descriptor_watches.h"
#include "platform/ui/desktop_scale.h"
#include "platform/ui/wayland/wayland_clipboard.h"
#include "platform/ui/wayland/wayland_cursor.h"
#include "platform/ui/wayland/wayland_keyboard.h"
#include "platform/ui/wayland/wayland_pointer.h"
#include "platform/ui/wayland/wayland_window.h"
#include "platform/ui/window_system.h"

// The Wayland headers come after ours, like every platform header.
#include <wayland-client.h>

#include "xdg-activation-v1-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace platform {
namespace {

std::string DisplayName() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return name && *name ? name : "wayland-0";
}

/// One piece of input, kept from the moment the compositor sends it until a wait delivers it.
struct InputEvent {
    enum Kind { Move, Leave, ButtonDown, ButtonUp, KeyDown, KeyUp, Modifiers, Close };
    Kind kind;
    NativeWindowId window = 0;
    Point at;
    int32_t code = 0;       // button bit, desktop key code or shift bits
    int32_t character = 0;  // typed by a KeyDown

    static InputEvent Of(Kind kind, NativeWindowId window, Point at = {}, int32_t code = 0,
                         int32_t character = 0) {
        return {kind, window, at, code, character};
    }
};

/// Gives up a seat's device: with a release request where the seat's version has one.
template <typename Device>
void ReleaseDevice(Device* device, void (*release)(Device*), void (*destroy)(Device*)) {
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(device)) >=
        WL_POINTER_RELEASE_SINCE_VERSION) {
        release(device);
    } else {
        destroy(device);
    }
}

struct Output {
    wl_output* output = nullptr;
    int32_t scale = 1;
    Size mode;
};

}  // namespace

struct WaylandBackend::State {
    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State();

    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_data_device_manager* dataDevices = nullptr;
    // Null where the compositor does not let launches bring windows forward.
    xdg_activation_v1* activation = nullptr;
    // The launch that started the program, until its first window exists.
    std::string activationToken;
    DescriptorWatches watches;
    std::vector<Output> outputs;
    bool redLowestFormats = false;
    // The compositor's objects that windows use, bound from the registry.
    WaylandWindowContext context;
    std::map<NativeWindowId, std::unique_ptr<WaylandWindow>> windows;
    NativeWindowId nextId = 1;

    wl_pointer* pointer = nullptr;
    wl_keyboard* keyboard = nullptr;
    WaylandKeyboard keys;
    std::optional<WaylandCursor> cursor;
    std::optional<WaylandClipboard> clipboard;
    // The serial of the latest input event, which the compositor checks when the program
    // takes the clipboard.
    uint32_t inputSerial = 0;
    NativeWindowId pointerWindow = 0;
    // The window whose own title bar the pointer is over; 0 when none.
    NativeWindowId pointerTitleBar = 0;
    Point pointerOnTitleBar;
    NativeWindowId keyboardWindow = 0;

    std::deque<InputEvent> input;
    WindowSystem* system = nullptr;
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

    int64_t NowMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    }
    NativeWindowId IdOf(wl_surface* surface) const {
        for (const auto& [id, window] : windows)
            if (window->WlSurface() == surface) return id;
        return 0;
    }
    NativeWindowId TitleBarOf(wl_surface* surface) const {
        for (const auto& [id, window] : windows)
            if (surface && window->TitleBarSurface() == surface) return id;
        return 0;
    }
    WaylandWindow* WindowOf(NativeWindowId id) const {
        const auto it = windows.find(id);
        return it == windows.end() ? nullptr : it->second.get();
    }
    /// The window system's top-level window shown in native window `id`, or null.
    Window* TopLevelOf(NativeWindowId id) const {
        if (!system || id == 0) return nullptr;
        for (Window* top : system->TopLevels())
            if (top->NativeId() == id) return top;
        return nullptr;
    }
    void Deliver(const InputEvent& event);
    /// Asks the compositor to bring window `id` forward for the launch `token`.
    void Activate(NativeWindowId id, std::string_view token);
    /// The pointer is at `at` on the surface it last entered.
    void PointerAt(Point at);
    [[noreturn]] void ConnectionLost() const;
    void ShowPendingPictures();

    static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);
    static void OnSeatCapabilities(void* data, wl_seat* seat, uint32_t capabilities);
    static void OnShmFormat(void* data, wl_shm* shm, uint32_t format);
    static void OnPing(void* data, xdg_wm_base* shell, uint32_t serial);
    static void OnOutputScale(void* data, wl_output* output, int32_t factor);
    static void OnOutputMode(void* data, wl_output* output, uint32_t flags, int32_t width,
                             int32_t height, int32_t refresh);
    static void OnPointerEnter(void* data, wl_pointer* pointer, uint32_t serial,
                               wl_surface* surface, wl_fixed_t x, wl_fixed_t y);
    static void OnPointerLeave(void* data, wl_pointer* pointer, uint32_t serial,
                               wl_surface* surface);
    static void OnPointerMotion(void* data, wl_pointer* pointer, uint32_t time, wl_fixed_t x,
                                wl_fixed_t y);
    static void OnPointerButton(void* data, wl_pointer* pointer, uint32_t serial, uint32_t time,
                                uint32_t button, uint32_t state);
    static void OnKeymap(void* data, wl_keyboard* keyboard, uint32_t format, int32_t fd,
                         uint32_t size);
    static void OnKeyboardEnter(void* data, wl_keyboard* keyboard, uint32_t serial,
                                wl_surface* surface, wl_array* keys);
    static void OnKeyboardLeave(void* data, wl_keyboard* keyboard, uint32_t serial,
                                wl_surface* surface);
    static void OnKey(void* data, wl_keyboard* keyboard, uint32_t serial, uint32_t time,
                      uint32_t key, uint32_t state);
    static void OnModifiers(void* data, wl_keyboard* keyboard, uint32_t serial, uint32_t depressed,
                            uint32_t latched, uint32_t locked, uint32_t group);
    static void OnRepeatInfo(void* data, wl_keyboard* keyboard, int32_t rate, int32_t delay);
};

WaylandBackend::State::~State() {
    windows.clear();
    clipboard.reset();
    cursor.reset();
    if (context.decorations) zxdg_decoration_manager_v1_destroy(context.decorations);
    if (pointer) wl_pointer_destroy(pointer);
    if (keyboard) wl_keyboard_destroy(keyboard);
    if (context.seat) wl_seat_destroy(context.seat);
    if (dataDevices) wl_data_device_manager_destroy(dataDevices);
    if (activation) xdg_activation_v1_destroy(activation);
    for (const Output& output : outputs)
        wl_output_destroy(output.output);
    if (context.shell) xdg_wm_base_destroy(context.shell);
    if (context.shm) wl_shm_destroy(context.shm);
    if (context.subcompositor) wl_subcompositor_destroy(context.subcompositor);
    if (context.compositor) wl_compositor_destroy(context.compositor);
    if (registry) wl_registry_destroy(registry);
    if (display) wl_display_disconnect(display);
}

WaylandBackend::WaylandBackend(std::string appId, std::string activationToken)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.activationToken = std::move(activationToken);
    s.display = wl_display_connect(nullptr);
    if (!s.display)
        throw std::runtime_error("cannot connect to the Wayland compositor \"" + DisplayName() +
                                 "\"");
    s.registry = wl_display_get_registry(s.display);
    static const wl_registry_listener registryListener{State::OnGlobal, State::OnGlobalRemove};
    wl_registry_add_listener(s.registry, &registryListener, &s);
    // The first round trip brings the globals, the second what they tell on binding (shm
    // formats, output scales and modes, the seat's devices).
    wl_display_roundtrip(s.display);
    if (!s.context.compositor || !s.context.subcompositor || !s.context.shm || !s.context.shell)
        throw std::runtime_error("the Wayland compositor \"" + DisplayName() +
                                 "\" lacks wl_compositor, wl_subcompositor, wl_shm or xdg_wm_base");
    wl_display_roundtrip(s.display);

    // The compositor says how dense its outputs are; the windows take the densest.
    int32_t outputScale = 1;
    for (const Output& output : s.outputs)
        outputScale = std::max(outputScale, output.scale);
    s.context.scale = std::min(outputScale, kMaxScale);
    // Framebuffer colours keep red in their lowest byte: formats that do too take them as
    // they are.
    s.context.order = s.redLowestFormats ? ShmChannelOrder::RedLowest : ShmChannelOrder::BlueLowest;
    s.context.opaqueFormat = s.redLowestFormats ? WL_SHM_FORMAT_XBGR8888 : WL_SHM_FORMAT_XRGB8888;
    s.context.translucentFormat =
        s.redLowestFormats ? WL_SHM_FORMAT_ABGR8888 : WL_SHM_FORMAT_ARGB8888;
    s.context.appId = std::move(appId);
    s.cursor.emplace(s.context.compositor, s.context.shm, s.context.scale);
    s.clipboard.emplace(s.display, s.dataDevices, s.context.seat);
}

WaylandBackend::~WaylandBackend() = default;

std::string WaylandBackend::SessionName() {
    const std::string name = DisplayName();
    if (name.starts_with('/')) return name;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return std::string(runtime ? runtime : "") + "/" + name;
}

void WaylandBackend::Attach(WindowSystem& system) {
    state_->system = &system;
}

NativeWindowId WaylandBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    State& s = *state_;
    const NativeWindowId id = s.nextId++;
    WaylandWindow* owner = nullptr;
    if (desc.owner && *desc.owner) {
        const auto it = s.windows.find(*desc.owner);
        if (it != s.windows.end()) owner = it->second.get();
    }
    auto framebuffer = [&s, id]() -> const Surface* {
        const Window* top = s.TopLevelOf(id);
        return top ? &top->Framebuffer() : nullptr;
    };
    auto close = [&s, id] { s.input.push_back(InputEvent::Of(InputEvent::Close, id)); };
    s.windows.emplace(id, std::make_unique<WaylandWindow>(
                              s.context, desc, owner, std::move(framebuffer), std::move(close)));
    // The first window ends the launch that started the program, and takes the focus it
    // brings.
    if (!s.activationToken.empty()) {
        s.Activate(id, s.activationToken);
        s.activationToken.clear();
    }
    return id;
}

void WaylandBackend::DestroyNativeWindow(NativeWindowId id) {
    State& s = *state_;
    if (s.windows.erase(id) == 0) return;
    if (s.pointerWindow == id) s.pointerWindow = 0;
    if (s.pointerTitleBar == id) s.pointerTitleBar = 0;
    if (s.keyboardWindow == id) {
        s.keyboardWindow = 0;
        s.keys.StopRepeat();
    }
    std::erase_if(s.input, [id](const InputEvent& event) { return event.window == id; });
}

void WaylandBackend::SetOpacity(NativeWindowId id, uint8_t opacity) {
    const auto it = state_->windows.find(id);
    if (it != state_->windows.end()) it->second->SetOpacity(opacity);
}

void WaylandBackend::Activate(NativeWindowId id, std::string_view startupToken) {
    state_->Activate(id, startupToken);
}

void WaylandBackend::State::Activate(NativeWindowId id, std::string_view token) {
    const WaylandWindow* window = WindowOf(id);
    if (!activation || !window || token.empty()) return;
    const std::string text(token);
    xdg_activation_v1_activate(activation, text.c_str(), window->WlSurface());
}

void WaylandBackend::Present(NativeWindowId id, const Surface& framebuffer, const Rect& changed) {
    const auto it = state_->windows.find(id);
    if (it == state_->windows.end()) return;
    const Rect area = changed.Intersect(framebuffer.Bounds());
    if (!area.IsEmpty()) it->second->Present(area);
}

void WaylandBackend::Flush() {
    wl_display_flush(state_->display);
}

void WaylandBackend::SetPointer(const PointerImage* pointer) {
    state_->cursor->Set(pointer);
}

Rect WaylandBackend::WorkArea(std::optional<Point>) const {
    const State& s = *state_;
    if (s.outputs.empty()) return {};
    const Size mode = s.outputs.front().mode;
    return {0, 0, mode.width / s.context.scale, mode.height / s.context.scale};
}

int32_t WaylandBackend::Scale() const {
    return state_->context.scale;
}

std::string WaylandBackend::ClipboardText() const {
    return state_->clipboard->Text();
}

void WaylandBackend::SetClipboardText(const std::string& text) {
    state_->clipboard->SetText(text, state_->inputSerial);
}

int64_t WaylandBackend::NowMs() const {
    return state_->NowMs();
}

void WaylandBackend::WatchDescriptor(int fd, std::function<void()> onReadable) {
    state_->watches.Add(fd, std::move(onReadable));
}

void WaylandBackend::UnwatchDescriptor(int fd) {
    state_->watches.Remove(fd);
}

bool WaylandBackend::WaitForEvents(int64_t deadlineMs) {
    State& s = *state_;
    wl_display* display = s.display;
    bool watchRan = false;
    if (s.input.empty()) {
        while (wl_display_prepare_read(display) != 0)
            if (wl_display_dispatch_pending(display) < 0) s.ConnectionLost();
        // Requests the socket cannot take yet go when it can: the wait watches for that too.
        const bool unsent = wl_display_flush(display) < 0 && errno == EAGAIN;
        if (!s.input.empty()) {
            wl_display_cancel_read(display);
        } else {
            const int64_t until = std::min(deadlineMs, s.keys.NextRepeatMs());
            const int timeout =
                until == kNoDeadline
                    ? -1
                    : static_cast<int>(std::clamp<int64_t>(until - s.NowMs(), 0, INT_MAX));
            std::vector<pollfd> fds{{wl_display_get_fd(display),
                                     static_cast<short>(unsent ? POLLIN | POLLOUT : POLLIN), 0}};
            s.watches.AppendTo(fds);
            const int ready = poll(fds.data(), fds.size(), timeout);
            if (ready > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                if (wl_display_read_events(display) < 0) s.ConnectionLost();
            } else {
                wl_display_cancel_read(display);
                if (ready < 0 && errno != EINTR) s.ConnectionLost();
            }
            if (wl_display_dispatch_pending(display) < 0) s.ConnectionLost();
            if (ready > 0) watchRan = s.watches.RunReady(fds, 1);
        }
        if (s.keyboardWindow != 0)
            if (const auto repeat = s.keys.DueRepeat(s.NowMs()))
                s.input.push_back(InputEvent::Of(InputEvent::KeyDown, s.keyboardWindow, Point{},
                                                 repeat->keyCode, repeat->character));
        s.ShowPendingPictures();
    }
    // One event per call: a handler may end the loop that called, and the events after it
    // then belong to the loop that is left.
    if (!watchRan && !s.input.empty()) {
        const InputEvent event = s.input.front();
        s.input.pop_front();
        s.Deliver(event);
    }
    return true;
}

void WaylandBackend::Roundtrip() {
    if (wl_display_roundtrip(state_->display) < 0) state_->ConnectionLost();
    state_->ShowPendingPictures();
}

void WaylandBackend::State::ShowPendingPictures() {
    // A picture that found every buffer held by the compositor goes out once one is free.
    for (const auto& [id, window] : windows)
        window->Commit();
}

void WaylandBackend::State::ConnectionLost() const {
    std::fprintf(stderr,
                 "tavik-calculator: the connection to the Wayland compositor \"%s\" was "
                 "lost\n",
                 DisplayName().c_str());
    std::_Exit(1);
}

void WaylandBackend::State::Deliver(const InputEvent& event) {
    if (!system) return;
    const Window* top = TopLevelOf(event.window);
    switch (event.kind) {
        case InputEvent::Move:
            if (top) system->PointerMoveInWindow(top->Handle(), event.at);
            break;
        case InputEvent::Leave:
            if (top) system->PointerLeftWindow(top->Handle());
            break;
        case InputEvent::ButtonDown:
            system->ButtonDown(event.code);
            break;
        case InputEvent::ButtonUp:
            system->ButtonUp(event.code);
            break;
        case InputEvent::KeyDown:
            if (event.code != 0) system->KeyDown(event.code);
            if (event.character != 0) system->Character(event.character);
            break;
        case InputEvent::KeyUp:
            if (event.code != 0) system->KeyUp(event.code);
            break;
        case InputEvent::Modifiers:
            system->ModifiersHeld(event.code);
            break;
        case InputEvent::Close:
            if (top) system->CloseRequest(top->Handle());
            break;
    }
}

void WaylandBackend::State::OnGlobal(void* data, wl_registry* registry, uint32_t name,
                                     const char* interface, uint32_t version) {
    auto& s = *static_cast<State*>(data);
    const std::string_view kind = interface;
    // Each object is bound at the highest version whose events the program handles.
    const auto bind = [&](const wl_interface* type, uint32_t highest) {
        return wl_registry_bind(registry, name, type, std::min(version, highest));
    };
    if (kind == wl_compositor_interface.name) {
        s.context.compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
    } else if (kind == wl_subcompositor_interface.name) {
        s.context.subcompositor =
            static_cast<wl_subcompositor*>(bind(&wl_subcompositor_interface, 1));
    } else if (kind == zxdg_decoration_manager_v1_interface.name) {
        s.context.decorations = static_cast<zxdg_decoration_manager_v1*>(
            bind(&zxdg_decoration_manager_v1_interface, 1));
    } else if (kind == wl_shm_interface.name) {
        s.context.shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
        static const wl_shm_listener listener{OnShmFormat};
        wl_shm_add_listener(s.context.shm, &listener, &s);
    } else if (kind == xdg_wm_base_interface.name) {
        s.context.shell = static_cast<xdg_wm_base*>(bind(&xdg_wm_base_interface, 3));
        static const xdg_wm_base_listener listener{OnPing};
        xdg_wm_base_add_listener(s.context.shell, &listener, &s);
    } else if (kind == wl_seat_interface.name && !s.context.seat) {
        s.context.seat = static_cast<wl_seat*>(bind(&wl_seat_interface, 5));
        static const wl_seat_listener listener{OnSeatCapabilities,
                                               [](void*, wl_seat*, const char*) {}};
        wl_seat_add_listener(s.context.seat, &listener, &s);
    } else if (kind == xdg_activation_v1_interface.name) {
        s.activation = static_cast<xdg_activation_v1*>(bind(&xdg_activation_v1_interface, 1));
    } else if (kind == wl_data_device_manager_interface.name) {
        s.dataDevices =
            static_cast<wl_data_device_manager*>(bind(&wl_data_device_manager_interface, 1));
    } else if (kind == wl_output_interface.name) {
        auto* output = static_cast<wl_output*>(bind(&wl_output_interface, 2));
        s.outputs.push_back({output, 1, {}});
        static const wl_output_listener listener{
            .geometry = [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t,
                           const char*, const char*, int32_t) {},
            .mode = OnOutputMode,
            .done = [](void*, wl_output*) {},
            .scale = OnOutputScale,
            .name = [](void*, wl_output*, const char*) {},
            .description = [](void*, wl_output*, const char*) {},
        };
        wl_output_add_listener(output, &listener, &s);
    }
}

void WaylandBackend::State::OnGlobalRemove(void* data, wl_registry*, uint32_t) {
    // Outputs and seats may come and go; the program keeps what it bound, which the
    // compositor keeps answering as inert objects.
    static_cast<void>(data);
}

void WaylandBackend::State::OnShmFormat(void* data, wl_shm*, uint32_t format) {
    if (format == WL_SHM_FORMAT_XBGR8888) static_cast<State*>(data)->redLowestFormats = true;
}

void WaylandBackend::State::OnPing(void*, xdg_wm_base* shell, uint32_t serial) {
    xdg_wm_base_pong(shell, serial);
}

void WaylandBackend::State::OnOutputScale(void* data, wl_output* output, int32_t factor) {
    for (Output& known : static_cast<State*>(data)->outputs)
        if (known.output == output) known.scale = factor;
}

void WaylandBackend::State::OnOutputMode(void* data, wl_output* output, uint32_t flags,
                                         int32_t width, int32_t height, int32_t) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) == 0) return;
    for (Output& known : static_cast<State*>(data)->outputs)
        if (known.output == output) known.mode = {width, height};
}

void WaylandBackend::State::OnSeatCapabilities(void* data, wl_seat* seat, uint32_t capabilities) {
    auto& s = *static_cast<State*>(data);
    const bool hasPointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    const bool hasKeyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (hasPointer && !s.pointer) {
        s.pointer = wl_seat_get_pointer(seat);
        static const wl_pointer_listener listener{
            .enter = OnPointerEnter,
            .leave = OnPointerLeave,
            .motion = OnPointerMotion,
            .button = OnPointerButton,
            .axis = [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
            .frame = [](void*, wl_pointer*) {},
            .axis_source = [](void*, wl_pointer*, uint32_t) {},
            .axis_stop = [](void*, wl_pointer*, uint32_t, uint32_t) {},
            .axis_discrete = [](void*, wl_pointer*, uint32_t, int32_t) {},
            .axis_value120 = [](void*, wl_pointer*, uint32_t, int32_t) {},
        };
        wl_pointer_add_listener(s.pointer, &listener, &s);
    } else if (!hasPointer && s.pointer) {
        ReleaseDevice(s.pointer, wl_pointer_release, wl_pointer_destroy);
        s.pointer = nullptr;
        s.cursor->Left();
    }
    if (hasKeyboard && !s.keyboard) {
        s.keyboard = wl_seat_get_keyboard(seat);
        static const wl_keyboard_listener listener{
            .keymap = OnKeymap,
            .enter = OnKeyboardEnter,
            .leave = OnKeyboardLeave,
            .key = OnKey,
            .modifiers = OnModifiers,
            .repeat_info = OnRepeatInfo,
        };
        wl_keyboard_add_listener(s.keyboard, &listener, &s);
    } else if (!hasKeyboard && s.keyboard) {
        ReleaseDevice(s.keyboard, wl_keyboard_release, wl_keyboard_destroy);
        s.keyboard = nullptr;
        s.keys.StopRepeat();
    }
}

void WaylandBackend::State::OnPointerEnter(void* data, wl_pointer* pointer, uint32_t serial,
                                           wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    auto& s = *static_cast<State*>(data);
    s.pointerWindow = s.IdOf(surface);
    s.pointerTitleBar = s.TitleBarOf(surface);
    if (s.pointerWindow == 0 && s.pointerTitleBar == 0) return;
    s.cursor->Entered(pointer, serial, s.pointerTitleBar != 0);
    s.PointerAt(PointerPixel(x, y));
}

void WaylandBackend::State::OnPointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
    auto& s = *static_cast<State*>(data);
    if (s.pointerWindow != 0) s.input.push_back(InputEvent::Of(InputEvent::Leave, s.pointerWindow));
    if (WaylandWindow* window = s.WindowOf(s.pointerTitleBar)) window->TitleBarPointerLeft();
    s.pointerWindow = 0;
    s.pointerTitleBar = 0;
    s.cursor->Left();
}

void WaylandBackend::State::OnPointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x,
                                            wl_fixed_t y) {
    static_cast<State*>(data)->PointerAt(PointerPixel(x, y));
}

void WaylandBackend::State::PointerAt(Point at) {
    if (pointerWindow != 0) input.push_back(InputEvent::Of(InputEvent::Move, pointerWindow, at));
    pointerOnTitleBar = at;
    if (WaylandWindow* window = WindowOf(pointerTitleBar)) window->TitleBarPointer(at);
}

void WaylandBackend::State::OnPointerButton(void* data, wl_pointer*, uint32_t serial, uint32_t,
                                            uint32_t button, uint32_t state) {
    auto& s = *static_cast<State*>(data);
    s.inputSerial = serial;
    const int32_t bit = PointerButtonBit(button);
    const bool down = state == WL_POINTER_BUTTON_STATE_PRESSED;
    if (bit == 0) return;
    if (WaylandWindow* window = s.WindowOf(s.pointerTitleBar))
        window->TitleBarButton(bit, down, s.pointerOnTitleBar, serial);
    if (s.pointerWindow == 0) return;
    s.input.push_back(InputEvent::Of(down ? InputEvent::ButtonDown : InputEvent::ButtonUp,
                                     s.pointerWindow, Point{}, bit));
}

void WaylandBackend::State::OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd,
                                     uint32_t size) {
    auto& s = *static_cast<State*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) s.keys.SetKeymapFile(fd, size);
    close(fd);
}

void WaylandBackend::State::OnKeyboardEnter(void* data, wl_keyboard*, uint32_t serial,
                                            wl_surface* surface, wl_array*) {
    auto& s = *static_cast<State*>(data);
    s.keyboardWindow = s.IdOf(surface);
    s.inputSerial = serial;
}

void WaylandBackend::State::OnKeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
    auto& s = *static_cast<State*>(data);
    s.keyboardWindow = 0;
    s.keys.StopRepeat();
    // What is held from now on is another window's business; the compositor reports the
    // modifiers again when the keyboard comes back.
    s.input.push_back(InputEvent::Of(InputEvent::Modifiers, 0));
}

void WaylandBackend::State::OnKey(void* data, wl_keyboard*, uint32_t serial, uint32_t, uint32_t key,
                                  uint32_t state) {
    auto& s = *static_cast<State*>(data);
    s.inputSerial = serial;
    if (s.keyboardWindow == 0) return;
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
        const WaylandKeyboard::Stroke stroke = s.keys.Press(key, s.NowMs());
        s.input.push_back(InputEvent::Of(InputEvent::KeyDown, s.keyboardWindow, Point{},
                                         stroke.keyCode, stroke.character));
    } else {
        s.input.push_back(
            InputEvent::Of(InputEvent::KeyUp, s.keyboardWindow, Point{}, s.keys.Release(key)));
    }
}

void WaylandBackend::State::OnModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed,
                                        uint32_t latched, uint32_t locked, uint32_t group) {
    auto& s = *static_cast<State*>(data);
    s.keys.SetModifiers(depressed, latched, locked, group);
    s.input.push_back(InputEvent::Of(InputEvent::Modifiers, 0, Point{}, s.keys.HeldShift()));
}

void WaylandBackend::State::OnRepeatInfo(void* data, wl_keyboard*, int32_t rate, int32_t delay) {
    static_cast<State*>(data)->keys.SetRepeat(rate, delay);
}

}  // namespace platform
