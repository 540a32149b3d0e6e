#include "platform/display/x11/x11_clipboard.h"

#include <cstring>
#include <string_view>

#include "platform/display/clipboard_limits.h"
#include "platform/display/x11/x11_text.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {
namespace {

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

void X11Clipboard::RequestClipboardText(std::function<void(std::string text)> onText) {
    if (transfer_) return;
    if (clipboardOwned_.owned) return onText(clipboardOwned_.text);
    Prepare();
    const ::Window owner = XGetSelectionOwner(display_, clipboard_);
    if (owner == None) return onText({});
    // An answer to an earlier request that came too late would pass for the answer to this one.
    XEvent event;
    ::Window window = window_.Get().id;
    while (XCheckIfEvent(display_, &event, IsTransferEvent, reinterpret_cast<XPointer>(&window))) {
    }
    // An owner whose window is destroyed sends nothing more: its DestroyNotify ends the wait. A
    // window destroyed before this is reached gives an error that is dropped, and leaves the
    // clipboard without an owner, for which the server itself refuses the request.
    XSelectInput(display_, owner, StructureNotifyMask);
    XConvertSelection(display_, clipboard_, utf8String_, incoming_, window, CurrentTime);
    XFlush(display_);
    transfer_ = Transfer{.onText = std::move(onText),
                         .owner = owner,
                         .deadlineMs = clock_.NowMs() + kClipboardTransferTime.count(),
                         .inPieces = false,
                         .text = {}};
}

void X11Clipboard::AfterWait(int64_t nowMs) {
    if (transfer_ && nowMs >= transfer_->deadlineMs) Finish({});
}

void X11Clipboard::Receive(const XEvent& event) {
    if (event.type == SelectionNotify && !transfer_->inPieces) {
        if (event.xselection.property == None) return Finish({});
        const std::optional<Property> answer = ReadIncoming(kMaxClipboardText);
        if (answer && answer->type == incr_) return BeginPieces(*answer);
        XDeleteProperty(display_, window_.Get().id, incoming_);
        Finish(answer);
    } else if (event.type == PropertyNotify && transfer_->inPieces &&
               event.xproperty.atom == incoming_ && event.xproperty.state == PropertyNewValue) {
        ReceivePiece();
    }
}

void X11Clipboard::BeginPieces(const Property& announcement) {
    // The owner may announce a size it will send at least (some, xclip among them, announce
    // none): a size over the limit is refused before the owner starts, which it does when the
    // announcement is deleted.
    unsigned long announced = 0;
    if (announcement.format == 32 && announcement.bytes.size() >= sizeof announced)
        std::memcpy(&announced, announcement.bytes.data(), sizeof announced);
    if (announced > kMaxClipboardText) return Finish({});
    XDeleteProperty(display_, window_.Get().id, incoming_);
    XFlush(display_);
    transfer_->inPieces = true;
}

void X11Clipboard::ReceivePiece() {
    Property& text = transfer_->text;
    // A piece past the limit is left where it is: the owner waits in vain and gives up.
    std::optional<Property> piece = ReadIncoming(kMaxClipboardText - text.bytes.size());
    if (!piece) return Finish({});
    // The notice may be of a piece read already, with the next not there yet.
    if (piece->type == None) return;
    XDeleteProperty(display_, window_.Get().id, incoming_);
    XFlush(display_);
    // An empty piece ends the text; every piece before it is of the same type.
    if (piece->bytes.empty()) return Finish(std::move(text));
    if (!text.bytes.empty() && (piece->type != text.type || piece->format != text.format))
        return Finish({});
    text.type = piece->type;
    text.format = piece->format;
    text.bytes += piece->bytes;
}

void X11Clipboard::Finish(const std::optional<Property>& answer) {
    std::string text;
    if (answer && answer->format == 8 && answer->type == utf8String_) text = answer->bytes;
    if (answer && answer->format == 8 && answer->type == XA_STRING)
        text = Utf8FromLatin1(answer->bytes);
    // The owner's window may be gone by now: the error that then comes is dropped.
    XSelectInput(display_, transfer_->owner, NoEventMask);
    XFlush(display_);
    // The transfer is over before `onText` runs, which may ask for the text again.
    const std::function<void(std::string text)> onText = std::move(transfer_->onText);
    transfer_.reset();
    onText(std::move(text));
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
    if (transfer_ && event.xany.window == transfer_->owner) {
        if (event.type == DestroyNotify) Finish({});
        return true;
    }
    if (!window_ || !IsTransferEventOf(event, window_.Get().id)) return false;
    // Answers that came after the wait for them, and the hidden window's own property changes,
    // are dropped.
    if (transfer_) Receive(event);
    return true;
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
