#pragma once

#include <optional>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/display/wayland/wayland_backend.h"
#include "platform/image/image.h"
#include "platform/ui/window.h"
#include "platform/ui/window_system.h"

namespace platform {

/// Tests on the Weston compositor that tests/e2e/weston_run.sh starts (at any output scale):
/// one backend per suite, whose requests are written down as libwayland's debug log shows
/// them, and screenshots of the compositor's output.
class WestonFixture : public ::testing::Test {
  protected:
    /// Starts the suite's backend, whose requests go to the log.
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    void SetUp() override { ASSERT_NE(shared_, nullptr) << "no Wayland compositor to test on"; }

    /// Paints and presents what is pending, then lets the compositor answer and show every
    /// frame that was waiting for it.
    void Drain();
    /// The compositor's whole output, as weston-screenshooter takes it.
    static Image Screenshot();
    /// Where the log of the backend's requests stands now, and what it says since `mark`.
    static size_t LogMark();
    static std::string LogSince(size_t mark);

    WaylandBackend& backend = *shared_;
    WindowSystem system{backend};

  private:
    static inline std::unique_ptr<WaylandBackend> shared_;
};

/// A top-level window painted with a pattern of distinct colours: `colour` plus green y and
/// red x at (x, y).
class PatternWindow : public Window {
  public:
    PatternWindow(WindowSystem& system, Rect bounds);
    void Paint(Surface& surface) override;

    Color colour = 0x400000;
    /// Where Paint paints: the whole window unless set, as a window that repaints only what it
    /// invalidated does.
    std::optional<Rect> painted;
};

}  // namespace platform
