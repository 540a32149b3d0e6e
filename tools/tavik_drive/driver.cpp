#include "tools/tavik_drive/driver.h"

#include <fstream>
#include <istream>
#include <ostream>

#include "calculator/keypad.h"

namespace drive {
namespace {

namespace headless = platform::headless;

std::string EscapeCarriageReturns(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\r') {
            escaped += "\\r";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string ButtonList(forms::MessageBoxButtons buttons) {
    return buttons == forms::MessageBoxButtons::Ok ? "OK" : "Yes/No";
}

bool Within(const platform::Window* window, const platform::Window& ancestor) {
    for (; window; window = window->Parent())
        if (window == &ancestor) return true;
    return false;
}

}  // namespace

Driver::Driver(platform::HeadlessBackend& backend, platform::WindowSystem& system,
               calculator::Program& program, std::istream& input, std::ostream& output,
               std::ostream& errors)
    : backend_(backend),
      system_(system),
      program_(program),
      input_(input),
      output_(output),
      errors_(errors) {
    backend.SetInputSource([this] { return NextAction(); });
    previousObserver_ = forms::SetMessageBoxObserver(
        [this](const forms::MessageBoxInfo& info) { return MessageBoxShown(info); });
}

Driver::~Driver() {
    forms::SetMessageBoxObserver(std::move(previousObserver_));
}

int Driver::Run() {
    program_.Start();
    if (!program_.Ended() && !failed_) system_.Run();
    if (failed_) return 2;
    if (program_.Ended()) PrintLine("ended");
    return 0;
}

std::optional<platform::HeadlessAction> Driver::NextAction() {
    while (pending_.empty()) {
        std::string line;
        if (failed_ || !std::getline(input_, line)) return std::nullopt;
        ++lineNumber_;
        const ParsedLine parsed = ParseCommandLine(line);
        if (!parsed.error.empty()) {
            Fail(parsed.error);
            return std::nullopt;
        }
        if (parsed.command) Queue(*parsed.command);
    }
    platform::HeadlessAction action = std::move(pending_.front());
    pending_.pop_front();
    return action;
}

void Driver::Queue(const Command& command) {
    // A line is read only when everything before it has run, so its targets are looked up now.
    struct Visitor {
        Driver& d;
        void operator()(const command::Wait& c) {
            d.pending_.emplace_back(headless::Advance{c.ms});
        }
        void operator()(const command::Move& c) {
            const platform::Window* front = d.FrontWindow();
            if (!front) return d.Fail("no window is shown");
            d.pending_.emplace_back(headless::MoveInWindow{front->Handle(), {c.x, c.y}});
        }
        void operator()(const command::Down& c) {
            d.pending_.emplace_back(headless::ButtonDown{c.button});
        }
        void operator()(const command::Up& c) {
            d.pending_.emplace_back(headless::ButtonUp{c.button});
        }
        void operator()(const command::Click& c) {
            const std::optional<platform::Point> centre = d.CentreOf(c.caption);
            if (!centre) return;
            d.pending_.emplace_back(
                headless::MoveInWindow{d.program_.MainWindow().Handle(), *centre});
            d.pending_.emplace_back(headless::ButtonDown{platform::kButtonLeft});
            d.pending_.emplace_back(headless::ButtonUp{platform::kButtonLeft});
        }
        void operator()(const command::Where& c) {
            const std::optional<platform::Point> centre = d.CentreOf(c.caption);
            if (!centre) return;
            // The window shows its logical pixels on the device pixels of its scale.
            const platform::DeviceScale scale = d.program_.MainWindow().Scale();
            const std::string place =
                std::to_string(scale.Edge(centre->x)) + " " + std::to_string(scale.Edge(centre->y));
            d.pending_.emplace_back(headless::Call{[&d = d, place] { d.PrintLine(place); }});
        }
        void operator()(const command::Key& c) {
            d.pending_.insert(d.pending_.end(), c.actions.begin(), c.actions.end());
        }
        void operator()(const command::Paste& c) {
            d.pending_.emplace_back(
                headless::Call{[&d = d, text = c.text] { d.backend_.SetClipboardText(text); }});
            const std::vector<platform::HeadlessAction> paste = KeyActions("Ctrl+V");
            d.pending_.insert(d.pending_.end(), paste.begin(), paste.end());
        }
        void operator()(const command::Answer& c) {
            const platform::Window* box = d.system_.Find(d.messageBox_);
            if (!box || !box->IsShown()) return d.Fail("no message box is up");
            const bool okBox = d.messageBoxButtons_ == forms::MessageBoxButtons::Ok;
            if (okBox != (c.button == "OK"))
                return d.Fail("the message box has no " + c.button + " button");
            // The box chooses a button by its initial letter.
            const std::vector<platform::HeadlessAction> letter = KeyActions(c.button.substr(0, 1));
            d.pending_.insert(d.pending_.end(), letter.begin(), letter.end());
        }
        void operator()(const command::Close&) {
            d.pending_.emplace_back(headless::Call{
                [&d = d] { d.system_.CloseRequest(d.program_.MainWindow().Handle()); }});
        }
        void operator()(const command::PrintDisplay&) {
            d.pending_.emplace_back(headless::Call{
                [&d = d] { d.PrintLine("[" + d.program_.MainWindow().txtBuffer.Text() + "]"); }});
        }
        void operator()(const command::PrintFocus&) {
            d.pending_.emplace_back(headless::Call{[&d = d] { d.PrintLine(d.FocusName()); }});
        }
        void operator()(const command::Shot& c) {
            const platform::Window* front = d.FrontWindow();
            if (!front) return d.Fail("no window is shown");
            const std::vector<uint8_t> png = d.backend_.ScreenPng(front->NativeId());
            std::ofstream file(c.file, std::ios::binary);
            file.write(reinterpret_cast<const char*>(png.data()),
                       static_cast<std::streamsize>(png.size()));
            if (!file.flush()) d.Fail("cannot write " + c.file);
        }
        void operator()(const command::SetAppearance& c) {
            d.pending_.emplace_back(headless::Call{[&d = d, appearance = c.appearance] {
                d.system_.SetDesktopAppearance(platform::AppearanceSource::Portal, appearance);
            }});
        }
    };
    std::visit(Visitor{*this}, command);
}

void Driver::Fail(const std::string& message) {
    errors_ << "tavik-drive: line " << lineNumber_ << ": " << message << std::endl;
    failed_ = true;
    pending_.clear();
}

std::optional<forms::MessageBoxAnswer> Driver::MessageBoxShown(const forms::MessageBoxInfo& info) {
    messageBox_ = info.window->Handle();
    messageBoxButtons_ = info.buttons;
    PrintLine("message: " + info.title + " | " + EscapeCarriageReturns(info.text) + " | " +
              ButtonList(info.buttons));
    return std::nullopt;
}

std::optional<platform::Point> Driver::CentreOf(const std::string& caption) {
    const calculator::main& window = program_.MainWindow();
    if (calculator::KeyControl* key = window.KeyWithCaption(caption)) {
        const platform::Window& site = key->Site().SiteWindow();
        return window.ScreenToClient(
            site.ClientToScreen({site.ClientWidth() / 2, site.ClientHeight() / 2}));
    }
    if (caption == window.lblabout.Caption()) {
        const platform::Rect label = window.lblabout.Bounds();
        return platform::Point{label.left + label.Width() / 2, label.top + label.Height() / 2};
    }
    Fail("no key or label shows \"" + caption + "\"");
    return std::nullopt;
}

platform::Window* Driver::FrontWindow() const {
    const std::vector<platform::Window*>& windows = system_.TopLevels();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->IsShown()) return *it;
    return nullptr;
}

std::string Driver::FocusName() const {
    const platform::Window* focus = system_.FocusWindow();
    const calculator::main& window = program_.MainWindow();
    if (Within(focus, window.txtBuffer)) return "txtBuffer";
    const auto& keys = window.Keys();
    for (size_t i = 0; i < keys.size() && i < calculator::kKeypad.size(); ++i) {
        if (!Within(focus, keys[i]->Site().SiteWindow())) continue;
        const calculator::KeypadKey& row = calculator::kKeypad[i];
        std::string name(row.name);
        if (row.index) {
            // Appended piece by piece: g++ 12 at -O2 misreads "(" + std::to_string(...).
            name += '(';
            name += std::to_string(*row.index);
            name += ')';
        }
        return name;
    }
    return "none";
}

void Driver::PrintLine(const std::string& line) {
    output_ << line << std::endl;
}

}  // namespace drive
