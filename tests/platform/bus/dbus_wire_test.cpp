#include "platform/bus/dbus_wire.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/platform/bus/wire_builder.h"

namespace platform::bus {
namespace {

// What the session bus sends, as samples: the answer to Get of IsEnabled (true, to call 3), a
// PropertiesChanged of org.a11y.Status (IsEnabled on, ScreenReaderEnabled off), the answer
// to GetAddress (to call 5); and, as GLib writes them for a settings portal of version 1 on
// the bus as ":1.0", the answer to Read of color-scheme (1, to call 3) and a SettingChanged
// of color-scheme to 2.
std::vector<uint8_t> Sample(const char* name) {
    std::ifstream file(std::string(TAVIK_DBUS_SAMPLES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(DbusWire, AMethodCallReadsBackAsWritten) {
    const std::vector<std::string_view> arguments{"org.a11y.Status", "IsEnabled"};
    const std::vector<uint8_t> call = MethodCall(
        3, "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Get", arguments);
    ASSERT_EQ(MessageLength(call), call.size());
    EXPECT_EQ(call[2], 2);  // the flag that starts no service
    const std::optional<IncomingMessage> message = ReadMessage(call);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->type, 1);
    EXPECT_EQ(message->path, "/org/a11y/bus");
    EXPECT_EQ(message->interface, "org.freedesktop.DBus.Properties");
    EXPECT_EQ(message->member, "Get");
    EXPECT_EQ(message->signature, "ss");
    EXPECT_EQ(ReadString(*message), "org.a11y.Status");
}

TEST(DbusWire, ReadsTheLaunchersAnswersAndSignal) {
    const std::vector<uint8_t> reply = Sample("is_enabled_reply");
    const std::optional<IncomingMessage> enabled = ReadMessage(reply);
    ASSERT_TRUE(enabled);
    EXPECT_EQ(enabled->type, kMethodReturn);
    EXPECT_EQ(enabled->replySerial, 3u);
    EXPECT_EQ(ReadBooleanVariant(*enabled), true);
    EXPECT_EQ(ReadString(*enabled), std::nullopt);

    // A message's body lies in the bytes it was read from.
    const std::vector<uint8_t> signal = Sample("properties_changed");
    const std::optional<IncomingMessage> changed = ReadMessage(signal);
    ASSERT_TRUE(changed);
    const std::optional<ChangedBooleans> values = ReadChangedBooleans(*changed);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->interface, "org.a11y.Status");
    EXPECT_EQ(values->values, (std::vector<std::pair<std::string, bool>>{
                                  {"IsEnabled", true}, {"ScreenReaderEnabled", false}}));

    const std::vector<uint8_t> answer = Sample("address_reply");
    const std::optional<IncomingMessage> address = ReadMessage(answer);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->replySerial, 5u);
    EXPECT_EQ(ReadString(*address), "unix:path=/run/user/1000/at-spi/bus");
}

TEST(DbusWire, ReadsThePortalsAnswerAndSignal) {
    const std::vector<uint8_t> reply = Sample("portal_read_reply");
    const std::optional<IncomingMessage> read = ReadMessage(reply);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->replySerial, 3u);
    EXPECT_EQ(read->sender, ":1.0");
    EXPECT_EQ(ReadNestedUint32Variant(*read), 1u);
    EXPECT_EQ(ReadUint32Variant(*read), std::nullopt);

    const std::vector<uint8_t> signal = Sample("portal_setting_changed");
    const std::optional<IncomingMessage> changed = ReadMessage(signal);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->type, kSignal);
    EXPECT_EQ(changed->sender, ":1.0");
    EXPECT_EQ(changed->path, "/org/freedesktop/portal/desktop");
    EXPECT_EQ(changed->interface, "org.freedesktop.portal.Settings");
    EXPECT_EQ(changed->member, "SettingChanged");
    const std::optional<SettingChange> change = ReadSettingChange(*changed);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->nameSpace, "org.freedesktop.appearance");
    EXPECT_EQ(change->key, "color-scheme");
    EXPECT_EQ(change->value, 2u);
}

