#include "platform/os/single_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace platform {

SingleInstanceLock::SingleInstanceLock(const std::string& name) {
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        acquired_ = true;
        return;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = name + "-" + std::to_string(::getuid());
    // The first byte stays 0: a name in the abstract namespace, not a file.
    const size_t length = std::min(path.size(), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, path.data(), length);
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(socket_, reinterpret_cast<const sockaddr*>(&address), size) == 0) {
        acquired_ = true;
        return;
    }
    // Held by another process; any other failure does not stop the program either.
    acquired_ = errno != EADDRINUSE;
    ::close(socket_);
    socket_ = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (socket_ >= 0) ::close(socket_);
}

}  // namespace platform
