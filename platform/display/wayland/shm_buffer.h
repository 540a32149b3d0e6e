#pragma once

#include <cstdint>

#include "platform/display/wayland/wayland_owned.h"

namespace platform {

/// One wl_buffer in shared memory of its own: `height` rows of `width` 32-bit pixels in the
/// wl_shm format `format`, which the program writes and the compositor reads. The compositor
/// holds the buffer from its attach until it releases it; meanwhile the program must not write
/// it.
class ShmBuffer {
  public:
    /// Throws std::runtime_error when the memory or the buffer cannot be made.
    ShmBuffer(wl_shm* shm, int32_t width, int32_t height, uint32_t format);
    /// Unmaps the memory; the buffer goes with its holder.
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    wl_buffer* Buffer() const { return buffer_.Get(); }
    uint8_t* Pixels() const { return pixels_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    uint32_t Format() const { return format_; }
    int32_t Pitch() const { return width_ * 4; }

    /// The compositor holds the buffer: attached and not yet released.
    bool Busy() const { return busy_; }
    /// Marks the buffer as attached.
    void Attached() { busy_ = true; }

  private:
    static void OnRelease(void* data, wl_buffer* buffer);

    WaylandOwned<wl_buffer> buffer_;
    uint8_t* pixels_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    uint32_t format_ = 0;
    bool busy_ = false;
};

}  // namespace platform
