#include "platform/image/jpeg_library.h"

#include <dlfcn.h>

#include <string>

namespace platform {
namespace {

static_assert(JPEG_LIB_VERSION == 62, "the library name below is that of the libjpeg 6.2 ABI");
constexpr const char* kLibraryName = "libjpeg.so.62";

struct LoadedLibrary {
    explicit LoadedLibrary(void* handle) : handle(handle) {}
    ~LoadedLibrary() { dlclose(handle); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    template <typename Function>
    Result<void> Find(Function*& entry, const char* name) const {
        entry = reinterpret_cast<Function*>(dlsym(handle, name));
        if (!entry) return ReadError{std::string(kLibraryName) + " has no " + name};
        return {};
    }

    void* handle;
    JpegLibrary entries{};
};

}  // namespace

Result<std::shared_ptr<const JpegLibrary>> LoadJpegLibrary() {
    static std::weak_ptr<const JpegLibrary> loaded;
    if (std::shared_ptr<const JpegLibrary> library = loaded.lock()) return library;
    void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return ReadError{std::string("JPEG: cannot load ") + kLibraryName};
    auto library = std::make_shared<LoadedLibrary>(handle);
    JpegLibrary& e = library->entries;
    TRY(library->Find(e.stdError, "jpeg_std_error"));
    TRY(library->Find(e.createDecompress, "jpeg_CreateDecompress"));
    TRY(library->Find(e.memSrc, "jpeg_mem_src"));
    TRY(library->Find(e.readHeader, "jpeg_read_header"));
    TRY(library->Find(e.startDecompress, "jpeg_start_decompress"));
    TRY(library->Find(e.cropScanline, "jpeg_crop_scanline"));
    TRY(library->Find(e.readScanlines, "jpeg_read_scanlines"));
    TRY(library->Find(e.finishDecompress, "jpeg_finish_decompress"));
    TRY(library->Find(e.destroyDecompress, "jpeg_destroy_decompress"));
    TRY(library->Find(e.createCompress, "jpeg_CreateCompress"));
    TRY(library->Find(e.memDest, "jpeg_mem_dest"));
    TRY(library->Find(e.setDefaults, "jpeg_set_defaults"));
    TRY(library->Find(e.setQuality, "jpeg_set_quality"));
    TRY(library->Find(e.startCompress, "jpeg_start_compress"));
    TRY(library->Find(e.writeScanlines, "jpeg_write_scanlines"));
    TRY(library->Find(e.finishCompress, "jpeg_finish_compress"));
    TRY(library->Find(e.destroyCompress, "jpeg_destroy_compress"));
    std::shared_ptr<const JpegLibrary> entries(library, &library->entries);
    loaded = entries;
    return entries;
}

}  // namespace platform
