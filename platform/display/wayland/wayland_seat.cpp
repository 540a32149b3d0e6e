#include "platform/display/wayland/wayland_seat.h"

#include <errno.h>

#include <algorithm>

#include "platform/display/wayland/wayland_pointer.h"
#include "platform/os/owned.h"
#include "platform/ui/window_system.h"

namespace platform {

WaylandSeat::WaylandSeat(WaylandGlobals& globals, WaylandWindows& windows)
    : globals_(globals), windows_(windows) {
    globals_.WatchSeat([this](uint32_t capabilities) { Capabilities(capabilities); });
}

void WaylandSeat::CloseRequest(NativeWindowId id) {
    Push(InputEvent::Close, id);
}

void WaylandSeat::ScaleRequest(NativeWindowId id, DeviceScale scale) {
    // A later scale replaces one not yet delivered: the compositor's requests take no room.
    if (!input_.empty() && input_.back().kind == InputEvent::Scale && input_.back().window == id)
        input_.pop_back();
    Push(InputEvent::Scale, id, Point{}, scale.Per120());
}

void WaylandSeat::Forget(NativeWindowId id) {
    if (pointerWindow_ == id) pointerWindow_ = 0;
    if (pointerTitleBar_ == id) pointerTitleBar_ = 0;
    if (keyboardWindow_ == id) {
        keyboardWindow_ = 0;
        keys_.StopRepeat();
    }
    std::erase_if(input_, [id](const InputEvent& event) { return event.window == id; });
}

void WaylandSeat::Push(InputEvent::Kind kind, NativeWindowId window, Point at, int32_t code,
                       int32_t character, uint32_t key, uint32_t symbol) {
    input_.push_back({kind, window, at, code, character, key, symbol});
}

bool WaylandSeat::DispatchPending() {
    if (wl_display_dispatch_pending(globals_.Display()) >= 0) return true;
    globals_.MarkLost();
    return false;
}

pollfd WaylandSeat::BeginWait() {
    wl_display* display = globals_.Display();
    while (wl_display_prepare_read(display) != 0)
        if (!DispatchPending()) return {wl_display_get_fd(display), POLLIN, 0};
    reading_ = true;
    // Requests the socket cannot take yet go when it can: the wait watches for that too.
    const bool unsent = wl_display_flush(display) < 0 && errno == EAGAIN;
    return {wl_display_get_fd(display), static_cast<short>(unsent ? POLLIN | POLLOUT : POLLIN), 0};
}

void WaylandSeat::EndWait(short revents) {
    if (!reading_) return;
    reading_ = false;
    wl_display* display = globals_.Display();
    if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
        if (wl_display_read_events(display) < 0) globals_.MarkLost();
    } else {
        wl_display_cancel_read(display);
    }
    if (!globals_.Lost()) DispatchPending();
}

void WaylandSeat::AfterWait(int64_t nowMs) {
    if (keyboardWindow_ != 0)
        if (const auto repeat = keys_.DueRepeat(nowMs))
            Push(InputEvent::KeyDown, keyboardWindow_, Point{}, repeat->keyCode, repeat->character,
                 keys_.RepeatingKey(), keys_.Symbol(keys_.RepeatingKey()));
    windows_.ShowPendingPictures();
}

void WaylandSeat::DeliverOne(WindowSystem* system) {
    const InputEvent event = input_.front();
    input_.pop_front();
    if (!system) return;
    const Window* top = system->TopLevelOf(event.window);
    switch (event.kind) {
        case InputEvent::Move:
            // The window's scale now, after the scale changes delivered before the move.
            if (top) {
                const DeviceScale scale = top->Scale();
                system->PointerMoveInWindow(
                    top->Handle(), {scale.LogicalAt(event.at.x), scale.LogicalAt(event.at.y)});
            }
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
            system->KeyPressed({WaylandKeyboard::KeymapCode(event.key), event.code, event.character,
                                event.symbol});
            break;
        case InputEvent::KeyUp:
            system->KeyReleased(
                {WaylandKeyboard::KeymapCode(event.key), event.code, 0, event.symbol});
            break;
        case InputEvent::Modifiers:
            system->ModifiersHeld(event.code);
            break;
        case InputEvent::KeyboardLeft:
            system->KeyboardLeft();
            break;
        case InputEvent::Close:
            if (top) system->CloseRequest(top->Handle());
            break;
        case InputEvent::Scale:
            if (top) system->NativeScaleChanged(top->Handle(), DeviceScale::FromPer120(event.code));
            break;
    }
}

void WaylandSeat::Capabilities(uint32_t capabilities) {
    const bool hasPointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    const bool hasKeyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    wl_seat* seat = globals_.Context().seat;
    if (hasPointer && !pointer_) {
        pointer_.Reset(wl_seat_get_pointer(seat));
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
        wl_pointer_add_listener(pointer_.Get(), &listener, this);
    } else if (!hasPointer && pointer_) {
        pointer_.Reset();
        windows_.Cursor().Left();
    }
    if (hasKeyboard && !keyboard_) {
        keyboard_.Reset(wl_seat_get_keyboard(seat));
        static const wl_keyboard_listener listener{
            .keymap = OnKeymap,
            .enter = OnKeyboardEnter,
            .leave = OnKeyboardLeave,
            .key = OnKey,
            .modifiers = OnModifiers,
            .repeat_info = OnRepeatInfo,
        };
        wl_keyboard_add_listener(keyboard_.Get(), &listener, this);
    } else if (!hasKeyboard && keyboard_) {
        keyboard_.Reset();
        keys_.StopRepeat();
    }
}

