#include "tests/platform/display/wayland/weston_fixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "platform/os/owned.h"

namespace platform {
namespace {

// Standard error, to which libwayland writes its debug log, goes to this file while a suite
// runs; the test's own output goes to standard output.
OwnedFd savedStderr;
std::filesystem::path logPath;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

}  // namespace

void WestonFixture::SetUpTestSuite() {
    // In the compositor's runtime folder, where weston_run.sh shows what is not protocol when
    // the tests fail (a sanitizer's report, say).
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    logPath = std::filesystem::path(runtime ? runtime : "/tmp") / "client.log";
    std::fflush(stderr);
    savedStderr.Reset(dup(2));
    dup2(OwnedFd(open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)).Get(), 2);
    // libwayland reads the variable when it connects; programs the tests start do not log.
    ::setenv("WAYLAND_DEBUG", "client", 1);
    try {
        shared_ = std::make_unique<WaylandBackend>("tavik-calculator");
    } catch (const std::runtime_error&) {
        shared_.reset();
    }
    ::unsetenv("WAYLAND_DEBUG");
}

void WestonFixture::TearDownTestSuite() {
    shared_.reset();
    std::fflush(stderr);
    dup2(savedStderr.Get(), 2);
    savedStderr.Reset();
}

void WestonFixture::Drain() {
    system.DispatchPending();
    backend.Roundtrip();
    // Pictures held back for a frame go out once the compositor has shown the previous one.
    for (int i = 0; i < 5; ++i)
        backend.Events().WaitForEvents(backend.Events().NowMs() + 20);
    backend.Roundtrip();
}

Image WestonFixture::Screenshot() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("weston-shot-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string command = "cd '" + folder.string() + "' && weston-screenshooter >/dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("weston-screenshooter failed");
    Image shot;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        shot = DecodePng(ReadFile(entry.path())).Value();
    std::filesystem::remove_all(folder);
    return shot;
}

size_t WestonFixture::LogMark() {
    std::fflush(stderr);
    return static_cast<size_t>(std::filesystem::file_size(logPath));
}

std::string WestonFixture::LogSince(size_t mark) {
    std::fflush(stderr);
    const std::vector<uint8_t> bytes = ReadFile(logPath);
    return mark < bytes.size()
               ? std::string(bytes.begin() + static_cast<ptrdiff_t>(mark), bytes.end())
               : std::string();
}

PatternWindow::PatternWindow(WindowSystem& system, Rect bounds) : Window(system, nullptr, bounds) {}

void PatternWindow::Paint(Surface& s) {
    const Rect area = painted ? painted->Intersect(s.Bounds()) : s.Bounds();
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            s.SetPixel(x, y, colour + (static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(x)));
}

}  // namespace platform
