#include "platform/bus/portal_appearance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "tests/platform/bus/fake_bus.h"
#include "tests/platform/bus/wire_builder.h"

namespace platform::bus {
namespace {

using testing::Call;
using testing::Message;
using testing::WireBuilder;

constexpr const char* kPortalName = ":1.7";  // the portal's unique name on the fake bus

class PortalAppearanceTest : public testing::FakeBusTest {
  protected:
    void Open() override {
        owner_ = kPortalName;
        portal_ = PortalAppearance::Open(
            backend_.Events(), [this](std::optional<Appearance> a) { told_.push_back(a); });
        ASSERT_TRUE(portal_);
    }

    void Return(uint32_t serial, const std::vector<uint8_t>& body) {
        Write(Message(2, serial, kPortalName, "", "", "", "", "v", body));
    }
    void Fail(uint32_t serial, const char* error, const char* sender = kPortalName) {
        Write(Message(3, serial, sender, "", "", "", error, "", {}));
    }
    void Signal(const char* sender, const char* path, const char* interface, const char* member,
                const char* signature, const std::vector<uint8_t>& body) {
        Write(Message(4, 0, sender, path, interface, member, "", signature, body));
    }
    void SettingChanged(const char* nameSpace, const char* key, uint32_t value,
                        const char* interface = "org.freedesktop.portal.Settings",
                        const char* sender = kPortalName) {
        Signal(sender, "/org/freedesktop/portal/desktop", interface, "SettingChanged", "ssv",
               WireBuilder{}.String(nameSpace).String(key).Signature("u").U32(value).bytes);
    }
    void OwnerChanged(const char* owner, const char* sender = "org.freedesktop.DBus") {
        Signal(
            sender, "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameOwnerChanged", "sss",
            WireBuilder{}.String("org.freedesktop.portal.Desktop").String("").String(owner).bytes);
    }

    /// Answers the version question, the last of `asked`; returns the questions that follow.
    std::vector<Call> AnswerVersion(const std::vector<Call>& asked, uint32_t version) {
        if (asked.empty() || asked.back().member != "Get") {
            ADD_FAILURE() << "the version is not asked";
            return {};
        }
        EXPECT_EQ(asked.back().arguments,
                  (std::vector<std::string>{"org.freedesktop.portal.Settings", "version"}));
        Return(asked.back().serial, WireBuilder{}.Signature("u").U32(version).bytes);
        return Calls();
    }
    /// Starts a portal of version 2 whose keys are 0, 0 and 0.
    void StartPortal() {
        for (const Call& call : AnswerVersion(Calls(), 2))
            Return(call.serial, WireBuilder{}.Signature("u").U32(0).bytes);
    }

    static constexpr Appearance kDefault{};
    static constexpr Appearance kDark{.colors = ColorPreference::Dark};

