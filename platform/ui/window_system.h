#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gfx/geometry.h"
#include "platform/objects/appearance.h"
#include "platform/ui/backend.h"
#include "platform/ui/key_filter.h"
#include "platform/ui/keys.h"
#include "platform/ui/timer_queue.h"
#include "platform/ui/window.h"

namespace platform {

/// The window tree, input routing, focus, timers, the message queue and the loops, over one
/// backend. Everything runs on one thread; handlers may re-enter the system (pump messages,
/// run a modal loop, destroy windows) and the system re-finds every window by its handle after
/// each handler call.
///
/// Input arrives through PointerMoveTo ... CloseRequest, called by the backend while it waits
/// for events (or directly by code that drives a headless backend).
/// Who tells the program the desktop's appearance.
enum class AppearanceSource { Portal, DisplaySettings };

class WindowSystem {
  public:
    explicit WindowSystem(Backend& backend);
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    Backend& GetBackend() const { return backend_; }
    int64_t NowMs() const { return events_.NowMs(); }

    /// The program's name as the desktop shows it, which a top-level window without a caption
    /// bar (a splash) offers the desktop in place of its title; none offers the title. Applies to
    /// the windows shown from then on.
    void SetApplicationName(std::string name) { applicationName_ = std::move(name); }

    /// The live window with this handle, or null.
    Window* Find(WindowHandle handle) const;
    /// Top-level windows from the bottom of the z-order to the top.
    const std::vector<Window*>& TopLevels() const { return topLevels_; }
    /// The top-level window shown in the backend's native window `id`, or null (for 0 too).
    Window* TopLevelOf(NativeWindowId id) const;

    // Pointer.
    Point PointerPosition() const { return pointer_; }
    /// The window under a screen point: the topmost shown window whose rectangle, and shape if
    /// it has one, holds the point, searched through children from the top of the z-order.
    /// Disabled windows are found like others (they only receive no input).
    Window* WindowAtPoint(Point screen) const;
    /// The window under the pointer: found at the pointer's position inside the top-level
    /// window the display last reported the pointer in, or among all top-level windows when the
    /// pointer was placed by a screen position; null when the pointer is over no window of
    /// ours (another program's window, a window frame, the desktop). It costs no request to
    /// the display.
    Window* WindowUnderPointer() const;
    Window* CaptureWindow() const { return Find(capture_); }
    void ReleaseCapture();

    // Keyboard focus.
    Window* FocusWindow() const { return Find(focus_); }
    /// Gives the focus to a shown, enabled, focusable window (or takes it away with null),
    /// notifying the window that loses it, then the one that gains it.
    void SetFocus(Window* window);
    /// Brings a shown top-level window forward for the user, in answer to the launch
    /// `startupToken` names (Backend::Activate): raised, restored if minimised and focused, as
    /// far as the desktop allows. While a modal window runs, that window comes forward instead.
    void BringForward(Window& topLevel, std::string_view startupToken);
    /// The top-level window the keyboard goes to: the modal window running, else the focused
    /// window's, else the topmost visible one; null when none is visible.
    Window* ActiveTopLevel() const;
    /// Moves the focus from the keyboard (Tab, arrows that go round a group) to the next (or
    /// previous) window in the tab order of the focused window's top-level window, skipping
    /// hidden, disabled and unfocusable ones; the focus becomes visible.
    void MoveFocus(bool backward);
    /// Whether the user follows the focus by keyboard, so that it is shown: since the keyboard
    /// last moved the focus (MoveFocus) and no mouse button has gone down since. SetFocus leaves
    /// it as it is. While it holds, a ring is drawn around the focused child window over
    /// everything composed (DrawFocusRing), clipped by its ancestors' client areas.
    bool FocusVisible() const { return focusVisible_; }

