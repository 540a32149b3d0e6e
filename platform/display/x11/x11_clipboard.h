#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/display/steady_clock.h"
#include "platform/display/x11/x11_display.h"
#include "platform/ui/backend.h"

namespace platform {

/// The desktop's clipboard (the CLIPBOARD selection) on one display connection: text the
/// program puts there is handed to other programs when they ask, and text another program
/// owns is fetched from it. The PRIMARY selection is offered alike, never read. Its atoms and
/// hidden window are made when the clipboard is first used, so a program that never copies pays
/// nothing for it.
class X11Clipboard final : public DisplayClipboard {
  public:
    /// `isOurWindow` tells whether a window is one the program made on `display` (the clipboard
    /// knows its own): requests that name one as the place for the text are refused, since
    /// answering them would overwrite the program's own properties, WM_PROTOCOLS among them.
    X11Clipboard(Display* display, std::function<bool(unsigned long window)> isOurWindow)
        : display_(display), isOurWindow_(std::move(isOurWindow)) {}
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    /// Makes the program the clipboard's owner, holding `text` (UTF-8).
    void SetClipboardText(const std::string& text) override;
    /// Makes the program the PRIMARY selection's owner, holding `text` (UTF-8).
    void SetPrimaryText(const std::string& text) override;
    /// The program's own text while it owns the clipboard, and "" when nothing owns it, are
    /// given before the call returns. Otherwise the owner is asked for its text as UTF-8, which
    /// it sends whole or in pieces (ICCCM's INCR) as Handle() takes its events; `onText` gets
    /// "" when the owner refuses, sends more than kMaxClipboardText, has not sent it all by
    /// DeadlineMs() (AfterWait() tells) or its window is destroyed.
    void RequestClipboardText(std::function<void(std::string text)> onText) override;
    /// Answers another program's request for the text, or lets the text go when another
    /// program takes the clipboard; takes the owner's answer to a request of the program's and
    /// the news of its window; drops answers that came too late and news of the hidden window's
    /// properties. False for every other event. A request is refused when it names a window of
    /// the program's, a root window or a window that is gone, or a property the window manager
    /// reads (WM_*, _NET_*, _MOTIF_*).
    bool Handle(const XEvent& event);
    /// When the text asked for is due, on the steady clock; kNoDeadline while none is asked for.
    int64_t DeadlineMs() const { return transfer_ ? transfer_->deadlineMs : kNoDeadline; }
    /// Gives up the text asked for once `nowMs` has reached its deadline.
    void AfterWait(int64_t nowMs);

  private:
    // A selection the program owns, with the text it holds.
    struct Owned {
        bool owned = false;
        std::string text;
    };
    // A property of the hidden window as read: 32-bit items come as longs, as Xlib gives them.
    struct Property {
        unsigned long type = 0;
        int format = 0;
        std::string bytes;
    };
    // A request for another program's text, from the request until its end.
    struct Transfer {
        std::function<void(std::string text)> onText;
        unsigned long owner = 0;  // the owner's window, watched for its destruction
        int64_t deadlineMs = 0;
        bool inPieces = false;
        Property text;  // the pieces that came so far
    };

    void Prepare();
    void Own(unsigned long selection, Owned& own, const std::string& text);
    /// What the program holds of `selection`; null for one it never offers.
    Owned* OwnedOf(unsigned long selection);
    /// Takes the owner's answer, or the news that it put the next piece.
    void Receive(const XEvent& event);
    void BeginPieces(const Property& announcement);
    void ReceivePiece();
    /// Ends the transfer with the text of `answer`, "" for none or one not of text.
    void Finish(const std::optional<Property>& answer);
    std::optional<Property> ReadIncoming(size_t most);
    void Answer(const XEvent& request);
    bool MayPutTo(unsigned long requestor, unsigned long property) const;

    Display* display_;
    std::function<bool(unsigned long window)> isOurWindow_;
    XWindowOwned window_;  // hidden: owns the selection and receives others' text
    unsigned long clipboard_ = 0, targets_ = 0, text_ = 0, utf8String_ = 0, incr_ = 0,
                  incoming_ = 0;
    Owned clipboardOwned_;
    Owned primaryOwned_;
    std::optional<Transfer> transfer_;
    SteadyClock clock_;
};

}  // namespace platform
