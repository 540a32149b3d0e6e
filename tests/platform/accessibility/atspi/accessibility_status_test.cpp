#include "platform/accessibility/atspi/accessibility_status.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/bus/fake_bus.h"
#include "tests/platform/bus/wire_builder.h"

namespace platform::atspi {
namespace {

using bus::testing::Call;
using bus::testing::Message;
using bus::testing::WireBuilder;

constexpr const char* kLauncherName = ":1.5";  // the launcher's unique name on the fake bus

class AccessibilityStatusTest : public bus::testing::FakeBusTest {
  protected:
    void Open() override {
        owner_ = kLauncherName;
        status_ =
            AccessibilityStatus::Open(backend_.Events(), [this](bool on) { told_.push_back(on); });
        ASSERT_TRUE(status_);
    }

    /// Answers the launcher's status questions, the last two of what the reader asked.
    void AnswerStatus(bool isEnabled) {
        const std::vector<Call> asked = Calls();
        ASSERT_GE(asked.size(), 2u);
        for (const Call& call : {asked[asked.size() - 2], asked.back()}) {
            ASSERT_EQ(call.member, "Get");
            const bool value = call.arguments.at(1) == "IsEnabled" && isEnabled;
            Write(Message(2, call.serial, kLauncherName, "", "", "", "", "v",
                          WireBuilder{}.Signature("b").U32(value).bytes));
        }
    }
    /// A PropertiesChanged of org.a11y.Status that turns IsEnabled to `value`.
    void StatusChanged(const char* sender, bool value) {
        // The array holds one entry of 4 + 10 bytes of name, 3 of signature, aligned to 20, and 4.
        Write(Message(4, 0, sender, "/org/a11y/bus", "org.freedesktop.DBus.Properties",
                      "PropertiesChanged", "", "sa{sv}as",
                      WireBuilder{}
                          .String("org.a11y.Status")
                          .U32(24)
                          .Align(8)
                          .String("IsEnabled")
                          .Signature("b")
                          .U32(value)
                          .U32(0)
                          .bytes));
    }
    void LauncherLeft(const char* sender) {
        Write(Message(4, 0, sender, "/org/freedesktop/DBus", "org.freedesktop.DBus",
                      "NameOwnerChanged", "", "sss",
                      WireBuilder{}.String("org.a11y.Bus").String(kLauncherName).String("").bytes));
    }

    std::unique_ptr<AccessibilityStatus> status_;
    std::vector<bool> told_;
};

// Any client may send a signal that looks like the launcher's, or the bus's: only the launcher's
// own connection turns accessibility off, and only the bus says that the launcher left.
TEST_F(AccessibilityStatusTest, BelievesOnlyTheLauncherAndTheBus) {
    AnswerStatus(true);
    EXPECT_EQ(told_, (std::vector<bool>{true}));
    StatusChanged(":1.99", false);
    LauncherLeft(":1.99");
    EXPECT_EQ(told_, (std::vector<bool>{true}));
    StatusChanged(kLauncherName, false);
    StatusChanged(kLauncherName, true);
    LauncherLeft("org.freedesktop.DBus");
    EXPECT_EQ(told_, (std::vector<bool>{true, false, true, false}));
}

// A bus that hangs up is connected to again after a back-off that doubles while no connection
// is let in, and the launcher is asked again there.
TEST_F(AccessibilityStatusTest, ConnectsAgainAfterABackOffAndAsksAgain) {
    AnswerStatus(true);
    bus_.Reset();
    Run();
    EXPECT_EQ(told_, (std::vector<bool>{true, false}));
    for (const int64_t backOff : {1000, 2000}) {
        Advance(backOff - 1);
        EXPECT_FALSE(OwnedFd(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC)));
        Advance(1);
        if (backOff == 1000) {
            EXPECT_TRUE(OwnedFd(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC)));
            Run();  // hung up before the authentication
        }
    }
    Accept();
    AnswerStatus(true);
    EXPECT_EQ(told_, (std::vector<bool>{true, false, true}));
}

}  // namespace
}  // namespace platform::atspi
