#include "platform/os/private_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

bool IsPrivateDirectory(const struct stat& info) {
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

}  // namespace

std::optional<std::string> PrivateRuntimeDirectory(std::string_view programName) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime && runtime[0] == '/' && ::stat(runtime, &info) == 0 && IsPrivateDirectory(info))
        return runtime;

    // /tmp is sticky: once the directory is ours, no other user can rename or replace it. A
    // name another user took first is refused by the check, which does not follow links.
    std::string fallback = "/tmp/" + std::string(programName) + "-" + std::to_string(::getuid());
    if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    if (::lstat(fallback.c_str(), &info) != 0 || !IsPrivateDirectory(info)) return std::nullopt;
    return fallback;
}

}  // namespace platform
