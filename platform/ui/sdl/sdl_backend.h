#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/backend.h"

namespace platform {

/// The display backend for a real screen through SDL2: one SDL window per native window, the
/// framebuffer shown through the window surface (no GPU renderer), SDL input turned into calls
/// on the attached window system, colour pointers, opacity and the clipboard.
///
/// A native window's id is its SDL window id. Only one SdlBackend may exist at a time; it
/// owns SDL's video subsystem for its lifetime.
class SdlBackend : public Backend {
  public:
    /// Opens the display. Throws std::runtime_error, carrying SDL's reason, when it cannot.
    SdlBackend();
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    void Attach(WindowSystem& system) override;
    NativeWindowId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeWindowId id) override;
    void SetOpacity(NativeWindowId id, uint8_t opacity) override;
    void Present(NativeWindowId id, const Surface& framebuffer, const Rect& changed) override;
    void SetPointer(const PointerImage* pointer) override;
    Size ScreenSize() const override;
    std::string ClipboardText() const override;
    void SetClipboardText(const std::string& text) override;
    int64_t NowMs() const override;
    /// Blocks in SDL until one event arrives or the deadline passes, then delivers that event.
    /// Returns false only when SDL can no longer wait for events.
    bool WaitForEvents(int64_t deadlineMs) override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
