// Copies of the program in forked processes meet on the channel: who is first, what reaches the
// first copy, and what happens when the first copy hangs, crashes, or is someone else's.
#include "platform/os/instance_channel.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/instance_request.h"
#include "platform/os/owned.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* kProgram = "tavik-test";
constexpr uid_t kNobody = 65534;

/// A private XDG_RUNTIME_DIR for one test, removed with all in it at the end.
class RuntimeDirectory {
  public:
    RuntimeDirectory() {
        char path[] = "/tmp/tavik-runtime-XXXXXX";
        path_ = ::mkdtemp(path);
        ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
    }
    ~RuntimeDirectory() {
        ::unsetenv("XDG_RUNTIME_DIR");
        std::filesystem::remove_all(path_);
    }
    std::string File(const std::string& session, const char* ending) const {
        return path_ + "/" + kProgram + "-" + session + ending;
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

/// Runs `copy` in a child process, which ends with what it returns.
template <typename Fn>
pid_t Fork(Fn copy) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(copy());
    return pid;
}

pid_t StartCopy(const std::string& session, const std::string& token, int timeoutMs = 5000) {
    return Fork([&] {
        return static_cast<int>(InstanceChannel(kProgram, session, token, timeoutMs).Role());
    });
}

/// The role a copy ended with; an impossible one when it crashed.
InstanceRole RoleOfStatus(int status) {
    return static_cast<InstanceRole>(WIFEXITED(status) ? WEXITSTATUS(status) : 99);
}

InstanceRole RoleOf(pid_t copy) {
    int status = 0;
    ::waitpid(copy, &status, 0);
    return RoleOfStatus(status);
}

bool Readable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) == 1;
}

/// Serves `channel` as the event loop does until `child` ends (killed after 10 s); the tokens
/// that came in.
std::vector<std::string> ServeUntilEnd(InstanceChannel& channel, pid_t child, int& status) {
    std::vector<std::string> tokens;
    for (const auto end = Clock::now() + 10s; ::waitpid(child, &status, WNOHANG) == 0;) {
        if (Clock::now() > end) ::kill(child, SIGKILL);
        if (!Readable(channel.Descriptor(), 10)) continue;
        for (std::string& token : channel.TakeRequests())
            tokens.push_back(std::move(token));
    }
    return tokens;
}

InstanceRole ServedRole(InstanceChannel& channel, pid_t copy, std::vector<std::string>& tokens) {
    int status = 0;
    tokens = ServeUntilEnd(channel, copy, status);
    return RoleOfStatus(status);
}

sockaddr_un AddressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), std::min(path.size(), sizeof address.sun_path - 1));
    return address;
}

/// A connection to the channel's socket made by a program that is no copy; none on failure.
OwnedFd Connect(const std::string& path) {
    OwnedFd fd(::socket(AF_UNIX, SOCK_STREAM, 0));
    const sockaddr_un address = AddressOf(path);
    if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return fd;
    return {};
}

TEST(InstanceChannel, TheSecondCopyHandsItsTokenToTheFirst) {
    const struct {
        std::string sent, arrived;
    } cases[] = {
        {"tavik-1234-host_TIME5678", "tavik-1234-host_TIME5678"},
        {"", ""},
        {std::string(512, 't'), std::string(512, 't')},
        {std::string(513, 't'), ""},  // too long: left out
        {"line\nbreak", ""},
        {"tab\tbed", ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.sent);
        const RuntimeDirectory runtime;
        InstanceChannel first(kProgram, ":0", "");
        ASSERT_EQ(first.Role(), InstanceRole::First);
        std::vector<std::string> tokens;
        EXPECT_EQ(ServedRole(first, StartCopy(":0", test.sent), tokens), InstanceRole::HandedOver);
        EXPECT_EQ(tokens, std::vector<std::string>{test.arrived});
        EXPECT_FALSE(Readable(first.Descriptor(), 0)) << "left readable after all was taken";
    }
}

TEST(InstanceChannel, LongSessionNamesStillMeetAndStayApart) {
    const RuntimeDirectory runtime;
    const std::string session(300, '/');
    InstanceChannel first(kProgram, session, "");
    const InstanceChannel other(kProgram, session + ":1", "");
    ASSERT_EQ(first.Role(), InstanceRole::First);
    EXPECT_EQ(other.Role(), InstanceRole::First);
    std::vector<std::string> tokens;
    EXPECT_EQ(ServedRole(first, StartCopy(session, "t"), tokens), InstanceRole::HandedOver);
    EXPECT_EQ(tokens, std::vector<std::string>{"t"});
}

