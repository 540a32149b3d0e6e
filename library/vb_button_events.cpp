// The button's events: what the control raises to its site, handed to the host's handler of
// that event with its arguments by reference.
#include <utility>

#include "library/internals.h"

namespace tavik {
namespace {

/// Runs a mouse event's handler on the event's Button, Shift, x and y.
void RaiseMouse(const std::function<void(int16_t&, int16_t&, float&, float&)>& handler,
                std::span<forms::EventArgument> args) {
    if (!handler || args.size() != 4) return;
    handler(std::get<int16_t>(args[0]), std::get<int16_t>(args[1]), std::get<float>(args[2]),
            std::get<float>(args[3]));
}

/// Runs a key event's handler on the event's KeyCode and Shift.
void RaiseKey(const std::function<void(int16_t&, int16_t&)>& handler,
              std::span<forms::EventArgument> args) {
    if (!handler || args.size() != 2) return;
    handler(std::get<int16_t>(args[0]), std::get<int16_t>(args[1]));
}

/// Runs a handler of an event without arguments.
void Raise(const std::function<void()>& handler) {
    if (handler) handler();
}

}  // namespace

/// Hands each event of the button's control to the handler of that event. A handler is copied
/// before it runs, so that it may replace itself.
void Internals::ConnectEvents(vbButton::Parts& parts) {
    parts.site->SetEventHandler([&parts](const forms::ControlEvent& event) {
        const std::string_view name = event.name;
        if (name == "Click") {
            Raise(std::function(parts.click));
        } else if (name == "MouseDown") {
            RaiseMouse(std::function(parts.mouseDown), event.args);
        } else if (name == "MouseMove") {
            RaiseMouse(std::function(parts.mouseMove), event.args);
        } else if (name == "MouseUp") {
            RaiseMouse(std::function(parts.mouseUp), event.args);
        } else if (name == "KeyPress") {
            if (const auto handler = parts.keyPress; handler && event.args.size() == 1)
                handler(std::get<int16_t>(event.args[0]));
        } else if (name == "KeyDown") {
            RaiseKey(std::function(parts.keyDown), event.args);
        } else if (name == "KeyUp") {
            RaiseKey(std::function(parts.keyUp), event.args);
        } else if (name == "MouseOver") {
            Raise(std::function(parts.mouseOver));
        } else if (name == "MouseOut") {
            Raise(std::function(parts.mouseOut));
        }
    });
}

void vbButton::OnClick(std::function<void()> handler) {
    parts_->click = std::move(handler);
}
void vbButton::OnMouseDown(
    std::function<void(int16_t& button, int16_t& shift, float& x, float& y)> handler) {
    parts_->mouseDown = std::move(handler);
}
void vbButton::OnMouseMove(
    std::function<void(int16_t& button, int16_t& shift, float& x, float& y)> handler) {
    parts_->mouseMove = std::move(handler);
}
void vbButton::OnMouseUp(
    std::function<void(int16_t& button, int16_t& shift, float& x, float& y)> handler) {
    parts_->mouseUp = std::move(handler);
}
void vbButton::OnKeyPress(std::function<void(int16_t& keyAscii)> handler) {
    parts_->keyPress = std::move(handler);
}
void vbButton::OnKeyDown(std::function<void(int16_t& keyCode, int16_t& shift)> handler) {
    parts_->keyDown = std::move(handler);
}
void vbButton::OnKeyUp(std::function<void(int16_t& keyCode, int16_t& shift)> handler) {
    parts_->keyUp = std::move(handler);
}
void vbButton::OnMouseOver(std::function<void()> handler) {
    parts_->mouseOver = std::move(handler);
}
void vbButton::OnMouseOut(std::function<void()> handler) {
    parts_->mouseOut = std::move(handler);
}

}  // namespace tavik
