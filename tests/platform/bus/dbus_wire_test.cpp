#include "platform/bus/dbus_wire.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace platform::bus {
namespace {

// What the session bus sends, as samples: the answer to Get of IsEnabled (true, to call 3), a
// PropertiesChanged of org.a11y.Status (IsEnabled on, ScreenReaderEnabled off) and the answer
// to GetAddress (to call 5).
std::vector<uint8_t> Sample(const char* name) {
    std::ifstream file(std::string(TAVIK_DBUS_SAMPLES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(DbusWire, AMethodCallReadsBackAsWritten) {
    const std::vector<std::string_view> arguments{"org.a11y.Status", "IsEnabled"};
    const std::vector<uint8_t> call =
        MethodCall(3, "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Get",
                   arguments, AutoStart::No);
    ASSERT_EQ(MessageLength(call), call.size());
    EXPECT_EQ(call[2], 2);  // the flag that starts no service
    const std::vector<uint8_t> starting =
        MethodCall(3, "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Get",
                   arguments, AutoStart::Yes);
    EXPECT_EQ(starting[2], 0);
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

// A message is taken only whole; bytes that break the format, or too many, are refused.
TEST(DbusWire, RefusesWhatIsCutShortBrokenOrTooLong) {
    for (const char* name : {"is_enabled_reply", "properties_changed", "address_reply"}) {
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
    broken[0] = 'B';  // big-endian: not spoken
    EXPECT_EQ(MessageLength(broken), std::nullopt);
    broken = reply;
    broken[4] = 0xFF, broken[5] = 0xFF, broken[6] = 0xFF;  // a body of 16 MB
    EXPECT_EQ(MessageLength(broken), std::nullopt);
    broken = reply;
    broken[18] = 'x';  // a header field of a type that does not exist
    EXPECT_FALSE(ReadMessage(broken));
    broken = reply;
    broken.back() = 2;  // a boolean neither 0 nor 1
    ASSERT_TRUE(ReadMessage(broken));
    EXPECT_EQ(ReadBooleanVariant(*ReadMessage(broken)), std::nullopt);
}

}  // namespace
}  // namespace platform::bus