void WaylandSeat::OnPointerEnter(void* data, wl_pointer* pointer, uint32_t serial,
                                 wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    auto& s = *static_cast<WaylandSeat*>(data);
    s.pointerWindow_ = s.windows_.IdOf(surface);
    s.pointerTitleBar_ = s.windows_.TitleBarOf(surface);
    const WaylandWindow* window = s.windows_.WindowOf(s.PointerOwner());
    if (!window) return;
    s.windows_.Cursor().Entered(pointer, serial, s.pointerTitleBar_ != 0,
                                window->CompositorScale());
    s.PointerAt(x, y);
}

void WaylandSeat::OnPointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
    auto& s = *static_cast<WaylandSeat*>(data);
    if (s.pointerWindow_ != 0) s.Push(InputEvent::Leave, s.pointerWindow_);
    if (WaylandWindow* window = s.windows_.WindowOf(s.pointerTitleBar_))
        window->TitleBarPointerLeft();
    s.pointerWindow_ = 0;
    s.pointerTitleBar_ = 0;
    s.windows_.Cursor().Left();
}

void WaylandSeat::OnPointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    static_cast<WaylandSeat*>(data)->PointerAt(x, y);
}

void WaylandSeat::PointerAt(wl_fixed_t x, wl_fixed_t y) {
    WaylandWindow* window = windows_.WindowOf(PointerOwner());
    if (!window) return;
    // Device pixels now, on the compositor's scale for the surface; logical ones when the
    // move is delivered, on the window's scale then.
    const Point at = PointerDevicePixel(x, y, window->CompositorScale());
    if (pointerWindow_ != 0) Push(InputEvent::Move, pointerWindow_, at);
    if (pointerTitleBar_ != 0) {
        pointerOnTitleBar_ = at;
        window->TitleBarPointer(at);
    }
}

void WaylandSeat::OnPointerButton(void* data, wl_pointer*, uint32_t serial, uint32_t,
                                  uint32_t button, uint32_t state) {
    auto& s = *static_cast<WaylandSeat*>(data);
    s.inputSerial_ = serial;
    const int32_t bit = PointerButtonBit(button);
    const bool down = state == WL_POINTER_BUTTON_STATE_PRESSED;
    if (bit == 0) return;
    if (WaylandWindow* window = s.windows_.WindowOf(s.pointerTitleBar_))
        window->TitleBarButton(bit, down, s.pointerOnTitleBar_, serial);
    if (s.pointerWindow_ == 0) return;
    s.Push(down ? InputEvent::ButtonDown : InputEvent::ButtonUp, s.pointerWindow_, Point{}, bit);
}

void WaylandSeat::OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    auto& s = *static_cast<WaylandSeat*>(data);
    const OwnedFd keymap(fd);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) s.keys_.SetKeymapFile(keymap.Get(), size);
}

void WaylandSeat::OnKeyboardEnter(void* data, wl_keyboard*, uint32_t serial, wl_surface* surface,
                                  wl_array*) {
    auto& s = *static_cast<WaylandSeat*>(data);
    s.keyboardWindow_ = s.windows_.IdOf(surface);
    s.inputSerial_ = serial;
}

void WaylandSeat::OnKeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
    auto& s = *static_cast<WaylandSeat*>(data);
    s.keyboardWindow_ = 0;
    s.keys_.StopRepeat();
    // What is held from now on is another window's business; the compositor reports the
    // modifiers again when the keyboard comes back.
    s.Push(InputEvent::KeyboardLeft, 0);
}

void WaylandSeat::OnKey(void* data, wl_keyboard*, uint32_t serial, uint32_t, uint32_t key,
                        uint32_t state) {
    auto& s = *static_cast<WaylandSeat*>(data);
    s.inputSerial_ = serial;
    if (s.keyboardWindow_ == 0) return;
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
        // The repeat's clock is the steady one the shared wait reads.
        const WaylandKeyboard::Stroke stroke = s.keys_.Press(key, s.clock_.NowMs());
        s.Push(InputEvent::KeyDown, s.keyboardWindow_, Point{}, stroke.keyCode, stroke.character,
               key, s.keys_.Symbol(key));
    } else {
        s.Push(InputEvent::KeyUp, s.keyboardWindow_, Point{}, s.keys_.Release(key), 0, key,
               s.keys_.Symbol(key));
    }
}

void WaylandSeat::OnModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed,
                              uint32_t latched, uint32_t locked, uint32_t group) {
    auto& s = *static_cast<WaylandSeat*>(data);
    s.keys_.SetModifiers(depressed, latched, locked, group);
    s.Push(InputEvent::Modifiers, 0, Point{}, s.keys_.HeldShift());
}

void WaylandSeat::OnRepeatInfo(void* data, wl_keyboard*, int32_t rate, int32_t delay) {
    static_cast<WaylandSeat*>(data)->keys_.SetRepeat(rate, delay);
}

}  // namespace platform