    std::unique_ptr<PortalAppearance> portal_;
    std::vector<std::optional<Appearance>> told_;
};

TEST_F(PortalAppearanceTest, AsksForTheVersionThenEachKeyTheWayTheVersionReadsIt) {
    const std::vector<Call> first = Calls();
    ASSERT_EQ(Members(first),
              (std::vector<std::string>{"Hello", "AddMatch", "AddMatch", "GetNameOwner", "Get"}));
    for (const Call& call : first)
        EXPECT_EQ(call.flags, 2);  // no service is started, not even the portal
    EXPECT_NE(
        first[1].arguments[0].find("member='SettingChanged',arg0='org.freedesktop.appearance'"),
        std::string::npos);
    std::vector<Call> asked = first;
    for (const uint32_t version : {1u, 2u}) {
        const std::vector<Call> reads = AnswerVersion(asked, version);
        const std::string member = version == 1 ? "Read" : "ReadOne";
        EXPECT_EQ(Members(reads), (std::vector<std::string>(3, member)));
        ASSERT_EQ(reads.size(), 3u);
        EXPECT_EQ(reads[2].arguments,
                  (std::vector<std::string>{"org.freedesktop.appearance", "reduced-motion"}));
        // Version 1 wraps each value in a second variant.
        const auto value = [&](uint32_t v) {
            WireBuilder body;
            if (version == 1) body.Signature("v");
            return body.Signature("u").U32(v).bytes;
        };
        Return(reads[0].serial, value(version));  // dark, then light
        Return(reads[1].serial, value(1));
        EXPECT_EQ(told_.size(), version - 1);  // nothing until every key is known
        Return(reads[2].serial, value(0));
        OwnerChanged(version == 1 ? kPortalName : "");  // a portal again, asked again; then none
        asked = Calls();
    }
    EXPECT_EQ(told_, (std::vector<std::optional<Appearance>>{
                         Appearance{ColorPreference::Dark, true, false},
                         Appearance{ColorPreference::Light, true, false}, std::nullopt}));
}

// A key the portal does not know, a value out of range or of another type: no preference. A
// change before every key is answered is not told on its own.
TEST_F(PortalAppearanceTest, TakesAKeyThatIsNotAnsweredAsNoPreference) {
    const std::vector<Call> reads = AnswerVersion(Calls(), 2);
    ASSERT_EQ(reads.size(), 3u);
    SettingChanged("org.freedesktop.appearance", "reduced-motion", 1);
    Return(reads[0].serial, WireBuilder{}.Signature("u").U32(7).bytes);
    Fail(reads[1].serial, "org.freedesktop.portal.Error.NotFound");
    EXPECT_TRUE(told_.empty());
    Return(reads[2].serial, WireBuilder{}.Signature("s").String("1").bytes);
    EXPECT_EQ(told_, (std::vector<std::optional<Appearance>>{kDefault}));
}

TEST_F(PortalAppearanceTest, TellsNoPortalThenAsksOneThatComesLater) {
    const std::vector<Call> asked = Calls();
    ASSERT_FALSE(asked.empty());
    Fail(asked.back().serial, "org.freedesktop.DBus.Error.ServiceUnknown", "org.freedesktop.DBus");
    EXPECT_EQ(told_, (std::vector<std::optional<Appearance>>{std::nullopt}));
    OwnerChanged(kPortalName);
    StartPortal();
    EXPECT_EQ(told_, (std::vector<std::optional<Appearance>>{std::nullopt, kDefault}));
}

// Only a change of the portal's own appearance settings that changes a value is told.
TEST_F(PortalAppearanceTest, TellsEachChangeOfTheSettingsOnce) {
    StartPortal();
    SettingChanged("org.freedesktop.appearance", "color-scheme", 1);
    SettingChanged("org.freedesktop.appearance", "color-scheme", 1);
    SettingChanged("org.freedesktop.appearance", "contrast", 1, "org.freedesktop.portal.Other");
    SettingChanged("org.freedesktop.appearance", "contrast", 1, "org.freedesktop.portal.Settings",
                   ":1.99");
    SettingChanged("org.gnome.desktop.interface", "contrast", 1);
    SettingChanged("org.freedesktop.appearance", "high-contrast", 1);
    OwnerChanged("", ":1.99");  // another client says the portal left
    EXPECT_EQ(told_, (std::vector<std::optional<Appearance>>{kDefault, kDark}));
    SettingChanged("org.freedesktop.appearance", "reduced-motion", 1);
    EXPECT_EQ(told_.back(), (Appearance{ColorPreference::Dark, false, true}));
    EXPECT_EQ(told_.size(), 3u);
}

// Messages of every length and byte order the bus passes on are read, or passed over when too
// long, without losing the connection.
TEST_F(PortalAppearanceTest, PassesOverALongMessageAndReadsEitherByteOrder) {
    StartPortal();
    const std::string longKey(70000, 'k');
    SettingChanged("org.freedesktop.appearance", longKey.c_str(), 1);
    SettingChanged("org.freedesktop.appearance", "color-scheme", 1);
    Write(Message(4, 0, kPortalName, "/org/freedesktop/portal/desktop",
                  "org.freedesktop.portal.Settings", "SettingChanged", "", "ssv",
                  WireBuilder{true, {}}
                      .String("org.freedesktop.appearance")
                      .String("contrast")
                      .Signature("u")
                      .U32(1)
                      .bytes,
                  true));
    EXPECT_EQ(told_, (std::vector<std::optional<Appearance>>{
                         kDefault, kDark, Appearance{ColorPreference::Dark, true, false}}));
}

// A bus that breaks the format loses the connection, told once as no portal.
TEST_F(PortalAppearanceTest, HangsUpOnGarbage) {
    StartPortal();
    std::vector<uint8_t> garbage = Message(2, 1, "org.freedesktop.DBus", "", "", "", "", "", {});
    garbage[18] = 'x';  // a header field of a type that does not exist
    Write(garbage);
    EXPECT_EQ(told_, (std::vector<std::optional<Appearance>>{kDefault, std::nullopt}));
    uint8_t byte;
    EXPECT_EQ(recv(bus_.Get(), &byte, 1, 0), 0);  // the reader hung up
}

TEST(PortalAppearance, IsNullWithoutASessionBus) {
    HeadlessBackend backend;
    const std::filesystem::path noBus = std::filesystem::path(::testing::TempDir()) / "no-bus";
    std::filesystem::create_directories(noBus);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("XDG_RUNTIME_DIR", noBus.c_str(), 1);
    EXPECT_EQ(PortalAppearance::Open(backend.Events(), [](std::optional<Appearance>) {}), nullptr);
}

}  // namespace
}  // namespace platform::bus
