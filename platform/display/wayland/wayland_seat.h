#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "platform/display/display_events.h"
#include "platform/display/steady_clock.h"
#include "platform/display/wayland/wayland_globals.h"
#include "platform/display/wayland/wayland_keyboard.h"
#include "platform/display/wayland/wayland_owned.h"
#include "platform/display/wayland/wayland_windows.h"

// The Wayland headers come after ours, like every platform header.
#include "platform/display/wayland/wayland_client_library.h"

namespace platform {

/// The Wayland backend's input: the seat's pointer and keyboard (xkbcommon, key repeat of the
/// program's own), their events kept until a wait delivers them, and the connection as the
/// shared wait (DisplayEvents) sees it, reading the compositor's events in the way
/// libwayland-client asks of a program that polls its descriptor.
class WaylandSeat final : public DisplayConnection {
  public:
    WaylandSeat(WaylandGlobals& globals, WaylandWindows& windows);
    WaylandSeat(const WaylandSeat&) = delete;
    WaylandSeat& operator=(const WaylandSeat&) = delete;

    /// The serial of the latest input event, which the compositor checks when the program
    /// takes the clipboard.
    uint32_t InputSerial() const { return inputSerial_; }
    /// The user asked to close window `id`.
    void CloseRequest(NativeWindowId id);
    /// The compositor asks for window `id` to be shown at `scale`.
    void ScaleRequest(NativeWindowId id, DeviceScale scale);
    /// Window `id` is gone: no input goes to it any more.
    void Forget(NativeWindowId id);

    bool HasInput() override { return !input_.empty(); }
    pollfd BeginWait() override;
    void EndWait(short revents) override;
    int64_t NextDeadlineMs() const override { return keys_.NextRepeatMs(); }
    void AfterWait(int64_t nowMs) override;
    void DeliverOne(WindowSystem* system) override;
    bool Lost() const override { return globals_.Lost(); }
    std::string Name() const override { return globals_.Name(); }

  private:
    /// One piece of input, kept from the moment the compositor sends it until a wait delivers
    /// it.
    struct InputEvent {
        enum Kind {
            Move,
            Leave,
            ButtonDown,
            ButtonUp,
            KeyDown,
            KeyUp,
            Modifiers,
            KeyboardLeft,
            Close,
            Scale
        };
        Kind kind;
        NativeWindowId window = 0;
        Point at;               // the device pixel of a Move
        int32_t code = 0;       // button bit, desktop key code, shift bits or 120ths of a scale
        int32_t character = 0;  // typed by a KeyDown
        uint32_t key = 0;       // the key of a KeyDown or KeyUp, as wl_keyboard numbers it
        uint32_t symbol = 0;    // the keysym of a KeyDown or KeyUp
    };

    void Capabilities(uint32_t capabilities);
    void Push(InputEvent::Kind kind, NativeWindowId window, Point at = {}, int32_t code = 0,
              int32_t character = 0, uint32_t key = 0, uint32_t symbol = 0);
    /// The window whose surface or own title bar the pointer is over; 0 when none.
    NativeWindowId PointerOwner() const {
        return pointerWindow_ != 0 ? pointerWindow_ : pointerTitleBar_;
    }
    /// The pointer is at the wl_pointer position (x, y) on the surface it last entered.
    void PointerAt(wl_fixed_t x, wl_fixed_t y);
    /// Handles what the compositor sent that is read already; false when the connection broke.
    bool DispatchPending();

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

    WaylandGlobals& globals_;
    WaylandWindows& windows_;
    SteadyClock clock_;
    WaylandKeyboard keys_;
    WaylandOwned<wl_pointer> pointer_;
    WaylandOwned<wl_keyboard> keyboard_;
    uint32_t inputSerial_ = 0;
    NativeWindowId pointerWindow_ = 0;
    // The window whose own title bar the pointer is over, and the device pixel of the bar it
    // is at; 0 when none.
    NativeWindowId pointerTitleBar_ = 0;
    Point pointerOnTitleBar_;
    NativeWindowId keyboardWindow_ = 0;
    std::deque<InputEvent> input_;
    // A read of the compositor's events is prepared (BeginWait) and not yet ended.
    bool reading_ = false;
};

}  // namespace platform
