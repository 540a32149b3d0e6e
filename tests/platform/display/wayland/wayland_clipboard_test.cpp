// What the clipboard takes of another program's offer, without a compositor.
#include "platform/display/wayland/wayland_clipboard.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "platform/display/clipboard_limits.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/os/owned.h"
#include "platform/ui/window_system.h"

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
    // The event source's wait reads the pipe; its clock moves on only once the writer is done.
    HeadlessBackend events;
    const WindowSystem system(events);
    // The writer closes its end after the text, but for the last text, which never ends.
    for (const size_t size : {kMaxClipboardText, kMaxClipboardText + 1, size_t{1000}}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        OwnedFd writeEnd(ends[1]);
        const std::string text(size, '5');
        std::atomic<bool> written{false};
        std::thread writer([&] {
            EXPECT_EQ(write(writeEnd.Get(), text.data(), size), static_cast<ssize_t>(size));
            if (size != 1000) writeEnd.Reset();
            written = true;
        });
        std::optional<std::string> got;
        const int64_t start = events.NowMs();
        OfferedTextRead read(events, OwnedFd(ends[0]), [&got](std::string t) { got = t; });
        // A bound against a hung test only.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!got && std::chrono::steady_clock::now() < giveUp)
            if (!events.WaitForEvents(kNoDeadline) && written) events.AdvanceClock(100);
        EXPECT_TRUE(got == (size == kMaxClipboardText ? text : "")) << size;
        EXPECT_EQ(events.NowMs() - start, size == 1000 ? kClipboardTransferTime.count() : 0);
        EXPECT_FALSE(read.Waiting());
        writer.join();
    }
}

}  // namespace
}  // namespace platform
