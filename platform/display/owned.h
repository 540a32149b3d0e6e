#pragma once

#include <memory>

namespace platform {

/// Deletes through `Release`, the function a C library gives up its objects with
/// (wl_surface_destroy, XCloseDisplay, ...).
template <auto Release>
struct ReleaseWith {
    template <typename T>
    void operator()(T* object) const {
        Release(object);
    }
};

/// A C library's object, given up with `Release` when its holder goes: a raw handle owned the
/// way std::unique_ptr owns memory, so that no destructor tears it down by hand.
template <typename T, auto Release>
using Owned = std::unique_ptr<T, ReleaseWith<Release>>;

}  // namespace platform