    // Input from the backend.
    /// The pointer moved to a screen position; the window under it is found among all
    /// top-level windows, as they stand at each hit test.
    void PointerMoveTo(Point screen);
    /// The display reports the pointer in the client coordinates of a top-level window (which
    /// may lie outside its client area while a button is held). A report of the pointer where
    /// it already is, as presses and releases bring, moves nothing.
    void PointerMoveInWindow(WindowHandle topLevel, Point client);
    /// The display reports that the pointer left a top-level window for a place that is not
    /// ours: it is over none of our windows until the next move is reported.
    void PointerLeftWindow(WindowHandle topLevel);
    void ButtonDown(int32_t button);
    void ButtonUp(int32_t button);
    /// A key going down; a held key repeats as further KeyDown calls. Shift (16), Ctrl (17) and
    /// Alt (18) also update the shift bits.
    void KeyDown(int32_t keyCode);
    /// The display says which of Shift, Ctrl and Alt are held (shift bits), as it does with its
    /// input events. That replaces what the presses and releases seen so far imply, which misses
    /// a release that went elsewhere: to a window manager's shortcut such as Alt+F4, or to
    /// another window that had the keyboard meanwhile.
    void ModifiersHeld(int32_t shift) { shift_ = shift & (kShiftShift | kShiftCtrl | kShiftAlt); }
    void KeyUp(int32_t keyCode);
    /// A typed character, after its KeyDown.
    void Character(int32_t charCode);
    /// A key went down, or repeats (a further press without a release): the active top-level
    /// window previews it (Window::OnPreviewKeyDown); unless it takes the key, KeyDown with the
    /// key's code and Character with its character follow, for those that are not 0.
    void KeyPressed(const Keystroke& stroke);
    /// The key `stroke.key` went up: to the window that took its press, else KeyUp with
    /// `stroke.keyCode` when it is not 0.
    void KeyReleased(const Keystroke& stroke);
    /// Sets the filter that sees each key (KeyPressed, KeyReleased) before the windows and may
    /// hold it back; null for none. The filter must outlive its setting.
    void SetKeyFilter(KeyFilter* filter) { keyFilter_ = filter; }
    /// A key reaches the windows, with the shift bits held when it came: as KeyPressed or
    /// KeyReleased do unfiltered, or later for a key the filter held back.
    void DeliverKey(const KeyEvent& event);
    /// The keyboard went to a window that is not ours: the key filter gives back the keys it
    /// holds, no modifier counts as held any more, and the keys a top-level window took come up
    /// as if let go, since their releases will go elsewhere.
    void KeyboardLeft();
    /// The user asked to close a top-level window (its close box, Alt+F4).
    void CloseRequest(WindowHandle topLevel);
    /// The display moved a top-level window (the user dragged it, the window manager placed
    /// it): the top-left corner of its client area is now at `screen`.
    void NativeWindowMoved(WindowHandle topLevel, Point screen);
    /// The display asks for a top-level window to be shown at `scale`: the desktop's setting
    /// changed, or the window went where another scale holds. The window's zoom applies on top;
    /// the window is drawn anew at the scale that results.
    void NativeScaleChanged(WindowHandle topLevel, DeviceScale scale);
    /// What the desktop asks of every window's look, and the system colours resolve through the
    /// table it asks for (TableFor). `source` says who tells: the portal speaks for the desktop
    /// while it answers (a value), the display's own settings while it does not; with neither,
    /// the default appearance holds. A change reaches every window (OnAppearanceChanged) and
    /// every window is painted anew.
    void SetDesktopAppearance(AppearanceSource source, std::optional<Appearance> appearance);
    const Appearance& DesktopAppearance() const { return appearance_; }
    /// The display destroyed the native window of a shown top-level window unasked (another
    /// program closed it). The window can no longer be shown, and the program's session is
    /// over: every loop returns at once, from now on.
    void NativeWindowLost(WindowHandle topLevel);
    bool WindowLost() const { return windowLost_; }
    /// The backend's connection to the display is gone; `message` says so ("the connection to
    /// the display \":1\" was lost"), for the program to tell the user. Nothing can be shown
    /// any more: every loop returns at once, from now on, as after a lost window.
    void DisplayLost(std::string message);
    /// What DisplayLost said; empty while the display is there.
    const std::string& DisplayLostMessage() const { return displayLost_; }

    // The message queue and loops.
    /// Runs `task` from the message loop later.
    void Post(std::function<void()> task);
    /// Runs `task` from the message loop once every window is painted and handed to the
    /// display: work that the picture on the screen need not wait for. Only message loops run
    /// these tasks, after everything DispatchPending runs.
    void PostWhenShown(std::function<void()> task);
    /// Queues keystrokes written as "{Tab}" (Tab) or "+{Tab}" (Shift together with Tab), any
    /// number of them in a row; they are delivered by the message loop, as a key going down
    /// and up, to the window focused at that time. Throws std::invalid_argument for anything
    /// else.
    void SendKeys(std::string_view keys);
    /// Runs what is pending now: posted tasks, queued keystrokes, due timers, then paints and
    /// presents every invalidated window; returns without waiting.
    void DispatchPending();
    /// The message loop: dispatches and waits for input or the next timer until Quit(), a lost
    /// window or display, or the backend reports that no input will come.
    void Run();
    /// Shows `window` and runs a nested message loop until it is hidden or destroyed (or Quit(),
    /// or the end of input). While it runs, only this window's tree receives input.
    void RunModal(Window& window);
    /// Ends every running loop.
    void Quit() { quit_ = true; }
    /// Quit() was called since the last Run(), or a window or the display was lost: no loop runs
    /// now.
    bool QuitRequested() const { return quit_ || windowLost_ || !displayLost_.empty(); }
    /// When the earliest timer is due; kNoDeadline with no timer running.
    int64_t NextTimerDueMs() const { return timers_.NextDueMs(); }
    /// Runs `observer` at the end of every DispatchPending, once the windows are painted: where a
    /// mirror of the window tree (the accessible tree) brings itself up to date. Empty: none.
    void SetDispatchObserver(std::function<void()> observer) {
        dispatchObserver_ = std::move(observer);
    }
    /// Paints, composes and presents every invalidated part of every shown top-level window.
    void UpdateAll();