TEST(InstanceChannel, AFirstCopyThatDoesNotAnswerGivesNoAnswerInTime) {
    constexpr int kTimeoutMs = 200;
    for (const bool listens : {true, false}) {
        SCOPED_TRACE(listens ? "listens but never reads" : "holds the lock, no socket yet");
        const RuntimeDirectory runtime;
        const InstanceChannel first(kProgram, ":0", "");
        const OwnedFd lock(::open(runtime.File("_1", ".lock").c_str(), O_RDWR | O_CREAT, 0600));
        ASSERT_EQ(::flock(lock.Get(), LOCK_EX | LOCK_NB), 0);
        const auto start = Clock::now();
        EXPECT_EQ(RoleOf(StartCopy(listens ? ":0" : ":1", "t", kTimeoutMs)),
                  InstanceRole::NoAnswer);
        const auto waited = Clock::now() - start;
        EXPECT_GE(waited, std::chrono::milliseconds(kTimeoutMs));
        EXPECT_LT(waited, std::chrono::milliseconds(kTimeoutMs) + 300ms);
    }
}

TEST(InstanceChannel, TheNextCopyIsFirstHoweverTheFirstEnded) {
    enum class End { Returns, ExitsWithoutCleanup, IsKilled, ExitsWhileKnockedOn };
    const struct {
        End end;
        const char* what;
    } cases[] = {
        {End::Returns, "returns"},
        {End::ExitsWithoutCleanup, "exits without cleanup"},
        {End::IsKilled, "is killed"},
        {End::ExitsWhileKnockedOn, "exits while the next knocks"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        const End end = test.end;
        const RuntimeDirectory runtime;
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t holder = Fork([&]() -> int {
            std::optional<InstanceChannel> first(std::in_place, kProgram, ":0", "");
            const char role = first->Role() == InstanceRole::First ? 'y' : 'n';
            (void)!::write(ready[1], &role, 1);
            if (end == End::Returns) first.reset();
            if (end == End::IsKilled) ::pause();
            if (end == End::ExitsWhileKnockedOn) std::this_thread::sleep_for(200ms);
            ::_exit(0);  // no destructor runs
        });
        ::close(ready[1]);
        char role = 0;
        ASSERT_EQ(::read(ready[0], &role, 1), 1);
        ASSERT_EQ(role, 'y');
        if (end == End::IsKilled) ::kill(holder, SIGKILL);
        if (end != End::ExitsWhileKnockedOn) ::waitpid(holder, nullptr, 0);
        ::close(ready[0]);

        InstanceChannel next(kProgram, ":0", "");
        if (end == End::ExitsWhileKnockedOn) ::waitpid(holder, nullptr, 0);
        ASSERT_EQ(next.Role(), InstanceRole::First);
        std::vector<std::string> tokens;
        EXPECT_EQ(ServedRole(next, StartCopy(":0", "t"), tokens), InstanceRole::HandedOver);
    }
}

TEST(InstanceChannel, OfManySimultaneousStartsOneIsFirstAndTheOthersHandOver) {
    const RuntimeDirectory runtime;
    constexpr int kCopies = 8;
    int results[2];
    int start[2];
    ASSERT_EQ(::pipe(results), 0);
    ASSERT_EQ(::pipe(start), 0);
    for (int i = 0; i < kCopies; ++i) {
        Fork([&] {
            ::close(start[1]);
            char go = 0;
            (void)!::read(start[0], &go, 1);
            InstanceChannel channel(kProgram, ":0", "t");
            const char role = static_cast<char>('0' + static_cast<int>(channel.Role()));
            (void)!::write(results[1], &role, 1);
            // The first serves until every other copy has handed over.
            size_t served = 0;
            for (const auto end = Clock::now() + 10s;
                 channel.Descriptor() >= 0 && served < kCopies - 1 && Clock::now() < end;) {
                if (Readable(channel.Descriptor(), 10)) served += channel.TakeRequests().size();
            }
            return 0;
        });
    }
    ::close(start[1]);
    ::close(results[1]);
    std::string roles;
    for (char role = 0; ::read(results[0], &role, 1) == 1;)
        roles += role;
    while (::wait(nullptr) > 0) {
    }
    std::sort(roles.begin(), roles.end());
    EXPECT_EQ(roles, "0" + std::string(kCopies - 1, '1'));  // First, then HandedOver
    ::close(results[0]);
    ::close(start[0]);
}

TEST(InstanceChannel, WithoutAPrivateRuntimeDirectoryItUsesOneOfItsOwnInTmp) {
    const std::string fallback = "/tmp/" + std::string(kProgram) + "-" + std::to_string(::getuid());
    for (const bool unset : {true, false}) {
        SCOPED_TRACE(unset ? "XDG_RUNTIME_DIR unset" : "XDG_RUNTIME_DIR open to others");
        std::filesystem::remove_all(fallback);
        const RuntimeDirectory runtime;
        if (unset)
            ::unsetenv("XDG_RUNTIME_DIR");
        else
            ::chmod(runtime.Path().c_str(), 0755);
        {
            const InstanceChannel first(kProgram, ":0", "");
            EXPECT_EQ(first.Role(), InstanceRole::First);
            struct stat info {};
            ASSERT_EQ(::lstat(fallback.c_str(), &info), 0);
            EXPECT_TRUE(S_ISDIR(info.st_mode));
            EXPECT_EQ(info.st_mode & 0777, 0700u);
            EXPECT_EQ(::access((fallback + "/" + kProgram + "-_0.socket").c_str(), F_OK), 0);
        }
        EXPECT_FALSE(std::filesystem::exists(runtime.File("_0", ".socket")));
        std::filesystem::remove_all(fallback);
    }
}

TEST(InstanceChannel, ATmpDirectoryThatIsNotPrivatelyOursLeavesItUnguarded) {
    const std::string fallback = "/tmp/" + std::string(kProgram) + "-" + std::to_string(::getuid());
    const std::string elsewhere = fallback + "-elsewhere";
    const struct {
        const char* what;
        bool needsRoot;
        void (*make)(const std::string& path, const std::string& elsewhere);
    } cases[] = {
        {"open to others", false,
         [](const std::string& path, const std::string&) {
             ::mkdir(path.c_str(), 0700);
             ::chmod(path.c_str(), 0777);
         }},
        {"a link to a private directory", false,
         [](const std::string& path, const std::string& target) {
             ::mkdir(target.c_str(), 0700);
             (void)!::symlink(target.c_str(), path.c_str());
         }},
        // Made by another user before the program first ran.
        {"another user's", true,
         [](const std::string& path, const std::string&) {
             ::mkdir(path.c_str(), 0700);
             (void)!::chown(path.c_str(), kNobody, kNobody);
         }},
    };
    ::unsetenv("XDG_RUNTIME_DIR");
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        if (test.needsRoot && ::geteuid() != 0) GTEST_SKIP() << "chown needs root";
        std::filesystem::remove_all(fallback);
        test.make(fallback, elsewhere);
        const InstanceChannel first(kProgram, ":0", "");
        const InstanceChannel second(kProgram, ":0", "");
        EXPECT_EQ(first.Role(), InstanceRole::Unguarded);
        EXPECT_EQ(second.Role(), InstanceRole::Unguarded);
        EXPECT_EQ(first.Descriptor(), -1);
        std::filesystem::remove(fallback);
        std::filesystem::remove_all(elsewhere);
    }
}

