#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "platform/ui/backend.h"

namespace platform {

/// A Wayland compositor of no more than the backend needs to show windows at fractional
/// scales: wl_compositor, wl_subcompositor, wl_shm, xdg_wm_base, wp_viewporter,
/// wp_fractional_scale_manager_v1 and one output of scale 2, but no seat. It runs in a thread
/// of its own on a socket in a private runtime folder, which the constructor makes the
/// process's (XDG_RUNTIME_DIR, WAYLAND_DISPLAY).
///
/// It writes down every commit of a surface, releases each buffer and answers each frame
/// callback as the commit comes, and configures a toplevel on its first commit: a client's
/// round trip is all the synchronisation a test needs.
class FractionalCompositor {
  public:
    struct Commit {
        bool toplevel = false;  // the surface is an xdg_toplevel's, else another's (a subsurface)
        Size buffer;            // the attached buffer's size; 0 × 0 without a new one
        std::optional<Size> destination;  // the viewport's
        int32_t bufferScale = 1;
        std::vector<uint32_t> pixels;  // the buffer's, row after row, as wl_shm keeps them
    };

    /// Sends each surface `preferredScale` (in 120ths) as soon as it asks for a fractional scale.
    explicit FractionalCompositor(uint32_t preferredScale);
    ~FractionalCompositor();
    FractionalCompositor(const FractionalCompositor&) = delete;
    FractionalCompositor& operator=(const FractionalCompositor&) = delete;

    /// Sends every surface `preferredScale` from now on.
    void SetPreferredScale(uint32_t preferredScale);
    /// The commits so far, oldest first.
    std::vector<Commit> Commits();

    struct Server;

  private:
    /// Runs `task` in the compositor's thread and waits for it.
    void Run(std::function<void()> task);

    std::filesystem::path runtime_;
    std::unique_ptr<Server> server_;
    std::thread thread_;
};

}  // namespace platform
