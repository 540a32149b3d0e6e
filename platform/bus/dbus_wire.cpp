#include "platform/bus/dbus_wire.h"

#include <cstring>

namespace platform::bus {
namespace {

// The flag of a call that starts no service.
constexpr uint8_t kNoAutoStart = 2;

// Header field codes.
constexpr uint8_t kFieldPath = 1;
constexpr uint8_t kFieldInterface = 2;
constexpr uint8_t kFieldMember = 3;
constexpr uint8_t kFieldReplySerial = 5;
constexpr uint8_t kFieldDestination = 6;
constexpr uint8_t kFieldSender = 7;
constexpr uint8_t kFieldSignature = 8;

class Writer {
  public:
    void Align(size_t n) {
        while (bytes_.size() % n)
            bytes_.push_back(0);
    }
    void Byte(uint8_t b) { bytes_.push_back(b); }
    void U32(uint32_t v) {
        Align(4);
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void String(std::string_view s) {
        U32(static_cast<uint32_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        bytes_.push_back(0);
    }
    void Signature(std::string_view s) {
        Byte(static_cast<uint8_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        bytes_.push_back(0);
    }
    void Field(uint8_t code, char type, std::string_view value) {
        Align(8);
        Byte(code);
        Signature(std::string_view(&type, 1));
        if (type == 'g') {
            Signature(value);
        } else {
            String(value);
        }
    }
    void SetU32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    size_t Size() const { return bytes_.size(); }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

/// A bounded reader of integers in the sender's byte order: every read checks that the bytes are
/// there, and fails for good otherwise.
class Reader {
  public:
    Reader(std::span<const uint8_t> bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}
    /// Reads the body of `message`.
    explicit Reader(const IncomingMessage& message) : Reader(message.body, message.bigEndian) {}

    bool Ok() const { return ok_; }
    size_t Position() const { return at_; }
    bool AtEnd() const { return at_ >= bytes_.size(); }
    void Align(size_t n) {
        const size_t aligned = (at_ + n - 1) / n * n;
        if (aligned > bytes_.size()) ok_ = false;
        at_ = ok_ ? aligned : bytes_.size();
    }
    uint8_t Byte() {
        if (at_ + 1 > bytes_.size()) ok_ = false;
        return ok_ ? bytes_[at_++] : 0;
    }
    uint32_t U32() {
        Align(4);
        if (!ok_ || at_ + 4 > bytes_.size()) {
            ok_ = false;
            return 0;
        }
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t{bytes_[at_ + i]} << (8 * (bigEndian_ ? 3 - i : i));
        at_ += 4;
        return v;
    }
    std::string Text(size_t length) {
        // The text and the zero byte that ends it.
        if (!ok_ || length >= bytes_.size() - at_ || bytes_[at_ + length] != 0) {
            ok_ = false;
            return {};
        }
        std::string s(reinterpret_cast<const char*>(bytes_.data() + at_), length);
        at_ += length + 1;
        return s;
    }
    std::string String() { return Text(U32()); }
    std::string Signature() { return Text(Byte()); }
    /// A variant's value when the variant holds a uint32; nullopt when it holds another type.
    std::optional<uint32_t> Uint32Variant() {
        if (Signature() != "u") return std::nullopt;
        const uint32_t value = U32();
        if (!ok_) return std::nullopt;
        return value;
    }

  private:
    std::span<const uint8_t> bytes_;
    bool bigEndian_;
    size_t at_ = 0;
    bool ok_ = true;
};

/// Whether the message's first byte names its byte order as big-endian; nullopt when it names
/// none.
std::optional<bool> BigEndian(uint8_t order) {
    if (order == 'l') return false;
    if (order == 'B') return true;
    return std::nullopt;
}

}  // namespace

std::vector<uint8_t> MethodCall(uint32_t serial, std::string_view destination,
                                std::string_view path, std::string_view interface,
                                std::string_view member,
                                std::span<const std::string_view> stringArguments) {
    Writer body;
    for (const std::string_view argument : stringArguments)
        body.String(argument);
    Writer message;
    message.Byte('l');
    message.Byte(1);  // a method call
    message.Byte(kNoAutoStart);
    message.Byte(1);  // protocol version
    message.U32(static_cast<uint32_t>(body.Size()));
    message.U32(serial);
    const size_t fieldsLength = message.Size();
    message.U32(0);
    const size_t fieldsStart = message.Size();
    message.Field(kFieldPath, 'o', path);
    message.Field(kFieldInterface, 's', interface);
    message.Field(kFieldMember, 's', member);
    message.Field(kFieldDestination, 's', destination);
    if (!stringArguments.empty())
        message.Field(kFieldSignature, 'g', std::string(stringArguments.size(), 's'));
    message.SetU32(fieldsLength, static_cast<uint32_t>(message.Size() - fieldsStart));
    message.Align(8);
    std::vector<uint8_t> bytes = message.Take();
    const std::vector<uint8_t> bodyBytes = body.Take();
    bytes.insert(bytes.end(), bodyBytes.begin(), bodyBytes.end());
    return bytes;
}

std::optional<size_t> MessageLength(std::span<const uint8_t> bytes) {
    if (bytes.size() < 16) return size_t{0};
    const std::optional<bool> bigEndian = BigEndian(bytes[0]);
    if (!bigEndian || bytes[3] != 1) return std::nullopt;
    Reader reader(bytes.first(16), *bigEndian);
    reader.Byte();
    reader.Byte();
    reader.Byte();
    reader.Byte();
    const uint64_t body = reader.U32();
    reader.U32();
    const uint64_t fields = reader.U32();
    const uint64_t header = (16 + fields + 7) / 8 * 8;
    if (header + body > kMaxProtocolMessageBytes) return std::nullopt;
    return static_cast<size_t>(header + body);
}

std::optional<IncomingMessage> ReadMessage(std::span<const uint8_t> bytes) {
    const std::optional<bool> bigEndian = BigEndian(bytes.empty() ? 0 : bytes[0]);
    if (!bigEndian) return std::nullopt;
    Reader reader(bytes, *bigEndian);
    IncomingMessage message;
    message.bigEndian = *bigEndian;
    reader.Byte();
    message.type = reader.Byte();
    reader.Byte();
    reader.Byte();
    const uint32_t bodyLength = reader.U32();
    message.serial = reader.U32();
    const uint32_t fieldsLength = reader.U32();
    const size_t fieldsEnd = reader.Position() + fieldsLength;
    if (!reader.Ok() || fieldsEnd > bytes.size()) return std::nullopt;
    while (reader.Ok() && reader.Position() < fieldsEnd) {
        reader.Align(8);
        const uint8_t code = reader.Byte();
        const std::string type = reader.Signature();
        if (type == "u") {
            const uint32_t value = reader.U32();
            if (code == kFieldReplySerial) message.replySerial = value;
        } else if (type == "s" || type == "o") {
            std::string value = reader.String();
            if (code == kFieldPath) message.path = std::move(value);
            if (code == kFieldInterface) message.interface = std::move(value);
            if (code == kFieldMember) message.member = std::move(value);
            if (code == kFieldSender) message.sender = std::move(value);
        } else if (type == "g") {
            std::string value = reader.Signature();
            if (code == kFieldSignature) message.signature = std::move(value);
        } else {
            return std::nullopt;
        }
    }
    if (!reader.Ok() || reader.Position() != fieldsEnd) return std::nullopt;
    reader.Align(8);
    if (!reader.Ok() || bytes.size() - reader.Position() != bodyLength) return std::nullopt;
    message.body = bytes.subspan(reader.Position());
    return message;
}

std::optional<bool> ReadBooleanVariant(const IncomingMessage& message) {
    if (message.signature != "v") return std::nullopt;
    Reader reader(message);
    if (reader.Signature() != "b") return std::nullopt;
    const uint32_t value = reader.U32();
    if (!reader.Ok() || value > 1) return std::nullopt;
    return value == 1;
}

std::optional<std::string> ReadString(const IncomingMessage& message) {
    if (message.signature.empty() || message.signature[0] != 's') return std::nullopt;
    Reader reader(message);
    std::string value = reader.String();
    if (!reader.Ok()) return std::nullopt;
    return value;
}

std::optional<std::vector<std::string>> ReadStrings(const IncomingMessage& message) {
    if (message.signature.find_first_not_of('s') != std::string::npos) return std::nullopt;
    Reader reader(message);
    std::vector<std::string> values;
    for (size_t i = 0; i < message.signature.size() && reader.Ok(); ++i)
        values.push_back(reader.String());
    if (!reader.Ok()) return std::nullopt;
    return values;
}

std::optional<ChangedBooleans> ReadChangedBooleans(const IncomingMessage& message) {
    if (message.signature != "sa{sv}as") return std::nullopt;
    Reader reader(message);
    ChangedBooleans changed;
    changed.interface = reader.String();
    const uint32_t arrayLength = reader.U32();
    reader.Align(8);
    const size_t end = reader.Position() + arrayLength;
    if (!reader.Ok() || end > message.body.size()) return std::nullopt;
    while (reader.Ok() && reader.Position() < end) {
        reader.Align(8);
        std::string name = reader.String();
        if (reader.Signature() != "b") break;
        const uint32_t value = reader.U32();
        if (!reader.Ok() || value > 1) return std::nullopt;
        changed.values.emplace_back(std::move(name), value == 1);
    }
    if (!reader.Ok()) return std::nullopt;
    return changed;
}

std::optional<uint32_t> ReadUint32Variant(const IncomingMessage& message) {
    if (message.signature != "v") return std::nullopt;
    Reader reader(message);
    const std::optional<uint32_t> value = reader.Uint32Variant();
    if (!reader.AtEnd()) return std::nullopt;
    return value;
}

std::optional<uint32_t> ReadNestedUint32Variant(const IncomingMessage& message) {
    if (message.signature != "v") return std::nullopt;
    Reader reader(message);
    if (reader.Signature() != "v") return std::nullopt;
    const std::optional<uint32_t> value = reader.Uint32Variant();
    if (!reader.AtEnd()) return std::nullopt;
    return value;
}

std::optional<SettingChange> ReadSettingChange(const IncomingMessage& message) {
    if (message.signature != "ssv") return std::nullopt;
    Reader reader(message);
    SettingChange change;
    change.nameSpace = reader.String();
    change.key = reader.String();
    if (!reader.Ok()) return std::nullopt;
    change.value = reader.Uint32Variant();
    // A value of another type is left unread; a uint32 must end the body.
    if (!reader.Ok() || (change.value && !reader.AtEnd())) return std::nullopt;
    return change;
}

}  // namespace platform::bus
