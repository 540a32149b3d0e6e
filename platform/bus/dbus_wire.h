#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::bus {

/// The few D-Bus messages the program's readers of the session bus need, in the wire format,
/// without a D-Bus library: the program learns what the desktop asks of it
/// before it loads one, or without ever loading one.

/// A method call (little-endian) to `destination`, its arguments all strings ("s" each); `serial`
/// numbers it. It starts no service that is not running: the program follows the desktop's
/// services, and starting one (with whatever that service starts in turn) is not its business.
std::vector<uint8_t> MethodCall(uint32_t serial, std::string_view destination,
                                std::string_view path, std::string_view interface,
                                std::string_view member,
                                std::span<const std::string_view> stringArguments);

/// What a message that came is, as far as the readers read it.
struct IncomingMessage {
    uint8_t type = 0;  // 1 a method call, 2 a method's return, 3 an error, 4 a signal
    uint32_t serial = 0;
    uint32_t replySerial = 0;
    std::string sender;  // the unique name of the connection that sent it
    std::string path;
    std::string interface;
    std::string member;
    std::string signature;
    std::span<const uint8_t> body;
    /// The byte order of the body's integers, the one the sender chose ('B' rather than 'l').
    bool bigEndian = false;
};

inline constexpr uint8_t kMethodReturn = 2;
inline constexpr uint8_t kError = 3;
inline constexpr uint8_t kSignal = 4;

/// The largest message read; a longer one is passed over unread.
inline constexpr size_t kMaxMessageBytes = 64 * 1024;
/// The largest message the D-Bus protocol allows; no longer one is a message at all.
inline constexpr size_t kMaxProtocolMessageBytes = 128 * 1024 * 1024;

/// The length of the message that `bytes` begins with, in either byte order, once its fixed
/// header has come (16 bytes); 0 while it has not; nullopt for bytes that are no message or one
/// over kMaxProtocolMessageBytes.
std::optional<size_t> MessageLength(std::span<const uint8_t> bytes);
/// Reads a whole message (MessageLength bytes); nullopt for one that breaks the format.
std::optional<IncomingMessage> ReadMessage(std::span<const uint8_t> bytes);

/// A body of signature "v" holding a boolean.
std::optional<bool> ReadBooleanVariant(const IncomingMessage& message);
/// A body that begins with a string.
std::optional<std::string> ReadString(const IncomingMessage& message);
/// A body of strings only ("sss" of NameOwnerChanged).
std::optional<std::vector<std::string>> ReadStrings(const IncomingMessage& message);
/// The boolean properties a PropertiesChanged signal ("sa{sv}as") changes, with its interface;
/// properties of other types end the reading.
struct ChangedBooleans {
    std::string interface;
    std::vector<std::pair<std::string, bool>> values;
};
std::optional<ChangedBooleans> ReadChangedBooleans(const IncomingMessage& message);

/// A body of signature "v" holding a uint32.
std::optional<uint32_t> ReadUint32Variant(const IncomingMessage& message);
/// A body of signature "v" holding a variant that holds a uint32.
std::optional<uint32_t> ReadNestedUint32Variant(const IncomingMessage& message);
/// What a setting's change ("ssv": its namespace, its key, its value) says; `value` is nullopt
/// when the variant holds another type than a uint32.
struct SettingChange {
    std::string nameSpace;
    std::string key;
    std::optional<uint32_t> value;
};
std::optional<SettingChange> ReadSettingChange(const IncomingMessage& message);

}  // namespace platform::bus
