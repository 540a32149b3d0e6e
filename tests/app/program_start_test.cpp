// The desktop program as a process on private X servers of the test's own: it refuses to start
// without a display, a second copy on the same display ends at once while a copy on another
// display runs, a termination signal ends it without a question, a window destroyed by another
// program ends it as a confirmed quit does, and a lost display ends it with a message.
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

const char* const kProgram = TAVIK_CALCULATOR_PATH;

/// Variables set for the process on top of the test's own environment.
using Environment = std::vector<std::pair<std::string, std::string>>;

/// A started copy of the program with its standard error in a file; killed if still running
/// at the end of the test.
class Process {
  public:
    explicit Process(const Environment& environment) {
        errorPath_ = "/tmp/tavik-calculator-test-" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter_++) + ".err";
        pid_ = ::fork();
        if (pid_ == 0) {
            for (const auto& [name, value] : environment)
                ::setenv(name.c_str(), value.c_str(), 1);
            const int fd = ::open(errorPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 2);
            ::execl(kProgram, kProgram, static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        std::remove(errorPath_.c_str());
    }

    pid_t Pid() const { return pid_; }

    /// The wait status once the process has ended, or nullopt when it still runs after
    /// `limit` (a guard against a hang, not a measurement).
    std::optional<int> WaitFor(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!status_) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = status;
            } else if (std::chrono::steady_clock::now() > end) {
                break;
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        return status_;
    }

