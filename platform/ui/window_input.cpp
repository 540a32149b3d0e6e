// Input routing of the window system: hit testing, pointer events with capture, click and
// double-click synthesis, keys, focus and tab order, access keys and queued keystrokes.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

#include "platform/ui/window_system.h"

namespace platform {
namespace {

// The deepest shown window under `local` (client coordinates of `window`), searching children
// from the top of the z-order; a window's shape limits where it can be hit.
Window* Descend(Window& window, Point local) {
    const std::vector<Window*>& children = window.Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Window& child = **it;
        const Rect b = child.Bounds();
        if (!child.IsVisible() || !b.Contains(local)) continue;
        const Point inner{local.x - b.left, local.y - b.top};
        if (child.Shape() && !child.Shape()->Contains(inner)) continue;
        return Descend(child, inner);
    }
    return &window;
}

int32_t ModifierBit(int32_t keyCode) {
    switch (keyCode) {
        case kKeyShift:
            return kShiftShift;
        case kKeyCtrl:
            return kShiftCtrl;
        case kKeyAlt:
            return kShiftAlt;
        default:
            return 0;
    }
}

// Descendants of `window` in tree order (depth first, children bottom to top).
void CollectDescendants(Window& window, std::vector<Window*>& out) {
    for (Window* child : window.Children()) {
        out.push_back(child);
        CollectDescendants(*child, out);
    }
}

}  // namespace

// ---- Hit testing and pointer --------------------------------------------------------------

Window* WindowSystem::WindowAtPoint(Point screen) const {
    for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it) {
        Window& top = **it;
        const Rect b = top.Bounds();
        if (!top.IsVisible() || !b.Contains(screen)) continue;
        const Point local{screen.x - b.left, screen.y - b.top};
        if (top.Shape() && !top.Shape()->Contains(local)) continue;
        return Descend(top, local);
    }
    return nullptr;
}

Window* WindowSystem::WindowUnderPointer() const {
    if (!pointerTopLevel_) return WindowAtPoint(pointer_);
    Window* top = Find(*pointerTopLevel_);
    if (!top || !top->IsTopLevel() || !top->IsVisible()) return nullptr;
    const Point local = top->ScreenToClient(pointer_);
    const Rect client{0, 0, top->ClientWidth(), top->ClientHeight()};
    if (!client.Contains(local) || (top->Shape() && !top->Shape()->Contains(local))) return nullptr;
    return Descend(*top, local);
}

bool WindowSystem::AcceptsInput(const Window& window) const {
    if (!window.IsShown() || !window.IsEffectivelyEnabled()) return false;
    if (modal_.empty()) return true;
    const Window* modal = Find(modal_.back());
    return !modal || window.TopLevel() == modal;
}

Window* WindowSystem::PointerTarget() const {
    if (Window* capture = CaptureWindow()) return capture;
    return WindowUnderPointer();
}

void WindowSystem::ReleaseCapture() {
    capture_ = 0;
}

void WindowSystem::UpdatePointerPicture() {
    std::shared_ptr<const PointerImage> picture;
    for (const Window* w = PointerTarget(); w; w = w->Parent()) {
        if (w->Pointer() == PointerKind::Default) continue;
        if (w->Pointer() == PointerKind::Custom) picture = w->PointerPicture();
        break;
    }
    if (picture == shownPointer_) return;
    shownPointer_ = std::move(picture);
    display_.SetPointer(shownPointer_.get());
}

void WindowSystem::PointerMoveTo(Point screen) {
    pointerTopLevel_.reset();
    MovePointer(screen);
}

void WindowSystem::PointerMoveInWindow(WindowHandle topLevel, Point client) {
    const Window* top = Find(topLevel);
    if (!top) return;
    // Presses and releases report the pointer where it already is: that is no move.
    const Point screen = top->ClientToScreen(client);
    if (pointerTopLevel_ == topLevel && screen == pointer_) return;
    pointerTopLevel_ = topLevel;
    MovePointer(screen);
}

