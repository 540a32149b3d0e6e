#include "platform/accessibility/reader_key_filter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"
#include "tests/support/recording_window.h"

namespace platform {
namespace {

using testsupport::RecordingWindow;

// The reader's tickets are 1, 2, ... in the order of the keys it was sent.
struct Reader {
    HeadlessBackend backend{{640, 480}};
    WindowSystem system{backend};
    // The focused window, which notes each key it gets from here on.
    RecordingWindow window{system, nullptr, {0, 0, 50, 50}};
    std::vector<KeyEvent> asked;
    bool sends = true;
    std::optional<ReaderKeyFilter> filter{std::in_place, system, [this](const KeyEvent& event) {
                                              asked.push_back(event);
                                              if (!sends) return std::optional<uint64_t>();
                                              return std::optional<uint64_t>(asked.size());
                                          }};

    Reader() {
        window.SetFocusable(true);
        window.Show();
        window.Focus();
        window.log.clear();
    }

    void Press(int32_t code) { system.KeyPressed({static_cast<uint32_t>(code), code}); }
};

TEST(ReaderKeyFilter, KeysReachTheWindowsInTheirOrderOnceAnsweredFromTheLoopAndTakenOnesNever) {
    Reader r;
    r.system.ModifiersHeld(kShiftShift);
    r.Press(65);
    r.system.ModifiersHeld(0);
    r.system.KeyReleased({65, 65});
    r.Press(66);
    r.Press(67);
    ASSERT_EQ(r.asked.size(), 4u);
    r.filter->Answered(4, false);  // answered before the keys in front of it
    r.filter->Answered(3, true);   // the reader's own
    r.filter->Answered(1, false);
    r.filter->Answered(2, false);
    EXPECT_TRUE(r.window.log.empty()) << "delivered inside the answer";
    r.system.DispatchPending();
    EXPECT_EQ(r.window.log,
              (std::vector<std::string>{"KeyDown 65 1", "KeyUp 65 0", "KeyDown 67 0"}));
    r.filter->Answered(1, false);  // a repeated answer is no key
    r.system.DispatchPending();
    EXPECT_EQ(r.window.log.size(), 3u);
}

TEST(ReaderKeyFilter, AKeyNotSentOrBeyondTheAskedOnesWaitsOnlyForTheKeysBeforeIt) {
    Reader r;
    r.sends = false;
    r.Press(65);
    EXPECT_EQ(r.window.log, (std::vector<std::string>{"KeyDown 65 0"}));
    r.sends = true;
    for (size_t i = 0; i < ReaderKeyFilter::kMaxAsked + 2; ++i)
        r.Press(66);
    EXPECT_EQ(r.asked.size(), ReaderKeyFilter::kMaxAsked + 1);
    for (size_t i = 2; i <= ReaderKeyFilter::kMaxAsked + 1; ++i)
        r.filter->Answered(i, false);
    r.system.DispatchPending();
    EXPECT_EQ(r.window.log.size(), ReaderKeyFilter::kMaxAsked + 3);
}

TEST(ReaderKeyFilter, AKeyNotSentWaitsBehindAnUnansweredOne) {
    Reader r;
    r.Press(65);
    r.sends = false;
    r.Press(66);
    ASSERT_EQ(r.asked.size(), 2u);
    r.system.DispatchPending();
    EXPECT_TRUE(r.window.log.empty()) << "a key went ahead of the unanswered one";
    r.filter->Answered(1, false);
    r.system.DispatchPending();
    EXPECT_EQ(r.window.log, (std::vector<std::string>{"KeyDown 65 0", "KeyDown 66 0"}));
}

TEST(ReaderKeyFilter, HeldKeysArriveWhenTheKeyboardLeavesOrTheReaderGoes) {
    Reader r;
    r.Press(65);
    r.Press(66);
    r.filter->Answered(2, true);
    r.system.KeyboardLeft();
    EXPECT_EQ(r.window.log, (std::vector<std::string>{"KeyDown 65 0"}));

    r.Press(67);
    r.Press(68);
    r.filter->Answered(4, true);
    r.filter.reset();
    EXPECT_EQ(r.window.log.size(), 1u);
    r.system.DispatchPending();
    r.Press(69);
    EXPECT_EQ(r.window.log,
              (std::vector<std::string>{"KeyDown 65 0", "KeyDown 67 0", "KeyDown 69 0"}));
}

}  // namespace
}  // namespace platform
