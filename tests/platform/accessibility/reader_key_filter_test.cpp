#include "platform/accessibility/reader_key_filter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/headless/headless_backend.h"
#include "platform/ui/window_system.h"

namespace platform {
namespace {

// A focused window that writes down every key it is given: "d65" for KeyDown(65), "u65" for
// KeyUp(65), with "+s" when Shift was held.
class KeyLog : public Window {
  public:
    explicit KeyLog(WindowSystem& system) : Window(system, nullptr, {0, 0, 50, 50}) {
        SetFocusable(true);
        Show();
        Focus();
    }
    void OnKeyDown(int32_t& keyCode, int32_t shift) override { Note("d", keyCode, shift); }
    void OnKeyUp(int32_t& keyCode, int32_t shift) override { Note("u", keyCode, shift); }

    std::vector<std::string> keys;

  private:
    void Note(const char* kind, int32_t keyCode, int32_t shift) {
        keys.push_back(kind + std::to_string(keyCode) + ((shift & kShiftShift) ? "+s" : ""));
    }
};

struct Reader {
    HeadlessBackend backend{{640, 480}, 1};
    WindowSystem system{backend};
    KeyLog log{system};
    std::vector<KeyEvent> asked;
    bool sends = true;
    std::optional<ReaderKeyFilter> filter{std::in_place, system, [this](const KeyEvent& event) {
                                              asked.push_back(event);
                                              return sends ? std::optional<uint64_t>(asked.size())
                                                           : std::nullopt;
                                          }};

    void Press(int32_t keyCode) { system.KeyPressed({static_cast<uint32_t>(keyCode), keyCode}); }
    void Release(int32_t keyCode) {
        system.KeyReleased({static_cast<uint32_t>(keyCode), keyCode});
    }
};

TEST(ReaderKeyFilter, KeysReachTheWindowsInTheirOrderOnceAnsweredFromTheLoopAndTakenOnesNever) {
    Reader r;
    r.system.ModifiersHeld(kShiftShift);
    r.Press(65);
    r.system.ModifiersHeld(0);
    r.Release(65);
    r.Press(66);
    r.Press(67);
    ASSERT_EQ(r.asked.size(), 4u);
    EXPECT_TRUE(r.asked[0].pressed);
    EXPECT_EQ(r.asked[0].shift, kShiftShift);
    EXPECT_FALSE(r.asked[1].pressed);

    // The reader takes "B"; "C" is answered before the keys in front of it.
    r.filter->Answered(4, false);
    r.filter->Answered(3, true);
    r.system.DispatchPending();
    EXPECT_TRUE(r.log.keys.empty());
    r.filter->Answered(1, false);
    r.filter->Answered(2, false);
    EXPECT_TRUE(r.log.keys.empty()) << "delivered inside the answer";
    r.system.DispatchPending();
    EXPECT_EQ(r.log.keys, (std::vector<std::string>{"d65+s", "u65", "d67"}));

    r.filter->Answered(1, false);  // a late or repeated answer is no key
    r.system.DispatchPending();
    EXPECT_EQ(r.log.keys.size(), 3u);
}

TEST(ReaderKeyFilter, AKeyNotSentWaitsOnlyForTheKeysBeforeIt) {
    Reader r;
    r.sends = false;
    r.Press(65);
    EXPECT_EQ(r.log.keys, (std::vector<std::string>{"d65"}));
    r.sends = true;
    r.Press(66);
    r.sends = false;
    r.Press(67);
    EXPECT_EQ(r.log.keys.size(), 1u);
    r.filter->Answered(2, false);
    r.system.DispatchPending();
    EXPECT_EQ(r.log.keys, (std::vector<std::string>{"d65", "d66", "d67"}));
}

TEST(ReaderKeyFilter, AsksAboutAtMostSoManyKeysAtOnce) {
    Reader r;
    for (size_t i = 0; i < ReaderKeyFilter::kMaxAsked + 3; ++i)
        r.Press(65);
    EXPECT_EQ(r.asked.size(), ReaderKeyFilter::kMaxAsked);
    for (size_t i = 1; i <= ReaderKeyFilter::kMaxAsked; ++i)
        r.filter->Answered(i, false);
    r.system.DispatchPending();
    EXPECT_EQ(r.log.keys.size(), ReaderKeyFilter::kMaxAsked + 3);
}

TEST(ReaderKeyFilter, HeldKeysArriveWhenTheKeyboardLeavesOrTheReaderGoes) {
    Reader r;
    r.Press(65);
    r.Press(66);
    r.filter->Answered(2, true);
    r.system.KeyboardLeft();
    EXPECT_EQ(r.log.keys, (std::vector<std::string>{"d65"}));

    r.Press(67);
    r.Press(68);
    r.filter->Answered(4, true);
    r.filter.reset();
    EXPECT_EQ(r.system.GetKeyFilter(), nullptr);
    EXPECT_EQ(r.log.keys.size(), 1u);
    r.system.DispatchPending();
    EXPECT_EQ(r.log.keys, (std::vector<std::string>{"d65", "d67"}));
    r.Press(69);
    EXPECT_EQ(r.log.keys.back(), "d69");
}

}  // namespace
}  // namespace platform
