#pragma once

#include <dlfcn.h>

#include <optional>

namespace platform {

/// The entry points of a shared library opened with dlopen, found by name.
class LibraryEntries {
  public:
    explicit LibraryEntries(void* handle) : handle_(handle) {}

    /// Sets `entry` to the library's function `name`; false when it has none.
    template <typename Function>
    bool Find(Function*& entry, const char* name) const {
        entry = reinterpret_cast<Function*>(dlsym(handle_, name));
        return entry != nullptr;
    }

  private:
    void* handle_;
};

/// A library the program loads when it first needs it rather than links, so that a run that
/// never needs it maps none of it: `soname` opened (kept for the life of the program) and
/// `findAll(entries, functions)` asked to fill in every entry point. Nothing, and the library
/// closed again, when it is missing or lacks one of them.
template <typename Functions, typename FindAll>
std::optional<Functions> LoadEntryPoints(const char* soname, FindAll findAll) {
    void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return std::nullopt;
    Functions functions;
    if (findAll(LibraryEntries(handle), functions)) return functions;
    dlclose(handle);
    return std::nullopt;
}

}  // namespace platform
