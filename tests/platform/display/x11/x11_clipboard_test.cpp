// The clipboard between the backend and other programs on the same display.
#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/display/clipboard_limits.h"
#include "platform/display/x11/x11_clipboard.h"
#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/Xatom.h>

namespace platform {
namespace {

const std::string kEuroText = "\xE2\x82\xAC 0,25\nsecond line";

/// What a request for the clipboard's text gives, the backend's wait running until it comes;
/// nullopt when nothing came within 10 s.
std::optional<std::string> ClipboardText(X11Backend& backend) {
    std::optional<std::string> text;
    backend.Clipboard().RequestClipboardText([&text](std::string got) { text = got; });
    const int64_t giveUp = backend.Events().NowMs() + 10000;
    while (!text && backend.Events().NowMs() < giveUp)
        backend.Events().WaitForEvents(giveUp);
    return text;
}

TEST_F(X11Fixture, ClipboardRoundTrip) {
    for (const std::string text : {"1234,5", kEuroText.c_str(), ""}) {
        backend.SetClipboardText(text);
        EXPECT_EQ(ClipboardText(backend), text);
    }
}

/// How another program's answer to a request for the clipboard came back.
struct Answer {
    bool arrived = false;
    Atom property = None;  // None when the owner refused
    XProperty data;
};

class X11Clipboard : public X11Fixture {
  protected:
    void SetUp() override {
        X11Fixture::SetUp();
        requestor = XCreateSimpleWindow(display.Get(), DefaultRootWindow(display.Get()), 0, 0, 1, 1,
                                        0, 0, 0);
    }
    void TearDown() override { XDestroyWindow(display.Get(), requestor); }

    /// Asks for the clipboard in `target` as another program does, the backend handling its
    /// events meanwhile as its message loop would.
    Answer Request(Atom target, const char* propertyName = "TAVIK_TEST_PASTE") {
        const Atom property = AtomNamed(propertyName);
        XConvertSelection(display.Get(), AtomNamed("CLIPBOARD"), target, property, requestor,
                          CurrentTime);
        Answer answer;
        XEvent event{};
        // A bound against a hung test only: the answer normally comes on the first round.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!answer.arrived && std::chrono::steady_clock::now() < giveUp) {
            XSync(display.Get(), False);
            backend.DeliverPending();
            answer.arrived =
                XCheckTypedWindowEvent(display.Get(), requestor, SelectionNotify, &event);
        }
        if (!answer.arrived) return answer;
        answer.property = event.xselection.property;
        if (answer.property != None)
            answer.data = ReadProperty(display.Get(), requestor, answer.property, true);
        return answer;
    }

