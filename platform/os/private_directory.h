#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

/// A directory that only the current user can write to, for sockets and lock files that no
/// other user may plant, replace or reach: $XDG_RUNTIME_DIR when it is an absolute path to a
/// directory of ours with no permission for group or others, else /tmp/<programName>-<uid>,
/// made when missing. nullopt when neither is such a directory (another user made the one in
/// /tmp first, say).
std::optional<std::string> PrivateRuntimeDirectory(std::string_view programName);

}  // namespace platform
