#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/display/descriptor_watches.h"
#include "platform/ui/backend.h"
#include "platform/ui/window.h"

namespace platform {

/// One step of scripted input for the headless backend.
namespace headless {
struct Advance {  // let this many milliseconds pass, firing due timers exactly on time
    int64_t ms;
};
struct MoveTo {  // the pointer moves to a screen position
    Point screen;
};
struct MoveInWindow {  // the pointer moves to a client position of a top-level window
    WindowHandle topLevel;
    Point client;
};
struct ButtonDown {
    int32_t button;
};
struct ButtonUp {
    int32_t button;
};
struct KeyDown {
    int32_t keyCode;
};
struct KeyUp {
    int32_t keyCode;
};
struct Character {
    int32_t charCode;
};
struct KeyPressed {  // a key down as a display reports it, with its character
    Keystroke stroke;
};
struct KeyReleased {
    uint32_t key;
    int32_t keyCode;
};
struct Call {  // runs code at this point of the script (checks, close requests, ...)
    std::function<void()> fn;
};
}  // namespace headless

using HeadlessAction =
    std::variant<headless::Advance, headless::MoveTo, headless::MoveInWindow, headless::ButtonDown,
                 headless::ButtonUp, headless::KeyDown, headless::KeyUp, headless::Character,
                 headless::KeyPressed, headless::KeyReleased, headless::Call>;

/// Where the headless backend takes its input when a loop would wait: the next action, or
/// nullopt when the input has ended.
using InputSource = std::function<std::optional<HeadlessAction>()>;

/// A display with no screen: a virtual clock that moves only when told, input from a script or
/// from direct calls, and what each window shows kept for reading back.
///
/// When a message loop (the main loop or a modal loop deep inside a handler) has nothing to do,
/// WaitForEvents takes the next action from the input source: an Advance moves the clock in
/// steps that stop at every timer deadline on the way, so each timer fires at exactly its due
/// time; any other action is delivered at once. A finished source ends the loops.
///
/// One object plays every role of a backend, so that tests reach them all on it.
class HeadlessBackend final : public Backend,
                              public DisplayWindows,
                              public DisplayScreen,
                              public DisplayClipboard,
                              public EventSource {
  public:
    /// What reached the "screen" of one native window.
    struct NativeWindow {
        NativeWindowDesc desc;  // icons is empty here: the images are not kept
        std::vector<Size> iconSizes;
        Surface screen;  // every presented device pixel: Edge(client size) at desc.scale
        /// The latest device rectangles presented, oldest first: at most kKeptPresents, so
        /// that a long run keeps no more than a short one. presentCount counts them all.
        std::deque<Rect> presented;
        size_t presentCount = 0;       // every rectangle presented, kept or not
        int32_t activations = 0;       // how often Activate brought it forward
        std::string lastStartupToken;  // the launch named by the latest Activate
    };
    static constexpr size_t kKeptPresents = 16;

    /// A screen of `screenSize` device pixels whose desktop asks for `scale`: windows, input
    /// and the screen size are logical for the window system, and each window's "screen" holds
    /// its device pixels.
    explicit HeadlessBackend(Size screenSize = {1024, 768}, DeviceScale scale = {});
    /// The desktop's scale changes, as a desktop's scale slider does: every shown window is
    /// asked to follow.
    void SetDesktopScale(DeviceScale scale);

    void SetInputSource(InputSource source) { source_ = std::move(source); }

    /// Lets `ms` milliseconds pass from outside any loop: due timers fire in order exactly on
    /// time, pending messages are dispatched after each, and at the end.
    void AdvanceClock(int64_t ms);
    /// Dispatches everything pending now (posted tasks, queued keys, due timers, paints).
    void ProcessUntilIdle();

    const NativeWindow* Native(NativeWindowId id) const;
    /// What a native window shows, as an opaque image (alpha 255; a plain colour 0x00BBGGRR
    /// becomes 0xFFBBGGRR). Throws std::out_of_range for an unknown window.
    Image ScreenImage(NativeWindowId id) const;
    /// The same as a PNG file, for golden-image comparisons and for people to look at. Throws
    /// std::runtime_error with libpng's message when libpng fails.
    std::vector<uint8_t> ScreenPng(NativeWindowId id) const;
    /// The pointer picture last set; null for the arrow.
    const PointerImage* CurrentPointer() const { return pointer_; }

    DisplayWindows& Windows() override { return *this; }
    DisplayScreen& Screen() override { return *this; }
    DisplayClipboard& Clipboard() override { return *this; }
    EventSource& Events() override { return *this; }

    // DisplayWindows
    NativeWindowId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeWindowId id) override;
    void SetOpacity(NativeWindowId id, uint8_t opacity) override;
    void Activate(NativeWindowId id, std::string_view startupToken) override;
    void SetScale(NativeWindowId id, DeviceScale scale) override;
    void Present(NativeWindowId id, const Rect& changed) override;
    void Flush() override {}
    void SetPointer(const PointerImage* pointer) override { pointer_ = pointer; }