// A message is taken only whole; bytes that break the format, or too many, are refused.
TEST(DbusWire, RefusesWhatIsCutShortBrokenOrTooLong) {
    for (const char* name : {"is_enabled_reply", "properties_changed", "address_reply",
                             "portal_read_reply", "portal_setting_changed"}) {
        const std::vector<uint8_t> sample = Sample(name);
        ASSERT_FALSE(sample.empty()) << name;
        for (size_t cut = 0; cut < sample.size(); ++cut) {
            const std::span<const uint8_t> part(sample.data(), cut);
            const std::optional<size_t> length = MessageLength(part);
            ASSERT_TRUE(length) << name << " cut at " << cut;
            EXPECT_TRUE(*length == 0 || *length > cut) << name << " cut at " << cut;
            EXPECT_FALSE(ReadMessage(part)) << name << " cut at " << cut;
        }
    }
    std::vector<uint8_t> reply = Sample("is_enabled_reply");
    std::vector<uint8_t> broken = reply;
    broken[0] = 'b';  // no byte order
    EXPECT_EQ(MessageLength(broken), std::nullopt);
    EXPECT_FALSE(ReadMessage(broken));
    broken = reply;
    broken[4] = 0xFF, broken[5] = 0xFF, broken[6] = 0xFF;  // a body of 16 MB: a message still
    EXPECT_GT(MessageLength(broken), kMaxMessageBytes);
    broken[7] = 0x08;  // a body over the protocol's 128 MB
    EXPECT_EQ(MessageLength(broken), std::nullopt);
    broken = reply;
    broken[18] = 'x';  // a header field of a type that does not exist
    EXPECT_FALSE(ReadMessage(broken));
    broken = reply;
    broken.back() = 2;  // a boolean neither 0 nor 1
    ASSERT_TRUE(ReadMessage(broken));
    EXPECT_EQ(ReadBooleanVariant(*ReadMessage(broken)), std::nullopt);
}

using testing::Message;
using testing::WireBuilder;

// What a message says, read the way its signature is read: its header, then its body.
std::string Read(const IncomingMessage& m) {
    std::ostringstream said;
    said << int{m.type} << ' ' << m.serial << ' ' << m.replySerial << ' ' << m.sender << ' '
         << m.path << ' ' << m.interface << ' ' << m.member << ' ' << m.signature << ':';
    if (const std::optional<bool> value = ReadBooleanVariant(m))
        said << (*value ? " true" : " false");
    if (const std::optional<uint32_t> value = ReadNestedUint32Variant(m)) said << ' ' << *value;
    if (const std::optional<std::vector<std::string>> strings = ReadStrings(m))
        for (const std::string& s : *strings)
            said << " '" << s << "'";
    if (const std::optional<ChangedBooleans> changed = ReadChangedBooleans(m)) {
        said << ' ' << changed->interface;
        for (const auto& [name, value] : changed->values)
            said << ' ' << name << '=' << value;
    }
    if (const std::optional<SettingChange> change = ReadSettingChange(m))
        said << ' ' << change->nameSpace << ' ' << change->key << ' ' << *change->value;
    return said.str();
}

// A sender writes in the byte order it likes: every message reads the same in both.
TEST(DbusWire, ReadsEachMessageInEitherByteOrder) {
    for (const bool big : {false, true}) {
        const auto body = [big] { return WireBuilder{big, {}}; };
        const struct {
            std::vector<uint8_t> message;
            const char* said;
        } cases[] = {
            {Message(2, 3, ":1.4", "", "", "", "", "v", body().Signature("b").U32(1).bytes, big),
             "2 1000 3 :1.4    v: true"},
            {Message(2, 0x01020304, ":1.4", "", "", "", "", "v",
                     body().Signature("v").Signature("u").U32(0x0A0B0C0D).bytes, big),
             "2 1000 16909060 :1.4    v: 168496141"},
            {Message(4, 0, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                     "NameOwnerChanged", "", "sss",
                     body().String("org.a11y.Bus").String("").String(":1.9").bytes, big),
             "4 1000 0 org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus "
             "NameOwnerChanged sss: 'org.a11y.Bus' '' ':1.9'"},
            // The array of two entries is 56 bytes long: (4 + 10, the signature 3, aligned to
            // 20, the value 4) then (4 + 20, 3, aligned to 28, 4).
            {Message(4, 0, ":1.9", "/org/a11y/bus", "org.freedesktop.DBus.Properties",
                     "PropertiesChanged", "", "sa{sv}as",
                     body()
                         .String("org.a11y.Status")
                         .U32(56)
                         .Align(8)
                         .String("IsEnabled")
                         .Signature("b")
                         .U32(1)
                         .Align(8)
                         .String("ScreenReaderEnabled")
                         .Signature("b")
                         .U32(0)
                         .U32(0)
                         .bytes,
                     big),
             "4 1000 0 :1.9 /org/a11y/bus org.freedesktop.DBus.Properties PropertiesChanged "
             "sa{sv}as: org.a11y.Status IsEnabled=1 ScreenReaderEnabled=0"},
            {Message(4, 0, ":1.7", "/org/freedesktop/portal/desktop",
                     "org.freedesktop.portal.Settings", "SettingChanged", "", "ssv",
                     body()
                         .String("org.freedesktop.appearance")
                         .String("color-scheme")
                         .Signature("u")
                         .U32(0x01000002)
                         .bytes,
                     big),
             "4 1000 0 :1.7 /org/freedesktop/portal/desktop org.freedesktop.portal.Settings "
             "SettingChanged ssv: org.freedesktop.appearance color-scheme 16777218"},
        };
        for (const auto& c : cases) {
            EXPECT_EQ(MessageLength(c.message), c.message.size()) << c.said;
            const std::optional<IncomingMessage> message = ReadMessage(c.message);
            ASSERT_TRUE(message) << c.said;
            EXPECT_EQ(Read(*message), c.said) << (big ? "big-endian" : "little-endian");
        }
    }
}

