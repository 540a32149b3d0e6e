#include "platform/ui/x11/x11_clipboard.h"

#include <poll.h>

#include <chrono>
#include <climits>
#include <string_view>

#include "platform/ui/x11/x11_text.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {
namespace {

/// How long the clipboard's owner may take to hand over its text.
constexpr std::chrono::milliseconds kOwnerAnswerTime{1000};

}  // namespace

void X11Clipboard::Prepare() {
    if (window_) return;
    const char* names[] = {"CLIPBOARD", "TARGETS", "TEXT", "UTF8_STRING", "TAVIK_CLIPBOARD"};
    Atom atoms[5] = {};
    XInternAtoms(display_, const_cast<char**>(names), 5, False, atoms);
    clipboard_ = atoms[0];
    targets_ = atoms[1];
    text_ = atoms[2];
    utf8String_ = atoms[3];
    incoming_ = atoms[4];
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), -1, -1, 1, 1, 0, 0, InputOnly,
                            CopyFromParent, 0, nullptr);
}

void X11Clipboard::SetText(const std::string& text) {
    Prepare();
    XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
    owned_ = XGetSelectionOwner(display_, clipboard_) == window_;
    ownText_ = owned_ ? text : std::string();
}

std::string X11Clipboard::Text() {
    if (owned_) return ownText_;
    Prepare();
    if (XGetSelectionOwner(display_, clipboard_) == None) return {};
    return Receive();
}

std::string X11Clipboard::Receive() {
    XConvertSelection(display_, clipboard_, utf8String_, incoming_, window_, CurrentTime);
    XFlush(display_);
    // Other events stay queued for the message loop.
    const auto deadline = std::chrono::steady_clock::now() + kOwnerAnswerTime;
    XEvent event;
    while (!XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) return {};
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
    }
    if (event.xselection.property == None) return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display_, window_, incoming_, 0, LONG_MAX / 4, True, AnyPropertyType,
                           &type, &format, &count, &after, &data) == Success &&
        data && format == 8) {
        const std::string_view bytes(reinterpret_cast<const char*>(data), count);
        if (type == utf8String_) text = bytes;
        if (type == XA_STRING) text = Utf8FromLatin1(bytes);
    }
    if (data) XFree(data);
    return text;
}

bool X11Clipboard::Handle(const XEvent& event) {
    if (event.type == SelectionRequest) {
        Answer(event);
        return true;
    }
    if (event.type == SelectionClear) {
        if (window_ && event.xselectionclear.selection == clipboard_) {
            owned_ = false;
            ownText_.clear();
        }
        return true;
    }
    return false;
}

void X11Clipboard::Answer(const XEvent& event) {
    const XSelectionRequestEvent& request = event.xselectionrequest;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = None;
    // Clients from before the property was required name none: the target is used instead.
    const Atom property = request.property != None ? request.property : request.target;
    const auto put = [&](Atom type, int format, const void* data, size_t count) {
        XChangeProperty(display_, request.requestor, property, type, format, PropModeReplace,
                        static_cast<const unsigned char*>(data), static_cast<int>(count));
        reply.property = property;
    };
    if (owned_ && request.selection == clipboard_) {
        if (request.target == targets_) {
            const Atom targets[] = {targets_, utf8String_, text_, XA_STRING};
            put(XA_ATOM, 32, targets, 4);
        } else if (request.target == utf8String_ || request.target == text_) {
            put(utf8String_, 8, ownText_.data(), ownText_.size());
        } else if (request.target == XA_STRING) {
            const std::string latin1 = Latin1FromUtf8(ownText_);
            put(XA_STRING, 8, latin1.data(), latin1.size());
        }
    }
    XEvent sent{};
    sent.xselection = reply;
    XSendEvent(display_, request.requestor, False, NoEventMask, &sent);
}

}  // namespace platform
