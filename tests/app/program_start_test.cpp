// The desktop program as a process on a private X server: it refuses to start without a
// display, a second copy ends at once, and a termination signal ends it without a question.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
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

/// Whether some process holds the program's single-instance lock.
bool LockIsHeld() {
    std::ifstream table("/proc/net/unix");
    const std::string name = "@tavik-calculator-" + std::to_string(::getuid());
    for (std::string line; std::getline(table, line);) {
        if (line.size() >= name.size() &&
            line.compare(line.size() - name.size(), name.size(), name) == 0)
            return true;
    }
    return false;
}

bool WaitForLock(Process& process) {
    for (int i = 0; i < 500; ++i) {
        if (LockIsHeld()) return true;
        if (process.WaitFor(std::chrono::milliseconds(10))) return false;
    }
    return false;
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

TEST(ProgramStartTest, ASecondCopyEndsAtOnceAndASignalEndsTheFirst) {
    ASSERT_FALSE(LockIsHeld()) << "another copy of the program is running";
    Process first(Environment{});
    ASSERT_TRUE(WaitForLock(first)) << first.ErrorText();

    Process second(Environment{});
    const std::optional<int> secondStatus = second.WaitFor(kHangGuard);
    ASSERT_TRUE(secondStatus);
    ASSERT_TRUE(WIFEXITED(*secondStatus));
    EXPECT_EQ(WEXITSTATUS(*secondStatus), 0);
    EXPECT_EQ(second.ErrorText(), "");
    EXPECT_FALSE(first.WaitFor(std::chrono::milliseconds(0))) << "the first copy ended too";

    ::kill(first.Pid(), SIGTERM);
    const std::optional<int> firstStatus = first.WaitFor(kHangGuard);
    ASSERT_TRUE(firstStatus);
    ASSERT_TRUE(WIFSIGNALED(*firstStatus));
    EXPECT_EQ(WTERMSIG(*firstStatus), SIGTERM);
    EXPECT_FALSE(LockIsHeld());
}

}  // namespace