void WindowSystem::PointerLeftWindow(WindowHandle topLevel) {
    if (pointerTopLevel_ && *pointerTopLevel_ != topLevel) return;
    pointerTopLevel_ = 0;
    timers_.PointerOrWindowsChanged();
}

void WindowSystem::MovePointer(Point screen) {
    pointer_ = screen;
    timers_.PointerOrWindowsChanged();
    UpdatePointerPicture();
    Window* target = PointerTarget();
    if (!target || !AcceptsInput(*target)) return;
    const Point c = target->ScreenToClient(pointer_);
    target->OnMouseMove(buttons_, shift_, c.x, c.y);
}

void WindowSystem::ButtonDown(int32_t button) {
    buttons_ |= button;
    focusVisible_ = false;
    Window* target = PointerTarget();
    if (!target) return;
    if (!AcceptsInput(*target)) {
        ActivateModalOver(*target);
        return;
    }
    const WindowHandle handle = target->Handle();
    // A control pressed with the left button takes the focus before it hears of the press.
    if (button == kButtonLeft && !target->IsTopLevel() && target->IsFocusable()) {
        SetFocus(target);
        target = Find(handle);
        if (!target || !AcceptsInput(*target)) return;
    }
    if (!capture_) capture_ = handle;
    if (button == kButtonLeft) {
        const int64_t now = NowMs();
        const bool doubleClick = target->TakesDoubleClicks() && lastClickWindow_ == handle &&
                                 now - lastClickMs_ <= kDoubleClickMs &&
                                 std::abs(pointer_.x - lastClickPoint_.x) <= kDoubleClickDistance &&
                                 std::abs(pointer_.y - lastClickPoint_.y) <= kDoubleClickDistance;
        pressWindow_ = handle;
        pressWasDoubleClick_ = doubleClick;
        if (doubleClick) {
            lastClickWindow_ = 0;
            target->OnDoubleClick();
            return;
        }
        lastClickWindow_ = handle;
        lastClickPoint_ = pointer_;
        lastClickMs_ = now;
    }
    const Point c = target->ScreenToClient(pointer_);
    target->OnMouseDown(button, shift_, c.x, c.y);
}

// A press on a window that a modal window keeps from input brings the modal window forward, so
// that the user sees what waits for an answer.
void WindowSystem::ActivateModalOver(const Window& blocked) {
    if (modal_.empty()) return;
    const Window* modal = Find(modal_.back());
    if (!modal || !modal->native_ || blocked.TopLevel() == modal) return;
    display_.Activate(modal->native_, {});
}

void WindowSystem::BringForward(Window& topLevel, std::string_view startupToken) {
    const Window* shown = &topLevel;
    if (!modal_.empty())
        if (const Window* modal = Find(modal_.back())) shown = modal;
    if (shown->native_) display_.Activate(shown->native_, startupToken);
}

void WindowSystem::ButtonUp(int32_t button) {
    buttons_ &= ~button;
    Window* target = PointerTarget();
    const WindowHandle handle = target ? target->Handle() : 0;
    const bool click = button == kButtonLeft && handle && pressWindow_ == handle &&
                       !pressWasDoubleClick_ && WindowUnderPointer() == target;
    if (button == kButtonLeft) pressWindow_ = 0;
    // The capture ends with the last button, before any handler runs: neither a Click handler
    // that opens a modal window nor a release handler that throws keeps the pointer captured.
    if (buttons_ == 0) ReleaseCapture();
    if (target && AcceptsInput(*target)) {
        const Point c = target->ScreenToClient(pointer_);
        target->OnMouseUp(button, shift_, c.x, c.y);
    }
    if (!click) return;
    Window* w = Find(handle);
    if (w && AcceptsInput(*w)) w->OnClick();
}

// ---- Keys ---------------------------------------------------------------------------------

Window* WindowSystem::ActiveTopLevel() const {
    if (!modal_.empty()) {
        if (Window* modal = Find(modal_.back())) return modal;
    }
    if (Window* focus = FocusWindow()) return focus->TopLevel();
    for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it)
        if ((*it)->IsVisible()) return *it;
    return nullptr;
}

