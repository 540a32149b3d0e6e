#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/window.h"
#include "platform/ui/window_system.h"

namespace testsupport {

/// A window that writes every handler call it gets into a log, in order, one entry a call:
/// "MouseDown 1 0 10 15" (button or buttons, shift, x, y), "KeyDown 65 1" (key code, shift),
/// "KeyPress 97", "Timer 1 @500" (the id, and the clock's time when it fired), "Click",
/// "CloseRequest", "AccessibleAction -1 click" (part, action) and the like. A window with a name
/// writes "name:" in front of each entry, so that windows sharing one log can be told apart.
/// A test can hook behaviour of its own into a handler, which runs after the call is written
/// down.
class RecordingWindow : public platform::Window {
  public:
    /// A window with a log of its own and no name.
    RecordingWindow(platform::WindowSystem& system, platform::Window* parent, platform::Rect bounds)
        : Window(system, parent, bounds), log(ownLog_) {}
    /// A window named `name` that writes into `log`, which other windows may share.
    RecordingWindow(platform::WindowSystem& system, platform::Window* parent, platform::Rect bounds,
                    std::string name, std::vector<std::string>& log)
        : Window(system, parent, bounds), log(log), name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    /// The log the window writes into: its own, or the one it was given.
    std::vector<std::string>& log;

    std::function<void()> onClick, onDoubleClick, onAccessKey, onGotFocus, onMouseDown, onMouseUp;
    std::function<void(int32_t)> onTimer;
    std::function<void(int32_t&)> onKeyDown;
    /// What OnCloseRequest answers.
    bool allowClose = true;

    void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override {
        Add("MouseDown", {button, shift, x, y});
        if (onMouseDown) onMouseDown();
    }
    void OnMouseMove(int32_t buttons, int32_t shift, int32_t x, int32_t y) override {
        Add("MouseMove", {buttons, shift, x, y});
    }
    void OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) override {
        Add("MouseUp", {button, shift, x, y});
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
        Add("KeyDown", {keyCode, shift});
        if (onKeyDown) onKeyDown(keyCode);
    }
    void OnKeyPress(int32_t& charCode) override { Add("KeyPress", {charCode}); }
    void OnKeyUp(int32_t& keyCode, int32_t shift) override { Add("KeyUp", {keyCode, shift}); }
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
    void OnAccessibleAction(int32_t part, std::string_view action) override {
        Add("AccessibleAction " + std::to_string(part) + " " + std::string(action));
    }

  private:
    void Add(std::string_view event, std::initializer_list<int32_t> numbers = {}) {
        std::string entry;
        if (!name_.empty()) entry.append(name_).append(1, ':');
        entry.append(event);
        for (const int32_t number : numbers)
            entry.append(1, ' ').append(std::to_string(number));
        log.push_back(std::move(entry));
    }

    std::vector<std::string> ownLog_;  // the log of a window given none
    std::string name_;
};

}  // namespace testsupport