TEST(InstanceChannel, PeersThatAreNoCopiesAreDroppedWithoutHoldingUpTheFirst) {
    const struct {
        const char* what;
        std::string sent;
        int peers;
        bool closes, dropped;
    } cases[] = {
        {"garbage", "garbage\n", 1, false, true},
        {"an over-long line", "activate " + std::string(600, 't'), 1, false, true},
        {"a control character", "activate \x01\n", 1, false, true},
        {"more after the line", "activate t\nactivate u\n", 1, false, true},
        {"half a line, then the end", "activate t", 1, true, true},
        {"nothing", "", 1, false, false},
        {"nothing, from many peers", "", 40, false, false},
    };
    ::alarm(60);  // TakeRequests blocking on a peer would hang the test
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        const RuntimeDirectory runtime;
        InstanceChannel first(kProgram, ":0", "");
        ASSERT_EQ(first.Role(), InstanceRole::First);
        std::vector<OwnedFd> peers;
        for (int i = 0; i < test.peers; ++i) {
            peers.push_back(Connect(runtime.File("_0", ".socket")));
            ASSERT_TRUE(peers.back());
            ASSERT_EQ(::write(peers.back().Get(), test.sent.data(), test.sent.size()),
                      static_cast<ssize_t>(test.sent.size()));
            if (test.closes) ::shutdown(peers.back().Get(), SHUT_WR);
            ASSERT_TRUE(Readable(first.Descriptor(), 1000));
            EXPECT_EQ(first.TakeRequests(), std::vector<std::string>{});
        }
        std::vector<std::string> tokens;
        EXPECT_EQ(ServedRole(first, StartCopy(":0", "good"), tokens), InstanceRole::HandedOver);
        EXPECT_EQ(tokens, std::vector<std::string>{"good"});
        if (test.dropped) {
            char answer = 0;
            // Closed: at its end, or reset when it closed with the peer's bytes unread.
            const ssize_t count = ::recv(peers[0].Get(), &answer, 1, MSG_DONTWAIT);
            EXPECT_TRUE(count == 0 || (count < 0 && errno == ECONNRESET)) << "answered, or kept";
        }
    }
    ::alarm(0);
}