void WindowSystem::KeyDown(int32_t keyCode) {
    shift_ |= ModifierBit(keyCode);
    HandleKeyDown(keyCode, shift_);
}

void WindowSystem::KeyUp(int32_t keyCode) {
    shift_ &= ~ModifierBit(keyCode);
    HandleKeyUp(keyCode, shift_);
}

void WindowSystem::HandleKeyDown(int32_t keyCode, int32_t shift) {
    Window* top = ActiveTopLevel();
    if (keyCode == kKeyTab && !(shift & (kShiftCtrl | kShiftAlt))) {
        MoveFocus((shift & kShiftShift) != 0);
        return;
    }
    if (shift & kShiftAlt) {
        if (keyCode == kKeyF4 && top) {
            CloseRequest(top->Handle());
            return;
        }
        const bool letterOrDigit =
            (keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z');
        if (letterOrDigit && top && ActivateAccessKey(*top, keyCode)) return;
    }
    Window* focus = FocusWindow();
    if (!focus || !AcceptsInput(*focus)) return;
    int32_t code = keyCode;
    focus->OnKeyDown(code, shift);
}

void WindowSystem::HandleKeyUp(int32_t keyCode, int32_t shift) {
    Window* focus = FocusWindow();
    if (!focus || !AcceptsInput(*focus)) return;
    int32_t code = keyCode;
    focus->OnKeyUp(code, shift);
}

void WindowSystem::Character(int32_t charCode) {
    // With Alt held a key is an access key, handled on its way down, never a character.
    if (shift_ & kShiftAlt) return;
    Window* focus = FocusWindow();
    if (!focus || !focus->TakesCharacters()) {
        Window* top = ActiveTopLevel();
        if (top && ActivateAccessKey(*top, charCode)) return;
    }
    if (!focus || !AcceptsInput(*focus)) return;
    int32_t code = charCode;
    focus->OnKeyPress(code);
}

void WindowSystem::KeyPressed(const Keystroke& stroke) {
    const KeyEvent event{.pressed = true, .stroke = stroke, .shift = shift_, .timeMs = NowMs()};
    if (!keyFilter_ || !keyFilter_->Hold(event)) DeliverKey(event);
}

void WindowSystem::KeyReleased(const Keystroke& stroke) {
    const KeyEvent event{.pressed = false, .stroke = stroke, .shift = shift_, .timeMs = NowMs()};
    if (!keyFilter_ || !keyFilter_->Hold(event)) DeliverKey(event);
}

void WindowSystem::DeliverKey(const KeyEvent& event) {
    shift_ = event.shift;
    if (event.pressed)
        KeyWentDown(event.stroke);
    else
        KeyWentUp(event.stroke);
}

void WindowSystem::KeyWentDown(const Keystroke& stroke) {
    const bool held = std::any_of(previewedKeys_.begin(), previewedKeys_.end(),
                                  [&](const auto& taken) { return taken.first == stroke.key; });
    Window* top = ActiveTopLevel();
    if (top && AcceptsInput(*top)) {
        const WindowHandle handle = top->Handle();
        if (top->OnPreviewKeyDown(stroke, shift_)) {
            if (!held) previewedKeys_.emplace_back(stroke.key, handle);
            return;
        }
    }
    if (stroke.keyCode != 0) KeyDown(stroke.keyCode);
    if (stroke.character != 0) Character(stroke.character);
}

void WindowSystem::KeyWentUp(const Keystroke& stroke) {
    const auto taken = std::find_if(previewedKeys_.begin(), previewedKeys_.end(),
                                    [&](const auto& entry) { return entry.first == stroke.key; });
    if (taken == previewedKeys_.end()) {
        if (stroke.keyCode != 0) KeyUp(stroke.keyCode);
        return;
    }
    const WindowHandle handle = taken->second;
    previewedKeys_.erase(taken);
    if (Window* w = Find(handle)) w->OnPreviewKeyUp(stroke.key);
}

void WindowSystem::KeyboardLeft() {
    if (keyFilter_) keyFilter_->DeliverAll();
    shift_ = 0;
    const std::vector<std::pair<uint32_t, WindowHandle>> taken = std::move(previewedKeys_);
    previewedKeys_.clear();
    for (const auto& [key, handle] : taken) {
        if (Window* w = Find(handle)) w->OnPreviewKeyUp(key);
    }
}

bool WindowSystem::ActivateAccessKey(Window& topLevel, int32_t charCode) {
    if (charCode <= 0 || charCode > 127) return false;
    const int wanted = std::tolower(charCode);
    std::vector<Window*> candidates;
    CollectDescendants(topLevel, candidates);
    for (Window* w : candidates) {
        const std::string& keys = w->AccessKeys();
        const bool match = std::any_of(keys.begin(), keys.end(), [&](char k) {
            return std::tolower(static_cast<unsigned char>(k)) == wanted;
        });
        if (match && AcceptsInput(*w)) {
            w->OnAccessKey();
            return true;
        }
    }
    return false;
}

void WindowSystem::CloseRequest(WindowHandle topLevel) {
    Window* w = Find(topLevel);
    if (!w || !w->IsTopLevel() || !w->IsVisible()) return;
    if (!modal_.empty() && Find(modal_.back()) && modal_.back() != topLevel) return;
    w->Close();
}

// ---- Focus --------------------------------------------------------------------------------

void WindowSystem::SetFocus(Window* window) {
    if (window && (!window->IsFocusable() || !window->IsShown() ||
                   !window->IsEffectivelyEnabled() || !window->TopLevel()))
        return;
    const WindowHandle next = window ? window->Handle() : 0;
    if (next == focus_) return;
    const WindowHandle previous = focus_;
    focus_ = next;
    if (Window* w = Find(previous)) w->OnLostFocus();
    if (focus_ != next) return;
    if (Window* w = Find(next)) w->OnGotFocus();
}

void WindowSystem::MoveFocus(bool backward) {
    focusVisible_ = true;
    FocusNext(backward);
}

void WindowSystem::FocusNext(bool backward) {
    Window* top = ActiveTopLevel();
    if (!top) return;
    std::vector<Window*> order;
    CollectDescendants(*top, order);
    std::erase_if(order, [](const Window* w) {
        return !w->IsFocusable() || !w->IsShown() || !w->IsEffectivelyEnabled();
    });
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(), [](const Window* a, const Window* b) {
        return a->TabIndex() < b->TabIndex();
    });
    const auto current = std::find(order.begin(), order.end(), FocusWindow());
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t next = 0;
    if (current == order.end()) {
        next = backward ? n - 1 : 0;
    } else {
        next = ((current - order.begin()) + (backward ? n - 1 : 1)) % n;
    }
    SetFocus(order[static_cast<size_t>(next)]);
}

// ---- Queued keystrokes --------------------------------------------------------------------

void WindowSystem::SendKeys(std::string_view keys) {
    std::vector<QueuedKey> parsed;
    while (!keys.empty()) {
        int32_t shift = 0;
        if (keys.front() == '+') {
            shift = kShiftShift;
            keys.remove_prefix(1);
        }
        constexpr std::string_view kTab = "{Tab}";
        if (!keys.starts_with(kTab))
            throw std::invalid_argument("unsupported keystroke: " + std::string(keys));
        keys.remove_prefix(kTab.size());
        parsed.push_back({kKeyTab, shift, true});
        parsed.push_back({kKeyTab, shift, false});
    }
    queuedKeys_.insert(queuedKeys_.end(), parsed.begin(), parsed.end());
}

bool WindowSystem::DeliverQueuedKey() {
    if (queuedKeys_.empty()) return false;
    const QueuedKey key = queuedKeys_.front();
    queuedKeys_.pop_front();
    if (key.down) {
        HandleKeyDown(key.keyCode, key.shift);
    } else {
        HandleKeyUp(key.keyCode, key.shift);
    }
    return true;
}

}  // namespace platform
