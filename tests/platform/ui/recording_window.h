#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"

namespace platform::testing {

/// A window that writes every handler call into a shared log as "name:Event args", and lets a
/// test hook extra behaviour into any handler.
class RecordingWindow : public Window {
  public:
    RecordingWindow(WindowSystem& system, Window* parent, Rect bounds, std::string name,
                    std::vector<std::string>& log)
        : Window(system, parent, bounds), name_(std::move(name)), log_(log) {}

    const std::string& Name() const { return name_; }

    std::function<void()> onClick, onDoubleClick, onAccessKey, onGotFocus, onMouseDown, onMouseUp;
    std::function<void(int32_t)> onTimer;
    std::function<void(int32_t&)> onKeyDown;
    bool allowClose = true;

    void OnMouseDown(int32_t b, int32_t s, int32_t x, int32_t y) override {
        Log("MouseDown", b, s, x, y);
        if (onMouseDown) onMouseDown();
    }
    void OnMouseMove(int32_t b, int32_t s, int32_t x, int32_t y) override {
        Log("MouseMove", b, s, x, y);
    }
    void OnMouseUp(int32_t b, int32_t s, int32_t x, int32_t y) override {
        Log("MouseUp", b, s, x, y);
        if (onMouseUp) onMouseUp();
    }
    void OnClick() override {
        Add("Click");
        if (onClick) onClick();
    }
    void OnDoubleClick() override {
        Add("DoubleClick");
        if (onDoubleClick) onDoubleClick();
    }
    void OnKeyDown(int32_t& keyCode, int32_t shift) override {
        Add("KeyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
        if (onKeyDown) onKeyDown(keyCode);
    }
    void OnKeyPress(int32_t& charCode) override { Add("KeyPress " + std::to_string(charCode)); }
    void OnKeyUp(int32_t& keyCode, int32_t shift) override {
        Add("KeyUp " + std::to_string(keyCode) + " " + std::to_string(shift));
    }
    void OnGotFocus() override {
        Add("GotFocus");
        if (onGotFocus) onGotFocus();
    }
    void OnLostFocus() override { Add("LostFocus"); }
    void OnAccessKey() override {
        Add("AccessKey");
        if (onAccessKey) onAccessKey();
    }
    void OnTimer(int32_t id) override {
        Add("Timer " + std::to_string(id) + " @" + std::to_string(System().NowMs()));
        if (onTimer) onTimer(id);
    }
    bool OnCloseRequest() override {
        Add("CloseRequest");
        return allowClose;
    }

  private:
    void Add(const std::string& event) { log_.push_back(name_ + ":" + event); }
    void Log(const char* event, int32_t b, int32_t s, int32_t x, int32_t y) {
        Add(std::string(event) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
            std::to_string(x) + " " + std::to_string(y));
    }

    std::string name_;
    std::vector<std::string>& log_;
};

/// A headless window system with one shown top-level window at screen (100, 50), 200 x 100.
struct UiFixture {
    HeadlessBackend backend{{800, 600}};
    WindowSystem system{backend};
    std::vector<std::string> log;
    RecordingWindow top{system, nullptr, Rect::FromSize(100, 50, 200, 100), "top", log};

    UiFixture() { top.Show(); }

    /// A shown child of `parent` at the given client rectangle.
    std::unique_ptr<RecordingWindow> Child(Window& parent, Rect bounds, std::string name) {
        auto w = std::make_unique<RecordingWindow>(system, &parent, bounds, std::move(name), log);
        w->Show();
        return w;
    }
    std::unique_ptr<RecordingWindow> Child(Rect bounds, std::string name) {
        return Child(top, bounds, std::move(name));
    }
    /// Moves the pointer to a client point of the top-level window.
    void MoveTo(int32_t x, int32_t y) { system.PointerMoveTo({100 + x, 50 + y}); }
};

}  // namespace platform::testing
