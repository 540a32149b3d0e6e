// What the clipboard takes of another program's offer, without a compositor.
#include "platform/display/wayland/wayland_clipboard.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/display/clipboard_limits.h"
#include "platform/os/owned.h"

namespace platform {
namespace {

TEST(WaylandClipboard, AnOfferKeepsThePreferredTextTypeOfThousands) {
    OfferedText offer;
    for (int i = 0; i < 100000; ++i)
        offer.Announce("application/x-type-" + std::to_string(i));
    EXPECT_EQ(offer.Preferred(), nullptr);
    for (const char* type : {"STRING", "text/html", "UTF8_STRING", "text/plain"})
        offer.Announce(type);
    EXPECT_STREQ(offer.Preferred(), "UTF8_STRING");
}

TEST(WaylandClipboard, ReadsOfferedTextUpToTheLimitWithinItsTime) {
    // The writer closes its end after the text, but for the last text, which never ends.
    for (const size_t size : {kMaxClipboardText, kMaxClipboardText + 1, size_t{1000}}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        const OwnedFd readEnd(ends[0]);
        OwnedFd writeEnd(ends[1]);
        const std::string text(size, '5');
        std::thread writer([&] {
            EXPECT_EQ(write(writeEnd.Get(), text.data(), size), static_cast<ssize_t>(size));
            if (size != 1000) writeEnd.Reset();
        });
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(ReadOfferedText(readEnd.Get()) == (size == kMaxClipboardText ? text : ""))
            << size;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 3 * kClipboardTransferTime);
        writer.join();
    }
}

}  // namespace
}  // namespace platform