    // DisplayScreen
    /// The whole screen, wherever `near` is.
    Rect WorkArea(std::optional<Point>) const override {
        return {0, 0, scale_.LogicalAt(screenSize_.width), scale_.LogicalAt(screenSize_.height)};
    }
    DeviceScale Scale() const override { return scale_; }
    /// Counts the rings, for tests to read in Bells().
    void Bell() override { ++bells_; }
    int64_t Bells() const { return bells_; }

    // DisplayClipboard
    /// The scripted clipboard answers at once, before the call returns.
    void RequestClipboardText(std::function<void(std::string text)> onText) override {
        onText(clipboard_);
    }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    void SetPrimaryText(const std::string& text) override { primary_ = text; }
    const std::string& PrimaryText() const { return primary_; }

    // EventSource
    void Attach(WindowSystem& system) override { system_ = &system; }
    int64_t NowMs() const override { return nowMs_; }
    /// The virtual clock cannot wait for a real descriptor: each wait runs the handlers of
    /// those ready at that moment, before it takes the next scripted action.
    void WatchDescriptor(int fd, std::function<void()> onReadable) override {
        watches_.Add(fd, std::move(onReadable));
    }
    void UnwatchDescriptor(int fd) override { watches_.Remove(fd); }
    void AddParticipant(WaitParticipant& participant) override {
        watches_.AddParticipant(participant);
    }
    void RemoveParticipant(WaitParticipant& participant) override {
        watches_.RemoveParticipant(participant);
    }
    bool WaitForEvents(int64_t deadlineMs) override;

  private:
    void Deliver(HeadlessAction& action);

    WindowSystem* system_ = nullptr;
    Size screenSize_;
    DeviceScale scale_;
    int64_t nowMs_ = 0;
    int64_t advanceUntilMs_ = 0;  // the end of an Advance still in progress
    InputSource source_;
    std::map<NativeWindowId, NativeWindow> windows_;
    NativeWindowId nextId_ = 1;
    const PointerImage* pointer_ = nullptr;
    int64_t bells_ = 0;
    std::string clipboard_;
    std::string primary_;
    DescriptorWatches watches_;
};

/// A list of scripted actions, built step by step and handed over as an input source.
class Script {
  public:
    Script& Advance(int64_t ms);
    Script& MoveTo(int32_t x, int32_t y);
    Script& MoveInWindow(const Window& topLevel, int32_t x, int32_t y);
    Script& Down(int32_t button = 1);
    Script& Up(int32_t button = 1);
    Script& KeyDown(int32_t keyCode);
    Script& KeyUp(int32_t keyCode);
    /// A key going down and up, inside presses of the modifier keys the shift bits name
    /// (Shift, Ctrl, Alt down in this order, released in reverse).
    Script& Key(int32_t keyCode, int32_t shift = 0);
    Script& Char(int32_t charCode);
    /// A key going down as a display reports it, with its character; and its release.
    Script& Pressed(const Keystroke& stroke);
    Script& Released(uint32_t key, int32_t keyCode = 0);
    /// A key with the symbol `keysym` (keysyms.h) going down and up, numbered `key`.
    Script& Stroke(uint32_t keysym, uint32_t key);
    Script& Call(std::function<void()> fn);

    /// Hands the actions over as a source giving them in order, then nullopt; the script is
    /// empty afterwards.
    InputSource Source();

  private:
    std::vector<HeadlessAction> actions_;
};

}  // namespace platform