    std::string ErrorText() const {
        std::ifstream file(errorPath_);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

  private:
    static inline int counter_ = 0;
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::string errorPath_;
};

/// A private X server on a free display number, ended with its owner (or by Kill()).
class PrivateDisplay {
  public:
    PrivateDisplay() {
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                     "-nolisten", "tcp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ready[1]);
        // The server writes its display number and a line feed once it accepts connections.
        std::string number;
        char c = 0;
        while (::read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(ready[0]);
        if (c == '\n' && !number.empty()) name_ = ":" + number;
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;
    ~PrivateDisplay() { Kill(); }

    /// The DISPLAY value; empty when the server did not start.
    const std::string& Name() const { return name_; }
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

/// Whether some process listens on the program's single-instance socket for this display
/// (":5" is in its file name as "_5").
bool ChannelIsServed(const PrivateDisplay& display) {
    std::ifstream table("/proc/net/unix");
    const std::string name = "/tavik-calculator-_" + display.Name().substr(1) + ".socket";
    for (std::string line; std::getline(table, line);) {
        if (line.size() >= name.size() &&
            line.compare(line.size() - name.size(), name.size(), name) == 0)
            return true;
    }
    return false;
}

bool WaitForChannel(Process& process, const PrivateDisplay& display) {
    for (int i = 0; i < 500; ++i) {
        if (ChannelIsServed(display)) return true;
        if (process.WaitFor(std::chrono::milliseconds(10))) return false;
    }
    return false;
}

/// The top-level window titled `title` on a display without a window manager, waiting up to
/// 10 s for it; 0 if none comes.
::Window WaitForWindow(Display* display, const char* title) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        ::Window root = 0, parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        ::Window found = 0;
        for (unsigned int i = 0; i < count && !found; ++i) {
            char* name = nullptr;
            if (XFetchName(display, children[i], &name) && name) {
                if (std::string(name) == title) found = children[i];
                XFree(name);
            }
        }
        if (children) XFree(children);
        if (found) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

constexpr std::chrono::seconds kHangGuard{20};

TEST(ProgramStartTest, WithoutADisplayItSaysSoAndFails) {
    Process process(Environment{{"DISPLAY", ":97531"}});
    const std::optional<int> status = process.WaitFor(kHangGuard);
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 1);
    EXPECT_NE(process.ErrorText().find("tavik-calculator: cannot open the display"),
              std::string::npos)
        << process.ErrorText();
}

TEST(ProgramStartTest, OneCopyPerDisplayAndASignalEndsIt) {
    PrivateDisplay display;
    PrivateDisplay other;
    ASSERT_FALSE(display.Name().empty() || other.Name().empty()) << "Xvfb did not start";
    Process first(Environment{{"DISPLAY", display.Name()}});
    ASSERT_TRUE(WaitForChannel(first, display)) << first.ErrorText();

    Process second(Environment{{"DISPLAY", display.Name() + ".0"}});
    const std::optional<int> secondStatus = second.WaitFor(kHangGuard);
    ASSERT_TRUE(secondStatus);
    ASSERT_TRUE(WIFEXITED(*secondStatus));
    EXPECT_EQ(WEXITSTATUS(*secondStatus), 0);
    EXPECT_EQ(second.ErrorText(), "");
    EXPECT_FALSE(first.WaitFor(std::chrono::milliseconds(0))) << "the first copy ended too";

    // Another desktop session has a copy of its own.
    Process elsewhere(Environment{{"DISPLAY", other.Name()}});
    EXPECT_TRUE(WaitForChannel(elsewhere, other)) << elsewhere.ErrorText();

    ::kill(first.Pid(), SIGTERM);
    const std::optional<int> firstStatus = first.WaitFor(kHangGuard);
    ASSERT_TRUE(firstStatus);
    ASSERT_TRUE(WIFSIGNALED(*firstStatus));
    EXPECT_EQ(WTERMSIG(*firstStatus), SIGTERM);
    EXPECT_FALSE(ChannelIsServed(display));
    EXPECT_TRUE(ChannelIsServed(other));
}

// A first copy that hangs (here: stopped, before its calculator window) keeps the channel but
// cannot answer: the second copy says so, on stderr and in a message box, and fails instead of
// ending as if it had been shown.
TEST(ProgramStartTest, AStoppedFirstCopyIsReportedWithinThreeSeconds) {
    PrivateDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
    Process first(Environment{{"DISPLAY", display.Name()}});
    ASSERT_TRUE(WaitForChannel(first, display)) << first.ErrorText();
    ASSERT_EQ(::kill(first.Pid(), SIGSTOP), 0);
    Display* x = XOpenDisplay(display.Name().c_str());
    ASSERT_NE(x, nullptr);

    const auto started = std::chrono::steady_clock::now();
    Process second(Environment{{"DISPLAY", display.Name()}});
    const ::Window box = WaitForWindow(x, "Tavik Calculator 2.0");
    const auto waited = std::chrono::steady_clock::now() - started;
    ASSERT_NE(box, 0u) << second.ErrorText();
    EXPECT_LT(waited, std::chrono::seconds(3));
    // The box gone, as when the user closes it, the copy ends.
    XDestroyWindow(x, box);
    XSync(x, False);
    XCloseDisplay(x);
    const std::optional<int> status = second.WaitFor(kHangGuard);
    ::kill(first.Pid(), SIGCONT);
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 1);
    EXPECT_EQ(second.ErrorText(),
              "tavik-calculator: another copy of the calculator runs on this display but does "
              "not answer\n");
}

// Another user on the machine binds the names a calculator once used (an abstract socket named
// after the display and the uid) and every abstract name with the program's: that stops no
// calculator of ours from starting.
TEST(ProgramStartTest, NamesBoundByAnotherUserDoNotStopIt) {
    if (::getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    PrivateDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const std::string uid = std::to_string(::getuid());
    const pid_t squatter = ::fork();
    if (squatter == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(1);
        for (const std::string& name :
             {"tavik-calculator@" + display.Name() + "-" + uid, std::string("tavik-calculator"),
              "tavik-calculator-_" + display.Name().substr(1)}) {
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path + 1, name.data(), name.size());
            const auto size =
                static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
            if (::bind(s, reinterpret_cast<const sockaddr*>(&address), size) != 0 ||
                ::listen(s, 1) != 0)
                ::_exit(1);
        }
        (void)!::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1) << "the other user could not bind the names";
    ::close(ready[0]);
    ::close(ready[1]);

    Process process(Environment{{"DISPLAY", display.Name()}});
    EXPECT_TRUE(WaitForChannel(process, display)) << process.ErrorText();
    Display* x = XOpenDisplay(display.Name().c_str());
    ASSERT_NE(x, nullptr);
    EXPECT_NE(WaitForWindow(x, "Tavik Calculator"), 0u) << process.ErrorText();
    XCloseDisplay(x);
    ::kill(squatter, SIGKILL);
    ::waitpid(squatter, nullptr, 0);
}

// Another program (xdotool windowclose, say) destroys the splash: the program ends as after a
// confirmed quit, and a later start is not taken for a second copy.
TEST(ProgramStartTest, AWindowDestroyedByAnotherProgramEndsIt) {
    PrivateDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
    Process process(Environment{{"DISPLAY", display.Name()}});
    Display* x = XOpenDisplay(display.Name().c_str());
    ASSERT_NE(x, nullptr);
    const ::Window splash = WaitForWindow(x, "Tavik Calculator");
    ASSERT_NE(splash, 0u) << process.ErrorText();
    XDestroyWindow(x, splash);
    XSync(x, False);

    const std::optional<int> status = process.WaitFor(kHangGuard);
    ASSERT_TRUE(status) << "the program went on without its window";
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_EQ(process.ErrorText(), "");
    EXPECT_FALSE(ChannelIsServed(display));
    XCloseDisplay(x);
}

TEST(ProgramStartTest, LosingTheDisplayEndsItWithAMessage) {
    PrivateDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
    Process process(Environment{{"DISPLAY", display.Name()}});
    ASSERT_TRUE(WaitForChannel(process, display)) << process.ErrorText();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the splash is up
    display.Kill();

    const std::optional<int> status = process.WaitFor(kHangGuard);
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 1);
    EXPECT_NE(process.ErrorText().find("tavik-calculator: the connection to the display \"" +
                                       display.Name() + "\" was lost"),
              std::string::npos)
        << process.ErrorText();
}

}  // namespace
