// An owner releases the handle it holds exactly once, and never a handle it gave up or none.
#include "platform/os/owned.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace platform {
namespace {

std::vector<int> released;

void Count(int handle) {
    released.push_back(handle);
}

using Counted = Owned<int, Count, -1>;

class OwnedTest : public testing::Test {
  protected:
    void SetUp() override { released.clear(); }
};

TEST_F(OwnedTest, ReleasesItsHandleOnceWhenItGoes) {
    {
        const Counted owner(0);  // 0 is a handle: -1 is none
        EXPECT_TRUE(owner);
        EXPECT_TRUE(released.empty());
    }
    EXPECT_EQ(released, std::vector<int>{0});
}

TEST_F(OwnedTest, ResetReleasesTheHandleHeldBefore) {
    Counted owner(3);
    owner.Reset(4);
    EXPECT_EQ(released, std::vector<int>{3});
    owner.Reset();
    EXPECT_EQ(released, (std::vector<int>{3, 4}));
    EXPECT_FALSE(owner);
    EXPECT_EQ(owner.Get(), -1);
}

TEST_F(OwnedTest, NeverReleasesNoneOrAHandleTaken) {
    {
        const Counted none;
        Counted owner(3);
        EXPECT_EQ(owner.Take(), 3);
        EXPECT_FALSE(owner);
        owner.Reset();
    }
    EXPECT_TRUE(released.empty());
}

TEST_F(OwnedTest, AMoveHandsTheHandleOn) {
    Counted first(3);
    Counted second(std::move(first));
    Counted third(5);
    third = std::move(second);
    EXPECT_EQ(released, std::vector<int>{5});
    EXPECT_FALSE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(third.Get(), 3);
}

TEST(OwnedFd, ClosesItsDescriptor) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const OwnedFd readEnd(ends[0]);
    { const OwnedFd writeEnd(ends[1]); }
    char byte = 0;
    EXPECT_EQ(read(readEnd.Get(), &byte, 1), 0);  // the end of the data: no writer is left
}

}  // namespace
}  // namespace platform
