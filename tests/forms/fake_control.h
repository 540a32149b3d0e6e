#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/container.h"
#include "forms/container_user_control.h"

namespace forms::testing {

/// A hosted control that writes every call it receives into a log ("MouseDown 1 0 10 15"),
/// then hands the call's name to `react` so that a test can act inside it. Key codes go
/// through `keyReact`, which may change them.
class FakeControl : public UserControl {
  public:
    FakeControl(std::vector<std::string>& log, std::string prefix = "")
        : log_(log), prefix_(std::move(prefix)) {}

    ControlContainer container;
    std::function<void(std::string_view call)> react;

    void OnCreate(const ControlContainer& c) override {
        container = c;
        Note("Create");
    }
    void OnInitNew() override { Note("InitNew"); }
    void OnLoadSettings() override { Note("LoadSettings"); }
    void OnResize() override { Note("Resize"); }
    void OnShow() override { Note("Show"); }
    void OnSaveSettings() override { Note("SaveSettings"); }
    void OnHide() override { Note("Hide"); }
    void OnDestroy() override { Note("Destroy"); }
    void OnAmbientChanged(std::string_view name) override {
        Note("AmbientChanged " + std::string(name));
    }
    void OnAppearanceChanged() override { Note("AppearanceChanged"); }
    void OnMouseDown(int32_t b, int32_t s, int32_t x, int32_t y) override {
        Note(Mouse("MouseDown", b, s, x, y));
    }
    void OnMouseMove(int32_t b, int32_t s, int32_t x, int32_t y) override {
        Note(Mouse("MouseMove", b, s, x, y));
    }
    void OnMouseUp(int32_t b, int32_t s, int32_t x, int32_t y) override {
        Note(Mouse("MouseUp", b, s, x, y));
    }
    void OnClick() override { Note("Click"); }
    void OnDoubleClick() override { Note("DoubleClick"); }
    void OnKeyDown(int32_t& keyCode, int32_t shift) override {
        Note("KeyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
    }
    void OnKeyPress(int32_t& keyAscii) override { Note("KeyPress " + std::to_string(keyAscii)); }
    void OnKeyUp(int32_t& keyCode, int32_t shift) override {
        Note("KeyUp " + std::to_string(keyCode) + " " + std::to_string(shift));
    }
    void OnAccessKey() override { Note("AccessKey"); }
    void OnGotFocus() override { Note("GotFocus"); }
    void OnLostFocus() override { Note("LostFocus"); }
    void OnTimer() override { Note("Timer"); }

  private:
    static std::string Mouse(const char* name, int32_t b, int32_t s, int32_t x, int32_t y) {
        return std::string(name) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
               std::to_string(x) + " " + std::to_string(y);
    }
    void Note(const std::string& call) {
        log_.push_back(prefix_ + call);
        // A reaction may destroy this control; it runs from a copy that outlives the call.
        if (const auto reaction = react) reaction(call);
    }

    std::vector<std::string>& log_;
    std::string prefix_;
};

}  // namespace forms::testing
