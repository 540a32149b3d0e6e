#include "platform/display/x11/x11_clipboard.h"

#include <poll.h>

#include <cstring>
#include <string_view>

#include "platform/display/clipboard_limits.h"
#include "platform/display/x11/x11_text.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {
namespace {

/// The event X11Clipboard::Await waits for.
struct Awaited {
    int type;
    Window window;
    Atom property;  // for PropertyNotify: the property that got a new value
};

Bool IsAwaited(Display*, XEvent* event, XPointer awaited) {
    const Awaited& wanted = *reinterpret_cast<const Awaited*>(awaited);
    if (event->type != wanted.type || event->xany.window != wanted.window) return False;
    return event->type != PropertyNotify ||
           (event->xproperty.atom == wanted.property && event->xproperty.state == PropertyNewValue);
}

/// An answer to the clipboard's requests, or a change to a property of its window.
bool IsTransferEventOf(const XEvent& event, Window window) {
    return (event.type == SelectionNotify || event.type == PropertyNotify) &&
           event.xany.window == window;
}

Bool IsTransferEvent(Display*, XEvent* event, XPointer window) {
    return IsTransferEventOf(*event, *reinterpret_cast<const Window*>(window));
}

}  // namespace

void X11Clipboard::Prepare() {
    if (window_) return;
    const char* names[] = {"CLIPBOARD",   "TARGETS", "TEXT",
                           "UTF8_STRING", "INCR",    "TAVIK_CLIPBOARD"};
    Atom atoms[6] = {};
    XInternAtoms(display_, const_cast<char**>(names), 6, False, atoms);
    clipboard_ = atoms[0];
    targets_ = atoms[1];
    text_ = atoms[2];
    utf8String_ = atoms[3];
    incr_ = atoms[4];
    incoming_ = atoms[5];
    window_ =
        XWindowOwned({display_, XCreateWindow(display_, DefaultRootWindow(display_), -1, -1, 1, 1,
                                              0, 0, InputOnly, CopyFromParent, 0, nullptr)});
    // An owner that sends its text in pieces sends the next when it sees the last deleted.
    XSelectInput(display_, window_.Get().id, PropertyChangeMask);
}

// The atoms are known once prepared.
void X11Clipboard::Own(unsigned long selection, Owned& own, const std::string& text) {
    XSetSelectionOwner(display_, selection, window_.Get().id, CurrentTime);
    own.owned = XGetSelectionOwner(display_, selection) == window_.Get().id;
    own.text = own.owned ? text : std::string();
}

X11Clipboard::Owned* X11Clipboard::OwnedOf(unsigned long selection) {
    if (!window_) return nullptr;
    if (selection == clipboard_) return &clipboardOwned_;
    if (selection == XA_PRIMARY) return &primaryOwned_;
    return nullptr;
}

void X11Clipboard::SetClipboardText(const std::string& text) {
    Prepare();
    Own(clipboard_, clipboardOwned_, text);
}

void X11Clipboard::SetPrimaryText(const std::string& text) {
    Prepare();
    Own(XA_PRIMARY, primaryOwned_, text);
}

std::string X11Clipboard::ClipboardText() {
    if (clipboardOwned_.owned) return clipboardOwned_.text;
    Prepare();
    if (XGetSelectionOwner(display_, clipboard_) == None) return {};
    return Receive();
}

std::string X11Clipboard::Receive() {
    XEvent event;
    // An answer to an earlier request that came too late would pass for the answer to this one.
    ::Window window = window_.Get().id;
    while (XCheckIfEvent(display_, &event, IsTransferEvent, reinterpret_cast<XPointer>(&window))) {
    }
    XConvertSelection(display_, clipboard_, utf8String_, incoming_, window_.Get().id, CurrentTime);
    XFlush(display_);
    const auto deadline = std::chrono::steady_clock::now() + kClipboardTransferTime;
    if (!Await(SelectionNotify, deadline, event) || event.xselection.property == None) return {};
    std::optional<Property> answer = ReadIncoming(kMaxClipboardText);
    if (answer && answer->type == incr_) {
        answer = ReceivePieces(*answer, deadline);
    } else {
        XDeleteProperty(display_, window_.Get().id, incoming_);
    }
    if (!answer || answer->format != 8) return {};
    if (answer->type == utf8String_) return std::move(answer->bytes);
    if (answer->type == XA_STRING) return Utf8FromLatin1(answer->bytes);
    return {};
}

