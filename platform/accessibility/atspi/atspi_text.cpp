// The Text interface of objects with text (the display, a message), read-only: every offset a
// request gives is clamped to the text, and a range is cut to it.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessibility/atspi/atspi_export.h"
#include "platform/text/utf8.h"

namespace platform::atspi {
namespace {

AtspiExport& Self(void* userdata) {
    return *static_cast<AtspiExport*>(userdata);
}

int FindText(sd_bus*, const char* path, const char*, void* userdata, void** found, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    const std::optional<AccessibleId> id = self.IdOfPath(path);
    if (!id || !self.Tree().Find(*id)->description.text) return 0;
    *found = userdata;
    return 1;
}

const std::string& TextOf(const AccessibleNode& node) {
    return *node.description.text;
}

// AtspiTextBoundaryType.
constexpr uint32_t kBoundaryChar = 0;
constexpr uint32_t kBoundaryWordStart = 1;
constexpr uint32_t kBoundaryWordEnd = 2;
constexpr uint32_t kBoundaryLineStart = 5;
constexpr uint32_t kBoundaryLineEnd = 6;

/// A range of characters, end exclusive.
struct Span {
    int32_t start = 0;
    int32_t end = 0;
};

/// A text by characters: where each begins (and, last, where the text ends), so that a
/// character's first byte tells what it is.
struct Characters {
    explicit Characters(std::string_view t) : text(t) {
        for (size_t i = 0; i < text.size(); ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
        count = static_cast<int32_t>(starts.size());
        starts.push_back(text.size());
    }

    char At(int32_t i) const { return text[starts[static_cast<size_t>(i)]]; }
    std::string Substring(Span span) const {
        const size_t from = starts[static_cast<size_t>(span.start)];
        return std::string(text.substr(from, starts[static_cast<size_t>(span.end)] - from));
    }

    std::string_view text;
    std::vector<size_t> starts;
    int32_t count = 0;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

/// The word, line or character that holds `offset` (already clamped): a word with the spaces
/// after it, a line with its break; a sentence or anything else is the whole text.
Span SpanAt(const Characters& chars, int32_t offset, uint32_t boundary) {
    const int32_t n = chars.count;
    if (boundary == kBoundaryChar) return {offset, std::min(offset + 1, n)};
    const bool words = boundary == kBoundaryWordStart || boundary == kBoundaryWordEnd;
    const bool lines = boundary == kBoundaryLineStart || boundary == kBoundaryLineEnd;
    if (!words && !lines) return {0, n};
    const auto breaks = [&](int32_t i) {
        return lines ? IsLineBreak(chars.At(i)) : IsSpace(chars.At(i)) || IsLineBreak(chars.At(i));
    };
    int32_t start = offset;
    while (start > 0 && !(breaks(start - 1) && !breaks(start)))
        --start;
    int32_t end = offset;
    while (end < n && !breaks(end))
        ++end;
    while (end < n && breaks(end))
        ++end;
    return {start, end};
}

int32_t Clamp(int32_t offset, int32_t count) {
    return std::clamp(offset, 0, count);
}

int ReplySpan(sd_bus_message* m, const Characters& chars, Span span) {
    return Sd().sd_bus_reply_method_return(m, "sii", chars.Substring(span).c_str(), span.start,
                                           span.end);
}

int GetCharacterCount(sd_bus*, const char* path, const char*, const char*, sd_bus_message* reply,
                      void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return Sd().sd_bus_message_append(
        reply, "i", CharacterCount(TextOf(*self.Tree().Find(*self.IdOfPath(path)))));
}

int GetCaretOffset(sd_bus*, const char* path, const char*, const char*, sd_bus_message* reply,
                   void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return Sd().sd_bus_message_append(reply, "i",
                                      self.Tree().Find(*self.IdOfPath(path))->description.caret);
}

// An end of -1 (or past the text) reads to the end.
int GetText(sd_bus_message* m, void* userdata, sd_bus_error*) {
    int32_t start = 0;
    int32_t end = 0;
    if (const int r = Sd().sd_bus_message_read(m, "ii", &start, &end); r < 0) return r;
    const std::string& text = TextOf(Self(userdata).NodeOf(m));
    const Characters chars(text);
    start = Clamp(start, chars.count);
    end = end < 0 ? chars.count : Clamp(end, chars.count);
    return Sd().sd_bus_reply_method_return(m, "s",
                                           chars.Substring({start, std::max(start, end)}).c_str());
}

/// GetTextAtOffset, GetTextBeforeOffset (`step` -1) and GetTextAfterOffset (`step` 1).
int TextAround(sd_bus_message* m, void* userdata, int step) {
    int32_t offset = 0;
    uint32_t boundary = 0;
    if (const int r = Sd().sd_bus_message_read(m, "iu", &offset, &boundary); r < 0) return r;
    const std::string& text = TextOf(Self(userdata).NodeOf(m));
    const Characters chars(text);
    Span span = SpanAt(chars, Clamp(offset, chars.count), boundary);
    if (step < 0) span = span.start == 0 ? Span{} : SpanAt(chars, span.start - 1, boundary);
    if (step > 0)
        span = span.end >= chars.count ? Span{chars.count, chars.count}
                                       : SpanAt(chars, span.end, boundary);
    return ReplySpan(m, chars, span);
}

int GetTextAtOffset(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return TextAround(m, userdata, 0);
}
int GetTextBeforeOffset(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return TextAround(m, userdata, -1);
}
int GetTextAfterOffset(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return TextAround(m, userdata, 1);
}

// AtspiTextGranularity (char, word, sentence, line, paragraph) as the matching boundary.
int GetStringAtOffset(sd_bus_message* m, void* userdata, sd_bus_error*) {
    int32_t offset = 0;
    uint32_t granularity = 0;
    if (const int r = Sd().sd_bus_message_read(m, "iu", &offset, &granularity); r < 0) return r;
    const std::string& text = TextOf(Self(userdata).NodeOf(m));
    const Characters chars(text);
    constexpr uint32_t kBoundaries[] = {kBoundaryChar, kBoundaryWordStart, 3, kBoundaryLineStart,
                                        3};
    const uint32_t boundary = granularity < std::size(kBoundaries) ? kBoundaries[granularity] : 3;
    return ReplySpan(m, chars, SpanAt(chars, Clamp(offset, chars.count), boundary));
}

// The character as a code point; 0 past the end.
int GetCharacterAtOffset(sd_bus_message* m, void* userdata, sd_bus_error*) {
    int32_t offset = 0;
    if (const int r = Sd().sd_bus_message_read(m, "i", &offset); r < 0) return r;
    const std::string& text = TextOf(Self(userdata).NodeOf(m));
    const int32_t count = CharacterCount(text);
    if (offset < 0 || offset >= count) return Sd().sd_bus_reply_method_return(m, "i", 0);
    const size_t from = ByteOfCharacter(text, offset);
    const size_t to = ByteOfCharacter(text, offset + 1);
    const auto lead = static_cast<unsigned char>(text[from]);
    int32_t code = to - from == 1 ? lead : lead & (0x3F >> (to - from - 1));
    for (size_t i = from + 1; i < to; ++i)
        code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return Sd().sd_bus_reply_method_return(m, "i", code);
}

// Plain text: no attributes, one run over the whole text.
int GetAttributes(sd_bus_message* m, void* userdata, sd_bus_error*) {
    int32_t offset = 0;
    if (const int r = Sd().sd_bus_message_read(m, "i", &offset); r < 0) return r;
    return Sd().sd_bus_reply_method_return(m, "a{ss}ii", 0, 0,
                                           CharacterCount(TextOf(Self(userdata).NodeOf(m))));
}

int GetDefaultAttributes(sd_bus_message* m, void*, sd_bus_error*) {
    return Sd().sd_bus_reply_method_return(m, "a{ss}", 0);
}

int GetNSelections(sd_bus_message* m, void*, sd_bus_error*) {
    return Sd().sd_bus_reply_method_return(m, "i", 0);
}

// A character's extents are those of the whole text's object: the text is drawn as one run.
int GetCharacterExtents(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    int32_t offset = 0;
    uint32_t kind = 0;
    if (const int r = Sd().sd_bus_message_read(m, "iu", &offset, &kind); r < 0) return r;
    if (kind != 0)
        return Sd().sd_bus_error_set(error, SD_BUS_ERROR_NOT_SUPPORTED, "screen coordinates only");
    const Rect& e = Self(userdata).NodeOf(m).extents;
    return Sd().sd_bus_reply_method_return(m, "iiii", e.left, e.top, e.Width(), e.Height());
}

const sd_bus_vtable kText[] = {
    TAVIK_SD_BUS_VTABLE_START,
    SD_BUS_PROPERTY("CharacterCount", "i", GetCharacterCount, 0, 0),
    SD_BUS_PROPERTY("CaretOffset", "i", GetCaretOffset, 0, 0),
    SD_BUS_METHOD("GetText", "ii", "s", GetText, 0),
    SD_BUS_METHOD("GetTextAtOffset", "iu", "sii", GetTextAtOffset, 0),
    SD_BUS_METHOD("GetTextBeforeOffset", "iu", "sii", GetTextBeforeOffset, 0),
    SD_BUS_METHOD("GetTextAfterOffset", "iu", "sii", GetTextAfterOffset, 0),
    SD_BUS_METHOD("GetStringAtOffset", "iu", "sii", GetStringAtOffset, 0),
    SD_BUS_METHOD("GetCharacterAtOffset", "i", "i", GetCharacterAtOffset, 0),
    SD_BUS_METHOD("GetAttributes", "i", "a{ss}ii", GetAttributes, 0),
    SD_BUS_METHOD("GetDefaultAttributes", "", "a{ss}", GetDefaultAttributes, 0),
    SD_BUS_METHOD("GetDefaultAttributeSet", "", "a{ss}", GetDefaultAttributes, 0),
    SD_BUS_METHOD("GetNSelections", "", "i", GetNSelections, 0),
    SD_BUS_METHOD("GetCharacterExtents", "iu", "iiii", GetCharacterExtents, 0),
    SD_BUS_VTABLE_END,
};

}  // namespace

AtspiInterface TextInterface() {
    return {"org.a11y.atspi.Text", kText, FindText};
}

}  // namespace platform::atspi
