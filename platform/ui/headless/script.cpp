#include <memory>

#include "platform/ui/headless/headless_backend.h"

namespace platform {

Script& Script::Advance(int64_t ms) {
    actions_.push_back(headless::Advance{ms});
    return *this;
}

Script& Script::MoveTo(int32_t x, int32_t y) {
    actions_.push_back(headless::MoveTo{{x, y}});
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

Script& Script::Key(int32_t keyCode) {
    return KeyDown(keyCode).KeyUp(keyCode);
}

Script& Script::Char(int32_t charCode) {
    actions_.push_back(headless::Character{charCode});
    return *this;
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
