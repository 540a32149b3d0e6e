#include <array>
#include <memory>
#include <utility>

#include "platform/display/headless/headless_backend.h"
#include "platform/display/keysyms.h"
#include "platform/ui/keys.h"

namespace platform {

Script& Script::Advance(int64_t ms) {
    actions_.push_back(headless::Advance{ms});
    return *this;
}

Script& Script::MoveTo(int32_t x, int32_t y) {
    actions_.push_back(headless::MoveTo{{x, y}});
    return *this;
}

Script& Script::MoveInWindow(const Window& topLevel, int32_t x, int32_t y) {
    actions_.push_back(headless::MoveInWindow{topLevel.Handle(), {x, y}});
    return *this;
}

Script& Script::Down(int32_t button) {
    actions_.push_back(headless::ButtonDown{button});
    return *this;
}

Script& Script::Up(int32_t button) {
    actions_.push_back(headless::ButtonUp{button});
    return *this;
}

Script& Script::KeyDown(int32_t keyCode) {
    actions_.push_back(headless::KeyDown{keyCode});
    return *this;
}

Script& Script::KeyUp(int32_t keyCode) {
    actions_.push_back(headless::KeyUp{keyCode});
    return *this;
}

Script& Script::Key(int32_t keyCode, int32_t shift) {
    const std::array<std::pair<int32_t, int32_t>, 3> modifiers{
        {{kShiftShift, kKeyShift}, {kShiftCtrl, kKeyCtrl}, {kShiftAlt, kKeyAlt}}};
    for (const auto& [bit, key] : modifiers)
        if (shift & bit) KeyDown(key);
    KeyDown(keyCode).KeyUp(keyCode);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        if (shift & it->first) KeyUp(it->second);
    return *this;
}

Script& Script::Char(int32_t charCode) {
    actions_.push_back(headless::Character{charCode});
    return *this;
}

Script& Script::Pressed(const Keystroke& stroke) {
    actions_.push_back(headless::KeyPressed{stroke});
    return *this;
}

Script& Script::Released(uint32_t key, int32_t keyCode) {
    actions_.push_back(headless::KeyReleased{key, keyCode});
    return *this;
}

Script& Script::Stroke(uint32_t keysym, uint32_t key) {
    const Keystroke stroke = KeystrokeOf(keysym, key);
    return Pressed(stroke).Released(key, stroke.keyCode);
}

Script& Script::Call(std::function<void()> fn) {
    actions_.push_back(headless::Call{std::move(fn)});
    return *this;
}

InputSource Script::Source() {
    auto actions = std::make_shared<std::vector<HeadlessAction>>(std::move(actions_));
    actions_.clear();
    auto next = std::make_shared<size_t>(0);
    return [actions, next]() -> std::optional<HeadlessAction> {
        if (*next >= actions->size()) return std::nullopt;
        return (*actions)[(*next)++];
    };
}

}  // namespace platform
