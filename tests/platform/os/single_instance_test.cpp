#include "platform/os/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace platform {
namespace {

std::string UniqueName(const char* what) {
    return std::string("tavik-test-") + what + "-" + std::to_string(::getpid());
}

// Runs `child` in a forked process and returns its exit status.
template <typename Fn>
int InChild(Fn child) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(child());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstanceLock, SecondHolderInAnotherProcessIsRefused) {
    const std::string name = UniqueName("held");
    SingleInstanceLock first(name);
    ASSERT_TRUE(first.Acquired());
    EXPECT_EQ(InChild([&] { return SingleInstanceLock(name).Acquired() ? 1 : 0; }), 0);
}

TEST(SingleInstanceLock, ReleasedWhenTheHolderEnds) {
    const std::string name = UniqueName("released");
    {
        SingleInstanceLock first(name);
        ASSERT_TRUE(first.Acquired());
    }
    EXPECT_TRUE(SingleInstanceLock(name).Acquired());
}

TEST(SingleInstanceLock, ReleasedWhenTheHoldingProcessDiesAbruptly) {
    const std::string name = UniqueName("crash");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        SingleInstanceLock held(name);
        const char ok = held.Acquired() ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    EXPECT_FALSE(SingleInstanceLock(name).Acquired());
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_TRUE(SingleInstanceLock(name).Acquired());
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(SingleInstanceLock, OnlyOneOfManySimultaneousStartsWins) {
    const std::string name = UniqueName("race");
    int results[2];
    int release[2];
    ASSERT_EQ(::pipe(results), 0);
    ASSERT_EQ(::pipe(release), 0);
    constexpr int kStarts = 8;
    pid_t pids[kStarts];
    for (pid_t& pid : pids) {
        pid = ::fork();
        if (pid == 0) {
            SingleInstanceLock lock(name);
            const char won = lock.Acquired() ? '1' : '0';
            (void)!::write(results[1], &won, 1);
            // Hold the lock until every contender has tried: the parent closes the pipe then.
            ::close(release[1]);
            char end = 0;
            (void)!::read(release[0], &end, 1);
            ::_exit(0);
        }
    }
    int winners = 0;
    for (int i = 0; i < kStarts; ++i) {
        char won = 0;
        ASSERT_EQ(::read(results[0], &won, 1), 1);
        winners += won == '1';
    }
    ::close(release[1]);
    for (pid_t pid : pids)
        ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(winners, 1);
    ::close(release[0]);
    ::close(results[0]);
    ::close(results[1]);
}

}  // namespace
}  // namespace platform
