#include "platform/display/desktop/desktop_backend.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display/desktop/desktop_drivers.h"

namespace platform {
namespace {

/// Launchers' tokens are short printable ASCII; anything else is no token of theirs.
constexpr size_t kMaxStartupTokenLength = 512;

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Token(const char* name) {
    const std::string_view token = Variable(name);
    const bool valid =
        token.size() <= kMaxStartupTokenLength &&
        std::all_of(token.begin(), token.end(), [](char c) { return c >= ' ' && c <= '~'; });
    return valid ? std::string(token) : std::string();
}

/// `"a"`, `"a" or "b"`, `"a", "b" or "c"`: names as a message lists them.
template <typename Names>
std::string Listed(const Names& names, const char* last) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? last : ", ";
        text += "\"" + std::string(names[i]) + "\"";
    }
    return text;
}

class Chooser {
  public:
    explicit Chooser(const DesktopIdentity& identity) : identity_(identity) {
        // Every backend's token is read and taken out of the environment first.
        for (const DesktopDriver* driver : drivers_) {
            tokens_.push_back(Token(driver->tokenVariable));
            unsetenv(driver->tokenVariable);
        }
    }

    DesktopBackend Open() const {
        const std::string_view forced = Variable("TAVIK_BACKEND");
        if (!forced.empty()) return Open(Forced(forced));
        std::vector<size_t> named;
        for (size_t i = 0; i < drivers_.size(); ++i)
            if (!Variable(drivers_[i]->displayVariable).empty()) named.push_back(i);
        if (named.empty())
            throw std::runtime_error("no display to show the calculator on: " + NoDisplay());
        // Each display named is tried in turn; the last one's failure is the one told.
        for (size_t n = 0; n + 1 < named.size(); ++n) {
            try {
                return Open(named[n]);
            } catch (const std::runtime_error&) {
            }
        }
        return Open(named.back());
    }

  private:
    size_t Forced(std::string_view name) const {
        for (size_t i = 0; i < drivers_.size(); ++i)
            if (drivers_[i]->name == name) return i;
        const auto leftOut = LeftOutDesktopDrivers();
        std::vector<std::string_view> built;
        for (const DesktopDriver* driver : drivers_)
            built.push_back(driver->name);
        const std::string said = "TAVIK_BACKEND is \"" + std::string(name) + "\"";
        if (std::find(leftOut.begin(), leftOut.end(), name) != leftOut.end())
            throw std::runtime_error(said + ", a display backend this build leaves out: it has " +
                                     Listed(built, " and ") + " only");
        std::vector<std::string_view> all = built;
        all.insert(all.end(), leftOut.begin(), leftOut.end());
        throw std::runtime_error(said + ": it must be " + Listed(all, " or "));
    }

    /// Why no backend was tried: `neither WAYLAND_DISPLAY nor DISPLAY names one`, or
    /// `DISPLAY names none` for a build with one backend.
    std::string NoDisplay() const {
        std::string variables;
        for (size_t i = 0; i < drivers_.size(); ++i)
            variables += (i == 0 ? "" : " nor ") + std::string(drivers_[i]->displayVariable);
        return drivers_.size() > 1 ? "neither " + variables + " names one"
                                   : variables + " names none";
    }

    DesktopBackend Open(size_t i) const {
        const DesktopDriver& driver = *drivers_[i];
        return {driver.open(identity_, tokens_[i]), driver.sessionName(), tokens_[i]};
    }

    const DesktopIdentity& identity_;
    const std::span<const DesktopDriver* const> drivers_ = BuiltDesktopDrivers();
    std::vector<std::string> tokens_;
};

}  // namespace

DesktopBackend OpenDesktopBackend(const DesktopIdentity& identity) {
    return Chooser(identity).Open();
}

}  // namespace platform
