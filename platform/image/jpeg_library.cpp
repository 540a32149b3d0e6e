#include "platform/image/jpeg_library.h"

#include <dlfcn.h>

#include <string>

#include "platform/image/image.h"

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
    void Find(Function*& entry, const char* name) const {
        entry = reinterpret_cast<Function*>(dlsym(handle, name));
        if (!entry) throw DecodeError(std::string(kLibraryName) + " has no " + name);
    }

    void* handle;
    JpegLibrary entries{};
};

}  // namespace

std::shared_ptr<const JpegLibrary> LoadJpegLibrary() {
    static std::weak_ptr<const JpegLibrary> loaded;
    if (std::shared_ptr<const JpegLibrary> library = loaded.lock()) return library;
    void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw DecodeError(std::string("JPEG: cannot load ") + kLibraryName);
    auto library = std::make_shared<LoadedLibrary>(handle);
    JpegLibrary& e = library->entries;
    library->Find(e.stdError, "jpeg_std_error");
    library->Find(e.createDecompress, "jpeg_CreateDecompress");
    library->Find(e.memSrc, "jpeg_mem_src");
    library->Find(e.readHeader, "jpeg_read_header");
    library->Find(e.startDecompress, "jpeg_start_decompress");
    library->Find(e.readScanlines, "jpeg_read_scanlines");
    library->Find(e.finishDecompress, "jpeg_finish_decompress");
    library->Find(e.destroyDecompress, "jpeg_destroy_decompress");
    library->Find(e.createCompress, "jpeg_CreateCompress");
    library->Find(e.memDest, "jpeg_mem_dest");
    library->Find(e.setDefaults, "jpeg_set_defaults");
    library->Find(e.setQuality, "jpeg_set_quality");
    library->Find(e.startCompress, "jpeg_start_compress");
    library->Find(e.writeScanlines, "jpeg_write_scanlines");
    library->Find(e.finishCompress, "jpeg_finish_compress");
    library->Find(e.destroyCompress, "jpeg_destroy_compress");
    std::shared_ptr<const JpegLibrary> entries(library, &library->entries);
    loaded = entries;
    return entries;
}

}  // namespace platform
