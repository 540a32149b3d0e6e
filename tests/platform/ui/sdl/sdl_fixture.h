#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/sdl/sdl_backend.h"
#include "platform/ui/window.h"
#include "platform/ui/window_system.h"

namespace platform {

/// A top-level window that writes down every input call it receives, in order.
class RecordingWindow : public Window {
  public:
    RecordingWindow(WindowSystem& system, Rect bounds) : Window(system, nullptr, bounds) {}

    std::vector<std::string> log;

    void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override {
        Add("down " + std::to_string(button) + " s" + std::to_string(shift) + " " + At(x, y));
    }
    void OnMouseMove(int32_t buttons, int32_t shift, int32_t x, int32_t y) override {
        Add("move " + std::to_string(buttons) + " s" + std::to_string(shift) + " " + At(x, y));
    }
    void OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) override {
        Add("up " + std::to_string(button) + " s" + std::to_string(shift) + " " + At(x, y));
    }
    void OnClick() override { Add("click"); }
    void OnKeyDown(int32_t& keyCode, int32_t shift) override {
        Add("keydown " + std::to_string(keyCode) + " s" + std::to_string(shift));
    }
    void OnKeyPress(int32_t& charCode) override { Add("press " + std::to_string(charCode)); }
    void OnKeyUp(int32_t& keyCode, int32_t shift) override {
        Add("keyup " + std::to_string(keyCode) + " s" + std::to_string(shift));
    }
    bool OnCloseRequest() override {
        Add("close");
        return true;
    }

  private:
    static std::string At(int32_t x, int32_t y) {
        return std::to_string(x) + "," + std::to_string(y);
    }
    void Add(std::string entry) { log.push_back(std::move(entry)); }
};

/// A live SDL backend with a window system of each test's own. Starting SDL's video costs
/// about 0.1 s, so the tests of one suite share one backend.
class SdlFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { shared_ = std::make_unique<SdlBackend>(); }
    static void TearDownTestSuite() { shared_.reset(); }

    /// Delivers every queued SDL event, one per WaitForEvents call as a message loop does,
    /// then runs what the events left pending.
    void Drain() {
        SDL_PumpEvents();
        while (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
            ASSERT_TRUE(backend.WaitForEvents(kNoDeadline));
        }
        system.DispatchPending();
    }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    SdlBackend& backend = *shared_;
    WindowSystem system{backend};

  private:
    static inline std::unique_ptr<SdlBackend> shared_;
};

}  // namespace platform
