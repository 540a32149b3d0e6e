// Reads any bytes as one script line of tavik-drive. A line is a command, a blank or comment
// line, or an error, never two of these; an error names something; and every key a command
// presses goes up again, inner keys before outer ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "tools/tavik_drive/commands.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckKeysBalance(const std::vector<platform::HeadlessAction>& actions) {
    std::vector<int32_t> held;
    for (const platform::HeadlessAction& action : actions) {
        if (const auto* down = std::get_if<platform::headless::KeyDown>(&action)) {
            held.push_back(down->keyCode);
        } else if (const auto* up = std::get_if<platform::headless::KeyUp>(&action)) {
            Check(!held.empty() && held.back() == up->keyCode);
            held.pop_back();
        }
    }
    Check(held.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const drive::ParsedLine parsed = drive::ParseCommandLine(line);
    Check(!(parsed.command && !parsed.error.empty()));
    if (!parsed.command && parsed.error.empty()) {
        const std::string_view code = line.substr(0, line.find('#'));
        Check(code.find_first_not_of(" \t\r") == std::string_view::npos);
    }
    if (parsed.command) {
        if (const auto* key = std::get_if<drive::command::Key>(&*parsed.command)) {
            Check(!key->actions.empty());
            CheckKeysBalance(key->actions);
        }
    }
    CheckKeysBalance(drive::KeyActions(line));
    return 0;
}
