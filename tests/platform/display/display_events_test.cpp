#include "platform/display/display_events.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>

#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"

namespace platform {
namespace {

/// A display whose connection is a pipe: each byte written to it is one input event.
class PipeConnection : public DisplayConnection {
  public:
    PipeConnection() { EXPECT_EQ(pipe(ends_), 0); }
    ~PipeConnection() override {
        close(ends_[0]);
        close(ends_[1]);
    }
    void Send(char event) { ASSERT_EQ(write(ends_[1], &event, 1), 1); }

    bool HasInput() override { return !queued_.empty(); }
    pollfd BeginWait() override { return {ends_[0], POLLIN, 0}; }
    void EndWait(short revents) override {
        char event = 0;
        if ((revents & POLLIN) && read(ends_[0], &event, 1) == 1) queued_.push_back(event);
    }
    int64_t NextDeadlineMs() const override { return kNoDeadline; }
    void AfterWait(int64_t) override { ++waits; }
    void DeliverOne(WindowSystem*) override {
        delivered.push_back(queued_.front());
        queued_.pop_front();
    }
    bool Lost() const override { return lost; }
    std::string Name() const override { return "the display \"pipe\""; }

    std::string delivered;
    int waits = 0;
    bool lost = false;

  private:
    int ends_[2] = {-1, -1};
    std::deque<char> queued_;
};

class DisplayEventsTest : public ::testing::Test {
  protected:
    HeadlessBackend backend;
    WindowSystem system{backend};
    PipeConnection connection;
    DisplayEvents events{connection};

    void SetUp() override { events.Attach(system); }
};

TEST_F(DisplayEventsTest, DeliversOneEventPerWait) {
    connection.Send('a');
    EXPECT_TRUE(events.WaitForEvents(kNoDeadline));
    EXPECT_EQ(connection.delivered, "a");
    connection.Send('b');
    connection.Send('c');
    EXPECT_TRUE(events.WaitForEvents(kNoDeadline));
    EXPECT_EQ(connection.delivered, "ab");
    EXPECT_EQ(connection.waits, 2);
}

TEST_F(DisplayEventsTest, WaitsUntilTheDeadlineWithoutInput) {
    const int64_t deadline = events.NowMs() + 30;
    EXPECT_TRUE(events.WaitForEvents(deadline));
    EXPECT_GE(events.NowMs(), deadline);
    EXPECT_EQ(connection.delivered, "");
}

TEST_F(DisplayEventsTest, AWaitThatRanAWatchDeliversNoEvent) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    int ran = 0;
    events.WatchDescriptor(ends[0], [&] {
        char byte = 0;
        EXPECT_EQ(read(ends[0], &byte, 1), 1);
        ++ran;
    });
    ASSERT_EQ(write(ends[1], "x", 1), 1);
    connection.Send('a');
    EXPECT_TRUE(events.WaitForEvents(kNoDeadline));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(connection.delivered, "");
    EXPECT_TRUE(events.WaitForEvents(kNoDeadline));
    EXPECT_EQ(connection.delivered, "a");
    events.UnwatchDescriptor(ends[0]);
    close(ends[0]);
    close(ends[1]);
}

TEST_F(DisplayEventsTest, ALostConnectionEndsTheLoopsWithAMessage) {
    connection.lost = true;
    EXPECT_FALSE(events.WaitForEvents(kNoDeadline));
    EXPECT_EQ(system.DisplayLostMessage(), "the connection to the display \"pipe\" was lost");
    EXPECT_TRUE(system.QuitRequested());
    EXPECT_FALSE(events.WaitForEvents(kNoDeadline));
}

TEST(TimeoutUntil, IsMinusOneWithoutADeadlineAndNeverBelowZero) {
    EXPECT_EQ(TimeoutUntil(kNoDeadline, 5), -1);
    EXPECT_EQ(TimeoutUntil(100, 40), 60);
    EXPECT_EQ(TimeoutUntil(40, 100), 0);
}

}  // namespace
}  // namespace platform
