#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace platform::bus::testing {

/// D-Bus wire bytes, in either byte order, written as a bus or a portal writes them, for bodies
/// and whole messages; built apart from the program's writer so that each checks the other.
struct WireBuilder {
    bool bigEndian = false;
    std::vector<uint8_t> bytes;

    WireBuilder& Align(size_t n) {
        while (bytes.size() % n)
            bytes.push_back(0);
        return *this;
    }
    WireBuilder& Byte(uint8_t b) {
        bytes.push_back(b);
        return *this;
    }
    WireBuilder& U32(uint32_t v) {
        Align(4);
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * (bigEndian ? 3 - i : i))));
        return *this;
    }
    WireBuilder& Text(std::string_view s) {
        for (const char c : s)
            bytes.push_back(static_cast<uint8_t>(c));
        return Byte(0);
    }
    WireBuilder& String(std::string_view s) { return U32(static_cast<uint32_t>(s.size())).Text(s); }
    WireBuilder& Signature(std::string_view s) {
        return Byte(static_cast<uint8_t>(s.size())).Text(s);
    }
};

/// A message as the bus passes it on: a call (1), a return (2), an error (3) or a signal (4),
/// with those of its header fields that are not empty, in the byte order of its body.
inline std::vector<uint8_t> Message(uint8_t type, uint32_t replySerial, std::string_view sender,
                                    std::string_view path, std::string_view interface,
                                    std::string_view member, std::string_view errorName,
                                    std::string_view signature, std::span<const uint8_t> body,
                                    bool bigEndian = false) {
    WireBuilder fields{bigEndian, {}};
    const auto field = [&](uint8_t code, std::string_view type, std::string_view value) {
        if (value.empty()) return;
        fields.Align(8).Byte(code).Signature(type);
        type == "g" ? fields.Signature(value) : fields.String(value);
    };
    field(1, "o", path);
    field(2, "s", interface);
    field(3, "s", member);
    field(4, "s", errorName);
    if (replySerial) fields.Align(8).Byte(5).Signature("u").U32(replySerial);
    field(7, "s", sender);
    field(8, "g", signature);
    WireBuilder message{bigEndian, {}};
    message.Byte(bigEndian ? 'B' : 'l').Byte(type).Byte(0).Byte(1);
    message.U32(static_cast<uint32_t>(body.size())).U32(1000);
    message.U32(static_cast<uint32_t>(fields.bytes.size()));
    message.bytes.insert(message.bytes.end(), fields.bytes.begin(), fields.bytes.end());
    message.Align(8).bytes.insert(message.bytes.end(), body.begin(), body.end());
    return message.bytes;
}

}  // namespace platform::bus::testing
