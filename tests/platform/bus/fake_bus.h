#pragma once

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/bus/dbus_wire.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/os/owned.h"
#include "tests/platform/bus/wire_builder.h"

namespace platform::bus::testing {

/// A call a reader sent, as the bus reads it.
struct Call {
    uint32_t serial;
    uint8_t flags;
    std::string member;
    std::vector<std::string> arguments;
};

// The test plays the session bus: the reader connects to a socket of the test's own, which
// reads back what the reader sends and answers with messages built by WireBuilder.
class FakeBusTest : public ::testing::Test {
  protected:
    /// Opens the reader under test on the fake bus.
    virtual void Open() = 0;

    void SetUp() override {
        std::filesystem::remove_all(dir_);  // what a run that was ended left
        std::filesystem::create_directories(dir_);
        const std::string path = dir_ / "bus";
        sockaddr_un where{.sun_family = AF_UNIX, .sun_path = {}};
        path.copy(where.sun_path, sizeof where.sun_path - 1);
        listener_ = OwnedFd(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ASSERT_EQ(bind(listener_.Get(), reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
        ASSERT_EQ(listen(listener_.Get(), 1), 0);
        setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + path).c_str(), 1);
        Open();
        Accept();
    }
    void TearDown() override {
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        std::filesystem::remove_all(dir_);
    }

    /// Takes the reader's connection and its authentication, and lets it in.
    void Accept() {
        bus_ = OwnedFd(accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        ASSERT_TRUE(bus_);
        in_.clear();
        Run();
        std::string auth = std::string(1, '\0') + "AUTH EXTERNAL ";
        for (const char digit : std::to_string(getuid()))
            auth += {'3', digit};  // the digits are 0x30 to 0x39
        auth += "\r\nBEGIN\r\n";
        ASSERT_GE(in_.size(), auth.size());
        ASSERT_EQ(std::string(in_.begin(), in_.begin() + auth.size()), auth);
        in_.erase(in_.begin(), in_.begin() + auth.size());
        Write({'O', 'K', ' ', '1', '\r', '\n'});
    }
    /// Lets the reader take in and send all it can, and takes in what it sent.
    void Run() {
        while (backend_.Events().WaitForEvents(kNoDeadline)) {
        }
        uint8_t chunk[4096];
        for (ssize_t got; (got = recv(bus_.Get(), chunk, sizeof chunk, 0)) > 0;)
            in_.insert(in_.end(), chunk, chunk + got);
    }
    /// Lets `ms` pass on the reader's clock.
    void Advance(int64_t ms) {
        bool passed = false;
        backend_.SetInputSource([&]() -> std::optional<HeadlessAction> {
            if (passed) return std::nullopt;
            passed = true;
            return headless::Advance{ms};
        });
        Run();
    }
    void Write(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(send(bus_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  ssize_t(bytes.size()));
        Run();
    }
    /// The calls the reader sent since the last time. The bus answers GetNameOwner itself, with
    /// `owner_`.
    std::vector<Call> Calls() {
        std::vector<Call> calls;
        while (const std::optional<size_t> length = MessageLength(in_)) {
            if (*length == 0 || *length > in_.size()) break;
            const std::optional<IncomingMessage> message =
                ReadMessage(std::span(in_).first(*length));
            EXPECT_TRUE(message);
            calls.push_back({message->serial, in_[2], message->member,
                             ReadStrings(*message).value_or(std::vector<std::string>{})});
            in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(*length));
        }
        for (const Call& call : calls)
            if (call.member == "GetNameOwner")
                Write(Message(2, call.serial, "org.freedesktop.DBus", "", "", "", "", "s",
                              WireBuilder{}.String(owner_).bytes));
        return calls;
    }
    static std::vector<std::string> Members(const std::vector<Call>& calls) {
        std::vector<std::string> members;
        for (const Call& call : calls)
            members.push_back(call.member);
        return members;
    }

    HeadlessBackend backend_;
    std::filesystem::path dir_ = std::filesystem::path(::testing::TempDir()) /
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
    OwnedFd listener_;
    OwnedFd bus_;
    std::vector<uint8_t> in_;
    /// The unique name that owns the reader's service on the bus.
    std::string owner_;
};

}  // namespace platform::bus::testing