    ::Window requestor = 0;
};

TEST_F(X11Clipboard, OtherProgramsReadTheBackendsText) {
    struct Case {
        const char* target;
        std::string text;
        std::vector<const char*> types;  // the types the answer may come in
    };
    // TEXT leaves the owner the choice of encoding; ASCII text reads the same in either.
    const Case cases[] = {{"UTF8_STRING", kEuroText, {"UTF8_STRING"}},
                          {"UTF8_STRING", "1234,5", {"UTF8_STRING"}},
                          {"STRING", "1234,5", {"STRING"}},
                          {"TEXT", "0,5", {"UTF8_STRING", "STRING"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        backend.SetClipboardText(c.text);
        const Answer answer = Request(AtomNamed(c.target));
        ASSERT_TRUE(answer.arrived);
        ASSERT_NE(answer.property, None);
        EXPECT_EQ(answer.data.format, 8);
        EXPECT_TRUE(std::any_of(c.types.begin(), c.types.end(), [&](const char* type) {
            return answer.data.type == AtomNamed(type);
        }));
        EXPECT_EQ(std::string(answer.data.bytes.begin(), answer.data.bytes.end()), c.text);
    }
}

TEST_F(X11Clipboard, OtherProgramsLearnTheTargetsOnOffer) {
    backend.SetClipboardText("42");
    const Answer answer = Request(AtomNamed("TARGETS"));
    ASSERT_TRUE(answer.arrived);
    ASSERT_NE(answer.property, None);
    EXPECT_EQ(answer.data.type, XA_ATOM);
    const std::vector<uint32_t>& offered = answer.data.items;
    for (const char* target : {"TARGETS", "UTF8_STRING", "STRING", "TEXT"}) {
        SCOPED_TRACE(target);
        EXPECT_NE(std::find(offered.begin(), offered.end(), AtomNamed(target)), offered.end());
    }
}

TEST_F(X11Clipboard, RequestsForOtherTargetsAreRefused) {
    backend.SetClipboardText("42");
    const Answer answer = Request(AtomNamed("image/png"));
    ASSERT_TRUE(answer.arrived);
    EXPECT_EQ(answer.property, None);
}

/// How a ClipboardOwner answers requests for UTF8_STRING: it refuses them, or sends its text
/// whole, in pieces (ICCCM's INCR), or only the first piece of it.
enum class Sends { kNothing, kWhole, kPieces, kFirstPiece };

/// Another program owning the clipboard, on a connection and thread of its own, answering as
/// `sends` says until it is destroyed and its window (and with it the ownership) goes.
class ClipboardOwner {
  public:
    /// Sending in pieces, the owner announces `announced` bytes, a lower bound of the size as
    /// ICCCM has it, or no size at all, as xclip does.
    ClipboardOwner(std::string text, Sends sends, std::optional<long> announced = {})
        : text_(std::move(text)), sends_(sends), announced_(announced) {
        std::promise<bool> owning;
        std::future<bool> owns = owning.get_future();
        thread_ = std::thread([this, promise = std::move(owning)]() mutable { Serve(promise); });
        owns_ = owns.get();
    }
    ~ClipboardOwner() {
        stop_ = true;
        thread_.join();
    }
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    /// Whether the program became the clipboard's owner.
    bool Owns() const { return owns_; }

  private:
    void Serve(std::promise<bool>& owning) {
        const DisplayPtr connection(XOpenDisplay(nullptr));
        if (!connection) {
            owning.set_value(false);
            return;
        }
        Display* d = connection.Get();
        const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
        const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
        const ::Window window = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(d, clipboard, window, CurrentTime);
        owning.set_value(XGetSelectionOwner(d, clipboard) == window);
        while (!stop_) {
            pollfd socket{ConnectionNumber(d), POLLIN, 0};
            poll(&socket, 1, 20);
            while (XPending(d) > 0) {
                XEvent event{};
                XNextEvent(d, &event);
                if (event.type == SelectionRequest) Answer(d, event.xselectionrequest, utf8);
                if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete &&
                    event.xproperty.window == to_ && event.xproperty.atom == into_)
                    SendPiece(d, utf8);
            }
        }
        XDestroyWindow(d, window);
        XSync(d, False);
    }

    void Answer(Display* d, const XSelectionRequestEvent& request, Atom utf8) {
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.time = request.time;
        reply.xselection.property = None;
        if (sends_ != Sends::kNothing && request.target == utf8 && request.property != None) {
            if (sends_ == Sends::kWhole) {
                Put(d, request.requestor, request.property, utf8, 8, text_.data(), text_.size());
            } else {
                XSelectInput(d, request.requestor, PropertyChangeMask);
                const long size = announced_.value_or(0);
                Put(d, request.requestor, request.property, XInternAtom(d, "INCR", False), 32,
                    &size, announced_ ? 1 : 0);
                std::tie(to_, into_, sent_) = std::tuple(request.requestor, request.property, 0);
            }
            reply.xselection.property = request.property;
        }
        XSendEvent(d, request.requestor, False, NoEventMask, &reply);
        XFlush(d);
    }

    // The requestor deleted the last piece (or the announcement): the next one, empty at the end.
    void SendPiece(Display* d, Atom utf8) {
        if (sends_ == Sends::kFirstPiece && sent_ > 0) return;
        const size_t size = std::min<size_t>(64 << 10, text_.size() - sent_);
        Put(d, to_, into_, utf8, 8, text_.data() + sent_, size);
        sent_ += size;
        if (size == 0) to_ = 0;
    }

    static void Put(Display* d, ::Window w, Atom property, Atom type, int format, const void* data,
                    size_t count) {
        XChangeProperty(d, w, property, type, format, PropModeReplace,
                        static_cast<const unsigned char*>(data), static_cast<int>(count));
        XFlush(d);
    }

    const std::string text_;
    const Sends sends_;
    const std::optional<long> announced_;
    ::Window to_ = 0;  // where a transfer in pieces goes, while one does
    Atom into_ = None;
    size_t sent_ = 0;
    std::atomic<bool> stop_{false};
    bool owns_ = false;
    std::thread thread_;
};

TEST_F(X11Clipboard, BackendReadsAnotherProgramsText) {
    for (const std::string& text : {kEuroText, std::string("1234,5")}) {
        backend.SetClipboardText("ours");
        const ClipboardOwner owner(text, Sends::kWhole);
        ASSERT_TRUE(owner.Owns());
        Drain();  // the message loop hears that the backend no longer owns the clipboard
        EXPECT_EQ(ClipboardText(backend), text);
    }
}

TEST_F(X11Clipboard, NothingToReadWithoutAnAnsweringOwner) {
    {
        const ClipboardOwner refusing("never given", Sends::kNothing);
        ASSERT_TRUE(refusing.Owns());
        Drain();
        EXPECT_EQ(ClipboardText(backend), "");
    }
    // The owner is gone with its window: the clipboard has no owner.
    Drain();
    ASSERT_EQ(XGetSelectionOwner(display.Get(), AtomNamed("CLIPBOARD")),
              static_cast<::Window>(None));
    EXPECT_EQ(ClipboardText(backend), "");
    // An owner that never answers: the test's own connection, busy waiting for the backend.
    XSetSelectionOwner(display.Get(), AtomNamed("CLIPBOARD"), requestor, CurrentTime);
    Drain();
    EXPECT_EQ(ClipboardText(backend), "");
}

TEST_F(X11Clipboard, BackendTakesTextUpToTheLimitInTime) {
    const struct {
        size_t size;
        Sends sends;
        std::optional<long> announced;
        bool taken;
    } cases[] = {{kMaxClipboardText, Sends::kWhole, {}, true},
                 {kMaxClipboardText + 1, Sends::kWhole, {}, false},
                 {300 << 10, Sends::kPieces, {}, true},
                 {kMaxClipboardText, Sends::kPieces, kMaxClipboardText, true},
                 {kMaxClipboardText + 1, Sends::kPieces, 1000, false},
                 {kMaxClipboardText + 1, Sends::kPieces, kMaxClipboardText + 1, false},
                 {300 << 10, Sends::kFirstPiece, 1000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, way " << static_cast<int>(c.sends));
        const std::string text(c.size, '7');
        const ClipboardOwner owner(text, c.sends, c.announced);
        ASSERT_TRUE(owner.Owns());
        Drain();
        const auto start = std::chrono::steady_clock::now();
        const std::optional<std::string> got = ClipboardText(backend);
        ASSERT_TRUE(got);
        EXPECT_TRUE(*got == (c.taken ? text : "")) << got->size() << " bytes taken";
        EXPECT_LT(std::chrono::steady_clock::now() - start, 3 * kClipboardTransferTime);
    }
}

TEST_F(X11Clipboard, RequestsNamingTheProgramsOwnWindowsOrPropertiesAreRefused) {
    // The clipboard of a program on the test's own connection, which made `requestor`.
    platform::X11Clipboard ours(display.Get(), [&](unsigned long w) { return w == requestor; });
    ours.SetClipboardText("42");
    const Atom protocols = AtomNamed("WM_PROTOCOLS");
    Atom deleteWindow = AtomNamed("WM_DELETE_WINDOW");
    XSetWMProtocols(display.Get(), requestor, &deleteWindow, 1);
    XConvertSelection(display.Get(), AtomNamed("CLIPBOARD"), AtomNamed("UTF8_STRING"), protocols,
                      requestor, CurrentTime);
    XSync(display.Get(), False);
    XEvent event{};
    ASSERT_TRUE(XCheckTypedEvent(display.Get(), SelectionRequest, &event) && ours.Handle(event));
    XSync(display.Get(), False);
    ASSERT_TRUE(XCheckTypedWindowEvent(display.Get(), requestor, SelectionNotify, &event));
    EXPECT_EQ(event.xselection.property, None);
    EXPECT_EQ(ReadProperty(display.Get(), requestor, protocols).items,
              std::vector<uint32_t>{static_cast<uint32_t>(deleteWindow)});

    // The backend's windows and the root window take no text whatever the property, and no
    // window takes it in a property that the window manager reads.
    Drain();  // the backend hears that it no longer owns the clipboard
    backend.SetClipboardText("42");
    RecordingWindow window(system, nullptr, Rect::FromSize(10, 10, 40, 30));
    window.Show();
    Drain();
    const Atom paste = AtomNamed("TAVIK_TEST_PASTE");
    for (const ::Window w : {::Window{window.NativeId()}, DefaultRootWindow(display.Get())}) {
        XConvertSelection(display.Get(), AtomNamed("CLIPBOARD"), AtomNamed("UTF8_STRING"), paste, w,
                          CurrentTime);
        Drain();
        EXPECT_EQ(ReadProperty(display.Get(), w, paste).type, None);
    }
    for (const char* property : {"WM_NAME", "_NET_WM_NAME", "_MOTIF_WM_HINTS"})
        EXPECT_EQ(Request(AtomNamed("UTF8_STRING"), property).property, None) << property;
}

TEST_F(X11Clipboard, AnOwnerThatNeverAnswersHoldsNeitherTheRequestNorTheLoop) {
    // The test's own connection owns the clipboard and never reads the request.
    XSetSelectionOwner(display.Get(), AtomNamed("CLIPBOARD"), requestor, CurrentTime);
    Drain();
    RecordingWindow window(system, nullptr, Rect::FromSize(0, 0, 10, 10));
    int ticks = 0;
    window.onTimer = [&](int32_t id) { id == 1 ? void(++ticks) : system.Quit(); };
    window.Show();
    Drain();
    std::optional<std::string> text;
    int64_t answeredAt = 0;
    int ticksBeforeAnswer = 0;
    bool secondAnswered = false;
    const int64_t start = backend.Events().NowMs();
    backend.Clipboard().RequestClipboardText([&](std::string got) {
        std::tie(text, answeredAt, ticksBeforeAnswer) = std::tuple(got, system.NowMs(), ticks);
        system.Quit();
    });
    // A request made while the first waits, as a held paste key makes them, is dropped.
    backend.Clipboard().RequestClipboardText([&](std::string) { secondAnswered = true; });
    EXPECT_LT(backend.Events().NowMs() - start, 100);
    window.SetTimer(1, 50);
    window.SetTimer(2, 5000);  // a bound against a hung test only
    system.Run();
    ASSERT_EQ(text, "");
    EXPECT_GE(answeredAt - start, kClipboardTransferTime.count());
    EXPECT_LT(answeredAt - start, 2 * kClipboardTransferTime.count());
    EXPECT_GE(ticksBeforeAnswer, 10);
    EXPECT_FALSE(secondAnswered);
}

TEST_F(X11Clipboard, TheOwnersWindowGoingAwayEndsTheWait) {
    const ::Window owner =
        XCreateSimpleWindow(display.Get(), DefaultRootWindow(display.Get()), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display.Get(), AtomNamed("CLIPBOARD"), owner, CurrentTime);
    Drain();
    std::optional<std::string> text;
    backend.Clipboard().RequestClipboardText([&text](std::string got) { text = got; });
    // The backend's request and its watch of the owner's window reach the display first.
    backend.DeliverPending();
    XDestroyWindow(display.Get(), owner);
    XFlush(display.Get());
    const int64_t destroyedAt = backend.Events().NowMs();
    const int64_t giveUp = destroyedAt + 10000;
    while (!text && backend.Events().NowMs() < giveUp)
        backend.Events().WaitForEvents(giveUp);
    ASSERT_EQ(text, "");
    EXPECT_LT(backend.Events().NowMs() - destroyedAt, kClipboardTransferTime.count() / 4);
}

}  // namespace
}  // namespace platform
