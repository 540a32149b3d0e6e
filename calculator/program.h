#pragma once

#include <memory>
#include <string>

#include "calculator/main_window.h"
#include "forms/container_resources.h"
#include "forms/control_registry.h"
#include "platform/ui/window_system.h"
#include "splash/form2.h"

namespace calculator {

/// How the program is started.
struct ProgramOptions {
    /// The user's decimal separator for numbers shown in the display.
    std::string decimalSeparator = ".";
    /// Says whether another copy of the program runs; empty for "never".
    splash::InstanceCheck anotherInstanceRunning;
};

/// The whole program on one window system: the vbButton class registered, the program's
/// resources (the hand cursor) and artwork decoded once from the embedded files, and the
/// calculator window with its engine. The real program and the headless driver both build it.
class Program {
  public:
    /// Builds the program, nothing shown yet; the calculator's keys and background follow in
    /// Start(). Throws when the embedded files it decodes here do not decode.
    Program(platform::WindowSystem& system, ProgramOptions options);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// Loads the calculator window, which runs the splash in a modal loop and makes the keys and
    /// the background meanwhile (throwing when their stored bytes do not read); returns when the
    /// calculator is shown or the program has ended. The caller then runs the message loop
    /// until Ended().
    void Start();
    /// The user confirmed the quit, another copy was running, or another program closed one of
    /// the program's windows (which ends it as a confirmed quit does).
    bool Ended() const;

    main& MainWindow() { return *window_; }

  private:
    forms::ControlRegistry registry_;
    forms::ResourceTable resources_;
    std::unique_ptr<main> window_;
};

}  // namespace calculator
