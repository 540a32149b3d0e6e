#include "calculator/typed_keys.h"

#include <algorithm>

namespace calculator {
namespace {

NamedKey NamedKeyOf(int32_t keyCode) {
    switch (keyCode) {
        case platform::kKeyEnter:
            return NamedKey::kEnter;
        case platform::kKeyBackspace:
            return NamedKey::kBackspace;
        case platform::kKeyEscape:
            return NamedKey::kEscape;
        case platform::kKeyDelete:
            return NamedKey::kDelete;
        case platform::kKeyF9:
            return NamedKey::kF9;
        default:
            return NamedKey::kNone;
    }
}

}  // namespace

const KeypadKey* KeypadKeyTyped(const platform::Keystroke& stroke, int32_t shift) {
    if (shift & (platform::kShiftCtrl | platform::kShiftAlt)) return nullptr;
    if (const KeypadKey* key = FindKeypadKey(NamedKeyOf(stroke.keyCode))) return key;
    return FindKeypadKeyTyped(stroke.character);
}

TypedKeys::TypedKeys(forms::Form& form) : form_(form), shortestDown_(form, kShortestDownMs, false) {
    shortestDown_.SetTickHandler([this] {
        shortestDown_.SetEnabled(false);
        if (releaseDue_) Release();
    });
}

void TypedKeys::Down(uint32_t key, KeyControl& control) {
    if (held_) Release();
    held_ = Held{key, &control, form_.System().NowMs()};
    control.Button().OnBoundKeyDown();
}

void TypedKeys::Up(uint32_t key) {
    if (!held_ || held_->key != key || releaseDue_) return;
    const int64_t shownMs = form_.System().NowMs() - held_->downAtMs;
    if (shownMs >= kShortestDownMs) {
        Release();
        return;
    }
    releaseDue_ = true;
    shortestDown_.SetInterval(
        static_cast<int32_t>(std::max<int64_t>(1, kShortestDownMs - shownMs)));
    shortestDown_.SetEnabled(true);
}

void TypedKeys::Finish() {
    if (held_) Release();
}

// The held key is forgotten before its Click runs: a Click handler may open a message box whose
// loop brings further keys.
void TypedKeys::Release() {
    KeyControl& control = *held_->control;
    held_.reset();
    releaseDue_ = false;
    shortestDown_.SetEnabled(false);
    control.Button().OnBoundKeyUp();
}

}  // namespace calculator