std::optional<X11Clipboard::Property> X11Clipboard::ReceivePieces(const Property& announcement,
                                                                  Deadline deadline) {
    // The owner may announce a size it will send at least (some, xclip among them, announce
    // none): a size over the limit is refused before the owner starts, which it does when the
    // announcement is deleted.
    unsigned long announced = 0;
    if (announcement.format == 32 && announcement.bytes.size() >= sizeof announced)
        std::memcpy(&announced, announcement.bytes.data(), sizeof announced);
    if (announced > kMaxClipboardText) return {};
    XDeleteProperty(display_, window_.Get().id, incoming_);
    XFlush(display_);
    Property text;
    for (XEvent event; Await(PropertyNotify, deadline, event);) {
        // A piece past the limit is left where it is: the owner waits in vain and gives up.
        std::optional<Property> piece = ReadIncoming(kMaxClipboardText - text.bytes.size());
        if (!piece) return {};
        // The notice may be of a piece read already, with the next not there yet.
        if (piece->type == None) continue;
        XDeleteProperty(display_, window_.Get().id, incoming_);
        XFlush(display_);
        // An empty piece ends the text; every piece before it is of the same type.
        if (piece->bytes.empty()) return text;
        if (!text.bytes.empty() && (piece->type != text.type || piece->format != text.format))
            return {};
        text.type = piece->type;
        text.format = piece->format;
        text.bytes += piece->bytes;
    }
    return {};
}

bool X11Clipboard::Await(int type, Deadline deadline, XEvent& event) {
    Awaited awaited{type, window_.Get().id, incoming_};
    // Other events stay queued for the message loop.
    while (!XCheckIfEvent(display_, &event, IsAwaited, reinterpret_cast<XPointer>(&awaited))) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) return false;
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
    }
    return true;
}

std::optional<X11Clipboard::Property> X11Clipboard::ReadIncoming(size_t most) {
    Property property;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* raw = nullptr;
    // The length is counted in 32-bit units: one more than `most` bytes shows a longer property
    // without fetching it all.
    const int status = XGetWindowProperty(display_, window_.Get().id, incoming_, 0,
                                          static_cast<long>(most / 4 + 1), False, AnyPropertyType,
                                          &property.type, &property.format, &count, &after, &raw);
    const XMemory<unsigned char> data(raw);
    if (status != Success || after > 0) return {};
    if (property.type == None) return property;
    // Xlib hands 32-bit items over as longs.
    const size_t itemSize = property.format == 32 ? sizeof(long) : property.format / 8;
    if (count > most / itemSize) return {};
    property.bytes.assign(reinterpret_cast<const char*>(raw), count * itemSize);
    return property;
}

bool X11Clipboard::Handle(const XEvent& event) {
    if (event.type == SelectionRequest) {
        Answer(event);
        return true;
    }
    if (event.type == SelectionClear) {
        if (Owned* own = OwnedOf(event.xselectionclear.selection)) *own = Owned{};
        return true;
    }
    // Answers that came after the wait for them, and the hidden window's own property changes.
    return window_ && IsTransferEventOf(event, window_.Get().id);
}

bool X11Clipboard::MayPutTo(unsigned long requestor, unsigned long property) const {
    if (requestor == window_.Get().id || isOurWindow_(requestor)) return false;
    // Root windows hold the desktop's settings; a window that is gone cannot take the text.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, requestor, &attributes) || attributes.root == requestor)
        return false;
    // Where a client names no property the target is used, which is always one of ours.
    if (property == None) return true;
    // The window manager's and the desktop's properties describe the window.
    const XMemory<char> name(XGetAtomName(display_, property));
    if (!name) return false;
    const std::string_view named(name.Get());
    return !named.starts_with("WM_") && !named.starts_with("_NET_") &&
           !named.starts_with("_MOTIF_");
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
        if (!MayPutTo(request.requestor, request.property)) return;
        XChangeProperty(display_, request.requestor, property, type, format, PropModeReplace,
                        static_cast<const unsigned char*>(data), static_cast<int>(count));
        reply.property = property;
    };
    const Owned* own = OwnedOf(request.selection);
    if (own && own->owned) {
        if (request.target == targets_) {
            const Atom targets[] = {targets_, utf8String_, text_, XA_STRING};
            put(XA_ATOM, 32, targets, 4);
        } else if (request.target == utf8String_ || request.target == text_) {
            put(utf8String_, 8, own->text.data(), own->text.size());
        } else if (request.target == XA_STRING) {
            const std::string latin1 = Latin1FromUtf8(own->text);
            put(XA_STRING, 8, latin1.data(), latin1.size());
        }
    }
    XEvent sent{};
    sent.xselection = reply;
    XSendEvent(display_, request.requestor, False, NoEventMask, &sent);
}

}  // namespace platform
