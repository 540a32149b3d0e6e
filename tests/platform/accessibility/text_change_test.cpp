#include "platform/accessibility/text_change.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DiffText, KeepsTheCommonEndsAndCountsOffsetsInCharacters) {
    struct Case {
        const char* before;
        const char* after;
        int32_t offset;
        const char* removed;
        const char* inserted;
    };
    for (const Case& c : {Case{"", "5", 0, "", "5"}, Case{"0", "5", 0, "0", "5"},
                          Case{"12", "123", 2, "", "3"}, Case{"2+3", "5", 0, "2+3", "5"},
                          Case{"1,5", "1,25", 2, "", "2"}, Case{"same", "same", 4, "", ""},
                          // "é" and "è" share their first byte: the whole character changes.
                          Case{"x\xC3\xA9y", "x\xC3\xA8y", 1, "\xC3\xA9", "\xC3\xA8"},
                          Case{"\xC3\xA9"
                               "1",
                               "\xC3\xA9"
                               "2",
                               1, "1", "2"}}) {
        const TextChange change = DiffText(c.before, c.after);
        EXPECT_EQ(change.offset, c.offset) << c.before << " -> " << c.after;
        EXPECT_EQ(change.removed, c.removed) << c.before << " -> " << c.after;
        EXPECT_EQ(change.inserted, c.inserted) << c.before << " -> " << c.after;
    }
}

}  // namespace
}  // namespace platform
