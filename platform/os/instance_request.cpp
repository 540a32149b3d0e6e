#include "platform/os/instance_request.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kVerb = "activate";

bool IsToken(std::string_view text) {
    return !text.empty() && text.size() <= kMaxStartupTokenLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

}  // namespace

std::string InstanceRequest(std::string_view token) {
    std::string line(kVerb);
    if (IsToken(token)) line.append(" ").append(token);
    return line + "\n";
}

std::optional<std::string> TokenOfInstanceRequest(std::string_view line) {
    if (!line.starts_with(kVerb) || !line.ends_with('\n')) return std::nullopt;
    line.remove_prefix(kVerb.size());
    line.remove_suffix(1);
    if (line.empty()) return std::string();
    if (!line.starts_with(' ') || !IsToken(line.substr(1))) return std::nullopt;
    return std::string(line.substr(1));
}

}  // namespace platform
