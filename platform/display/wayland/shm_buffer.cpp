#include "platform/display/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include "platform/display/wayland/wayland_client_library.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/os/owned.h"

namespace platform {
namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string("cannot make a window buffer: ") + what + ": " +
                             std::strerror(errno));
}

}  // namespace

ShmBuffer::ShmBuffer(wl_shm* shm, int32_t width, int32_t height, uint32_t format)
    : width_(width), height_(height), format_(format) {
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (width <= 0 || height <= 0 || size > INT32_MAX) {
        errno = EINVAL;
        Fail("size");
    }
    const OwnedFd memory(memfd_create("tavik-window", MFD_CLOEXEC));
    if (!memory) Fail("memfd_create");
    if (ftruncate(memory.Get(), static_cast<off_t>(size)) != 0) Fail("ftruncate");
    void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, memory.Get(), 0);
    if (mapped == MAP_FAILED) Fail("mmap");
    pixels_ = static_cast<uint8_t*>(mapped);
    // The pool is needed only to make the buffer, which keeps the memory alive on its own.
    const WaylandOwned<wl_shm_pool> pool(
        wl_shm_create_pool(shm, memory.Get(), static_cast<int32_t>(size)));
    buffer_.Reset(wl_shm_pool_create_buffer(pool.Get(), 0, width, height, Pitch(), format));
    static const wl_buffer_listener listener{OnRelease};
    wl_buffer_add_listener(buffer_.Get(), &listener, this);
}

ShmBuffer::~ShmBuffer() {
    munmap(pixels_, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
}

void ShmBuffer::OnRelease(void* data, wl_buffer*) {
    static_cast<ShmBuffer*>(data)->busy_ = false;
}

}  // namespace platform
