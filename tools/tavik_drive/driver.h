#pragma once

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>

#include "calculator/program.h"
#include "forms/message_box.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"
#include "tools/tavik_drive/commands.h"

namespace drive {

/// Drives the program on a headless backend from a script: the script's lines are read one at
/// a time whenever one of the program's loops (the main loop, the splash's or a message box's
/// modal loop) waits for input, so a command always meets the program in the state the
/// commands before it left. Output lines go to `output`, errors to `errors`.
class Driver {
  public:
    /// Becomes the backend's input source and the observer of every message box.
    Driver(platform::HeadlessBackend& backend, platform::WindowSystem& system,
           calculator::Program& program, std::istream& input, std::ostream& output,
           std::ostream& errors);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    /// Starts the program and runs it until it ends, the script ends or a line fails. Returns
    /// the exit status: 0, or 2 after a failed line.
    int Run();

  private:
    std::optional<platform::HeadlessAction> NextAction();
    void Queue(const Command& command);
    void Fail(const std::string& message);
    std::optional<forms::MessageBoxAnswer> MessageBoxShown(const forms::MessageBoxInfo& info);

    /// The centre of the key or label showing `caption`, in the calculator window's client
    /// pixels; fails the line when none shows it.
    std::optional<platform::Point> CentreOf(const std::string& caption);
    /// The shown top-level window nearest the top of the z-order, or null.
    platform::Window* FrontWindow() const;
    /// The focused control: its name, with its index in its group, or "none".
    std::string FocusName() const;
    void PrintLine(const std::string& line);

    platform::HeadlessBackend& backend_;
    platform::WindowSystem& system_;
    calculator::Program& program_;
    std::istream& input_;
    std::ostream& output_;
    std::ostream& errors_;
    forms::MessageBoxObserver previousObserver_;

    std::deque<platform::HeadlessAction> pending_;
    int lineNumber_ = 0;
    bool failed_ = false;
    platform::WindowHandle messageBox_ = 0;  // the last message box shown
    forms::MessageBoxButtons messageBoxButtons_ = forms::MessageBoxButtons::Ok;
};

}  // namespace drive