  private:
    void KeyWentDown(const Keystroke& stroke);
    void KeyWentUp(const Keystroke& stroke);
    friend class Window;

    // Registration and tree changes, called by Window.
    WindowHandle Register(Window& window);
    void Unregister(Window& window);
    void AddDamage(Window& window, const Rect& clientRect);
    void ShowTopLevel(Window& window);
    Rect CentredBounds(const Window& window) const;
    void HideTopLevel(Window& window);
    void Update(Window& topLevel);
    // The focus ring (window_focus_ring.cpp).
    struct FocusRing {
        WindowHandle topLevel;
        Rect around;  // the focused window, in the top-level window's client coordinates
        Rect clip;    // its ancestors' client areas there
        friend bool operator==(const FocusRing&, const FocusRing&) = default;
    };
    std::optional<FocusRing> WantedFocusRing() const;
    static Rect RingArea(const FocusRing& ring);
    void PrepareFocusRing(Window& topLevel);
    // The device pixels `deviceArea` of a shown top-level window as the display should show
    // them now: its windows composed, the focus ring drawn.
    Surface ComposeFrame(const Window& topLevel, const Rect& deviceArea) const;
    // Scales (window_scale.cpp).
    SurfaceGrid GridOf(const Window& window) const;
    void Rescale(Window& topLevel);
    void Regrid(Window& topLevel);
    void ReleaseSurfaces(Window& topLevel);
    void ForgetSubtree(Window& window);

    // Input routing.
    bool AcceptsInput(const Window& window) const;
    Window* PointerTarget() const;
    void MovePointer(Point screen);
    void UpdatePointerPicture();
    void HandleKeyDown(int32_t keyCode, int32_t shift);
    void HandleKeyUp(int32_t keyCode, int32_t shift);
    bool ActivateAccessKey(Window& topLevel, int32_t charCode);
    void ActivateModalOver(const Window& blocked);
    // MoveFocus's step through the tab order, which leaves the focus's visibility alone: the
    // first focus of a modal window.
    void FocusNext(bool backward);

    // Loop steps.
    bool FireDueTimers();
    bool DeliverQueuedKey();
    void RunLoopUntil(const std::function<bool()>& done);

    Backend& backend_;
    DisplayWindows& display_;
    DisplayScreen& screen_;
    EventSource& events_;
    WindowHandle nextHandle_ = 1;
    std::unordered_map<WindowHandle, Window*> windows_;
    std::vector<Window*> topLevels_;
    TimerQueue timers_;

    Point pointer_;
    // Where the display last reported the pointer: in this top-level window (0: in none of
    // ours), or nullopt when it was placed by a screen position.
    std::optional<WindowHandle> pointerTopLevel_;
    int32_t buttons_ = 0;
    int32_t shift_ = 0;
    WindowHandle capture_ = 0;
    WindowHandle focus_ = 0;
    bool focusVisible_ = false;
    std::optional<FocusRing> drawnRing_;  // where the ring is drawn, or goes at the next update
    std::shared_ptr<const PointerImage> shownPointer_;  // kept alive while shown

    // Click and double-click synthesis.
    WindowHandle pressWindow_ = 0;  // where the left button went down
    bool pressWasDoubleClick_ = false;
    WindowHandle lastClickWindow_ = 0;
    Point lastClickPoint_;
    int64_t lastClickMs_ = 0;

    struct QueuedKey {
        int32_t keyCode;
        int32_t shift;
        bool down;
    };
    std::deque<std::function<void()>> posted_;
    std::deque<std::function<void()>> whenShown_;
    std::deque<QueuedKey> queuedKeys_;
    // The keys held down that a top-level window took on their way down, with that window.
    std::vector<std::pair<uint32_t, WindowHandle>> previewedKeys_;
    KeyFilter* keyFilter_ = nullptr;
    std::vector<WindowHandle> modal_;
    std::function<void()> dispatchObserver_;
    bool quit_ = false;
    bool windowLost_ = false;
    std::string displayLost_;
    std::string applicationName_;
    std::optional<Appearance> portalAppearance_;
    std::optional<Appearance> settingsAppearance_;
    Appearance appearance_;
};

}  // namespace platform