/// What the first copy did with a peer's connection, seen from the peer without waiting:
/// "closed", "open" or "answered".
std::string StateOfPeer(const OwnedFd& peer) {
    char byte = 0;
    const ssize_t count = ::recv(peer.Get(), &byte, 1, MSG_DONTWAIT);
    if (count == 0 || (count < 0 && errno == ECONNRESET)) return "closed";
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return "open";
    return "answered";
}

TEST(InstanceChannel, AnUnfinishedLineIsDroppedOnceItFillsTheLongestRequest) {
    // "activate ", the longest token and the line feed.
    ASSERT_EQ(kMaxRequestLength, 522u);
    const struct {
        size_t length;
        const char* state;
    } cases[] = {
        {521, "open"},    // the line feed may still come
        {522, "closed"},  // no room is left for it
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.length);
        const RuntimeDirectory runtime;
        InstanceChannel first(kProgram, ":0", "");
        ASSERT_EQ(first.Role(), InstanceRole::First);
        const OwnedFd peer = Connect(runtime.File("_0", ".socket"));
        ASSERT_TRUE(peer);
        const std::string sent = "activate " + std::string(test.length - 9, 't');
        ASSERT_EQ(::write(peer.Get(), sent.data(), sent.size()), static_cast<ssize_t>(sent.size()));
        ASSERT_TRUE(Readable(first.Descriptor(), 1000));
        EXPECT_EQ(first.TakeRequests(), std::vector<std::string>{});
        EXPECT_EQ(StateOfPeer(peer), test.state);
    }
}

TEST(InstanceChannel, ANinthSilentPeerDropsTheOldest) {
    const RuntimeDirectory runtime;
    InstanceChannel first(kProgram, ":0", "");
    ASSERT_EQ(first.Role(), InstanceRole::First);
    std::vector<OwnedFd> peers;
    for (int i = 0; i < 9; ++i) {
        peers.push_back(Connect(runtime.File("_0", ".socket")));
        ASSERT_TRUE(peers.back());
        ASSERT_TRUE(Readable(first.Descriptor(), 1000));
        EXPECT_EQ(first.TakeRequests(), std::vector<std::string>{});
    }
    EXPECT_EQ(StateOfPeer(peers[0]), "closed");
    for (size_t i = 1; i < peers.size(); ++i)
        EXPECT_EQ(StateOfPeer(peers[i]), "open") << "peer " << i;
}

TEST(InstanceChannel, AnotherUsersSocketIsNeverTrusted) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    const RuntimeDirectory runtime;
    {
        SCOPED_TRACE("another user connects to the first copy");
        InstanceChannel first(kProgram, ":0", "");
        ASSERT_EQ(first.Role(), InstanceRole::First);
        ::chmod(runtime.Path().c_str(), 0755);
        ::chmod(runtime.File("_0", ".socket").c_str(), 0777);
        const pid_t intruder = Fork([&] {
            ::signal(SIGPIPE, SIG_IGN);  // the first copy may close before the request is out
            const OwnedFd fd =
                ::setuid(kNobody) == 0 ? Connect(runtime.File("_0", ".socket")) : OwnedFd();
            (void)!::write(fd.Get(), "activate t\n", 11);
            char answer = 0;
            return fd && ::read(fd.Get(), &answer, 1) <= 0 ? 0 : 1;
        });
        int status = 0;
        EXPECT_EQ(ServeUntilEnd(first, intruder, status), std::vector<std::string>{});
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not dropped at once";
        ::chmod(runtime.Path().c_str(), 0700);
    }
    SCOPED_TRACE("another user listens where the first copy would");
    const OwnedFd lock(::open(runtime.File("_0", ".lock").c_str(), O_RDWR | O_CREAT, 0600));
    ASSERT_EQ(::flock(lock.Get(), LOCK_EX | LOCK_NB), 0);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t impostor = Fork([&] {
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = AddressOf(runtime.File("_0", ".socket"));
        // A connecting copy sees the credentials of listen(), made as the other user.
        if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::setuid(kNobody) != 0 || ::listen(listener, 4) != 0)
            return 1;
        (void)!::write(ready[1], "x", 1);
        for (;;) {
            const OwnedFd peer(::accept(listener, nullptr, nullptr));
            if (!peer) break;
            (void)!::write(peer.Get(), "ok\n", 3);
        }
        return 0;
    });
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(InstanceChannel(kProgram, ":0", "t", 1000).Role(), InstanceRole::Unguarded);
    ::kill(impostor, SIGKILL);
    ::waitpid(impostor, nullptr, 0);
    ::close(ready[0]);
}

}  // namespace
}  // namespace platform