IncomingMessage Body(std::string signature, std::span<const uint8_t> body) {
    IncomingMessage message;
    message.signature = std::move(signature);
    message.body = body;
    return message;
}

// The portal's answers: ReadOne's value in one variant, Read's (before version 2) in two.
TEST(DbusWire, ReadsAUint32InsideOneVariantOrTwo) {
    const std::vector<uint8_t> one = WireBuilder{}.Signature("u").U32(7).bytes;
    const std::vector<uint8_t> two = WireBuilder{}.Signature("v").Signature("u").U32(7).bytes;
    const struct {
        const char* name;
        std::string signature;
        std::vector<uint8_t> body;
        std::optional<uint32_t> inOne, inTwo;
    } cases[] = {
        {"one variant", "v", one, 7, std::nullopt},
        {"two variants", "v", two, std::nullopt, 7},
        {"a string inside", "v", WireBuilder{}.Signature("s").String("7").bytes, {}, {}},
        {"a string inside two",
         "v",
         WireBuilder{}.Signature("v").Signature("s").String("7").bytes,
         {},
         {}},
        {"no variant", "u", WireBuilder{}.U32(7).bytes, {}, {}},
        {"a signature past the end", "v", WireBuilder{}.Byte(9).Text("u").U32(7).bytes, {}, {}},
        {"an inner signature past the end",
         "v",
         WireBuilder{}.Signature("v").Byte(9).Text("u").U32(7).bytes,
         {},
         {}},
        {"bytes after the value", "v", WireBuilder{}.Signature("u").U32(7).U32(0).bytes, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadUint32Variant(Body(c.signature, c.body)), c.inOne) << c.name;
        EXPECT_EQ(ReadNestedUint32Variant(Body(c.signature, c.body)), c.inTwo) << c.name;
    }
    for (const std::vector<uint8_t>& whole : {one, two}) {
        for (size_t cut = 0; cut < whole.size(); ++cut) {
            const std::span<const uint8_t> part(whole.data(), cut);
            EXPECT_EQ(ReadUint32Variant(Body("v", part)), std::nullopt) << cut;
            EXPECT_EQ(ReadNestedUint32Variant(Body("v", part)), std::nullopt) << cut;
        }
    }
}

// What ReadSettingChange says, in short: "namespace key value", "-" for a value of another type.
std::string Said(const IncomingMessage& message) {
    const std::optional<SettingChange> change = ReadSettingChange(message);
    if (!change) return "refused";
    return change->nameSpace + " " + change->key + " " +
           (change->value ? std::to_string(*change->value) : "-");
}

TEST(DbusWire, ReadsTheChangeOfASetting) {
    const auto body = [](uint32_t keyLength) {
        return WireBuilder{}.String("org.freedesktop.appearance").U32(keyLength).Text("contrast");
    };
    const std::vector<uint8_t> whole = body(8).Signature("u").U32(1).bytes;
    const struct {
        const char* signature;
        std::vector<uint8_t> body;
        const char* said;
    } cases[] = {
        {"ssv", whole, "org.freedesktop.appearance contrast 1"},
        {"ssv", body(8).Signature("s").String("high").bytes,
         "org.freedesktop.appearance contrast -"},
        {"ss", body(8).bytes, "refused"},
        {"ssv", body(80).Signature("u").U32(1).bytes, "refused"},
        {"ssv", body(8).Signature("u").U32(1).U32(1).bytes, "refused"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Said(Body(c.signature, c.body)), c.said);
    for (size_t cut = 0; cut < whole.size(); ++cut)
        EXPECT_EQ(Said(Body("ssv", std::span(whole.data(), cut))), "refused") << cut;
}

}  // namespace
}  // namespace platform::bus
