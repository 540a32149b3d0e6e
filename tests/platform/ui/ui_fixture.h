#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"
#include "tests/support/recording_window.h"

namespace platform::testing {

using testsupport::RecordingWindow;

/// A headless window system with one shown top-level window at screen (100, 50), 200 x 100,
/// named "top"; it and the children made here write into one log.
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
