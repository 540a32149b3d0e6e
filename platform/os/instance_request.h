#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// What a second copy of the program sends to the first: one line, "activate\n" or
// "activate <token>\n" with the startup token of its launch (an X11 startup id or a Wayland
// activation token), which the first copy answers with kInstanceAnswer before it closes the
// connection.

inline constexpr size_t kMaxStartupTokenLength = 512;
inline constexpr std::string_view kInstanceAnswer = "ok\n";
/// The longest request line, its line feed included.
inline constexpr size_t kMaxRequestLength = sizeof("activate ") - 1 + kMaxStartupTokenLength + 1;

/// The request line that hands over `token`; a token that is longer than
/// kMaxStartupTokenLength or holds anything but printable ASCII is left out.
std::string InstanceRequest(std::string_view token);

/// The token of `line`, a complete request with its line feed (empty when it has none);
/// nullopt for anything else.
std::optional<std::string> TokenOfInstanceRequest(std::string_view line);

}  // namespace platform
