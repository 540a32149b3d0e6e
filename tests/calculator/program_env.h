#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/keypad.h"
#include "calculator/program.h"
#include "forms/message_box.h"
#include "forms/units.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"

namespace calculator::testing {

/// Where the key showing `caption` sits on the calculator window, from the key table: the keys
/// themselves are made only once the program has started.
inline platform::Rect KeyBounds(std::string_view caption) {
    const KeypadKey* key = FindKeypadKey(caption);
    if (!key) throw std::invalid_argument("no key shows " + std::string(caption));
    const TwipsBounds& twips = key->bounds;
    return forms::TwipsRect(twips.left, twips.top, twips.width, twips.height);
}

/// The splash has closed by then: 1.5 s in, 2 s held, 0.75 s out.
constexpr int64_t kPastSplashMs = 5000;

/// The whole program on a headless display, with every message box recorded and answered by
/// the next answer in line (OK when none is left).
struct ProgramEnv {
    explicit ProgramEnv(ProgramOptions options = {}) : program(system, std::move(options)) {
        previousObserver = forms::SetMessageBoxObserver([this](const forms::MessageBoxInfo& box) {
            boxes.push_back(box);
            if (answers.empty()) return std::optional(forms::MessageBoxAnswer::Ok);
            const forms::MessageBoxAnswer answer = answers.front();
            answers.erase(answers.begin());
            return std::optional(answer);
        });
    }
    ~ProgramEnv() { forms::SetMessageBoxObserver(previousObserver); }

    main& Main() { return program.MainWindow(); }

    /// A left click in the middle of the key showing `caption`, and a pause long enough that
    /// the next click is not a double click.
    platform::Script& Click(platform::Script& script, std::string_view caption) {
        const platform::Rect bounds = KeyBounds(caption);
        return script
            .MoveInWindow(Main(), (bounds.left + bounds.right) / 2,
                          (bounds.top + bounds.bottom) / 2)
            .Down()
            .Up()
            .Advance(platform::kDoubleClickMs + 1);
    }

    /// A script that lets the splash close, then clicks the keys showing `captions` in turn.
    platform::Script PastSplash(const std::vector<std::string_view>& captions = {}) {
        platform::Script script;
        script.Advance(kPastSplashMs);
        for (const std::string_view caption : captions)
            Click(script, caption);
        return script;
    }

    /// Starts the program and runs it on the script until the script ends or the program does.
    void Run(platform::Script& script) {
        backend.SetInputSource(script.Source());
        program.Start();
        if (!program.Ended()) system.Run();
    }

    platform::HeadlessBackend backend{{1024, 768}};
    platform::WindowSystem system{backend};
    Program program;
    std::vector<forms::MessageBoxInfo> boxes;
    std::vector<forms::MessageBoxAnswer> answers;
    forms::MessageBoxObserver previousObserver;
};

}  // namespace calculator::testing
