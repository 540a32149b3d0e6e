#include "forms/message_box.h"

#include <algorithm>
#include <memory>

#include "forms/form.h"
#include "forms/light_control.h"
#include "forms/message_box_button.h"
#include "forms/message_box_icon.h"
#include "forms/units.h"
#include "platform/objects/system_colors.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"

namespace forms {
namespace {

// Layout in pixels.
constexpr int32_t kMargin = 12;
constexpr int32_t kIconGap = 12;  // between the icon and the text
constexpr int32_t kButtonWidth = 75;
constexpr int32_t kButtonHeight = 23;
constexpr int32_t kButtonGap = 6;
constexpr int32_t kMinTextWidth = 96;

// Window managers write titles in a sans-serif face of about 10 points, mostly bold, beside
// the window menu and their buttons: a box is wide enough for its whole title in that face,
// with room for the menu and three buttons (some window managers keep minimise and maximise
// buttons on a dialog that asks for a close box alone).
const platform::FontDesc kTitleBarFont =
    platform::PlainFont("DejaVu Sans", 100000, platform::kFontWeightBold);
constexpr int32_t kTitleBarRoom = 120;

MessageBoxObserver& Observer() {
    static MessageBoxObserver observer;
    return observer;
}

// The lines of the message, each drawn as it is ("&" is no prefix), one below the other.
class MessageText : public LightControl {
  public:
    MessageText(Form& form, platform::Rect bounds, std::vector<std::string> lines)
        : LightControl(form, bounds), lines_(std::move(lines)) {}

    void Paint(platform::Surface& surface, platform::Point origin) const override {
        const std::shared_ptr<const platform::Font> font = platform::LoadFont(Owner().Font());
        // The box's face is the button face, and its message is written as a button's caption.
        surface.textColor = platform::SystemColor(platform::SystemColorIndex::ButtonText);
        const platform::Rect bounds = Bounds().Offset(origin.x, origin.y);
        int32_t top = bounds.top;
        for (const std::string& line : lines_) {
            platform::Rect r{bounds.left, top, bounds.right, top + font->Height()};
            platform::DrawText(surface, *font, line, r,
                               platform::kTextSingleLine | platform::kTextNoPrefix);
            top += font->Height();
        }
    }

    /// The message is read as a label, and as text, its lines one below the other.
    platform::AccessibleDescription Describe() const override {
        std::string text;
        for (const std::string& line : lines_)
            text += (text.empty() ? "" : "\n") + line;
        return {.role = platform::AccessibleRole::Label, .name = text, .text = text};
    }

  private:
    std::vector<std::string> lines_;
};

class MessageIcon : public LightControl {
  public:
    MessageIcon(Form& form, platform::Point at, MessageBoxIcon icon)
        : LightControl(form,
                       platform::Rect::FromSize(at.x, at.y, kMessageIconSize, kMessageIconSize)),
          icon_(icon) {}

    void Paint(platform::Surface& surface, platform::Point origin) const override {
        DrawMessageIcon(surface, {Bounds().left + origin.x, Bounds().top + origin.y}, icon_);
    }

  private:
    MessageBoxIcon icon_;
};

struct ButtonChoice {
    const char* caption;
    MessageBoxAnswer answer;
};

// The client size and where its parts go, computed before the form exists because a form is
// made at its final size.
struct Layout {
    platform::Size client;
    platform::Point iconAt;
    platform::Rect text;
    int32_t buttonsLeft = 0;
    int32_t buttonsTop = 0;
};

Layout ComputeLayout(std::string_view title, const std::vector<std::string>& lines, bool hasIcon,
                     size_t buttonCount) {
    const std::shared_ptr<const platform::Font> font = platform::LoadFont(platform::FontDesc{});
    int32_t textWidth = kMinTextWidth;
    for (const std::string& line : lines)
        textWidth = std::max(textWidth, platform::TextWidth(*font, line));
    const int32_t textHeight = static_cast<int32_t>(lines.size()) * font->Height();
    const int32_t iconSpace = hasIcon ? kMessageIconSize + kIconGap : 0;
    const int32_t contentHeight = std::max(textHeight, hasIcon ? kMessageIconSize : 0);
    const auto n = static_cast<int32_t>(buttonCount);
    const int32_t rowWidth = n * kButtonWidth + (n - 1) * kButtonGap;

    Layout layout;
    const int32_t titleWidth =
        platform::TextWidth(*platform::LoadFont(kTitleBarFont), title) + kTitleBarRoom;
    layout.client.width =
        std::max({kMargin + iconSpace + textWidth + kMargin, rowWidth + 2 * kMargin, titleWidth});
    layout.iconAt = {kMargin, kMargin};
    const int32_t textTop = kMargin + (contentHeight - textHeight) / 2;
    layout.text = platform::Rect::FromSize(kMargin + iconSpace, textTop, textWidth, textHeight);
    layout.buttonsTop = kMargin + contentHeight + kMargin;
    layout.buttonsLeft = (layout.client.width - rowWidth) / 2;
    layout.client.height = layout.buttonsTop + kButtonHeight + kMargin;
    return layout;
}

class MessageBoxForm : public Form {
  public:
    MessageBoxForm(platform::WindowSystem& system, const FormDesign& design, const Layout& layout,
                   std::vector<std::string> lines, MessageBoxButtons buttons, MessageBoxIcon icon)
        : Form(system, design),
          escapeAnswer_(buttons == MessageBoxButtons::Ok ? MessageBoxAnswer::Ok
                                                         : MessageBoxAnswer::No),
          text_(*this, layout.text, std::move(lines)) {
        if (icon != MessageBoxIcon::None)
            icon_ = std::make_unique<MessageIcon>(*this, layout.iconAt, icon);
        std::vector<ButtonChoice> choices;
        if (buttons == MessageBoxButtons::Ok) {
            choices = {{"&OK", MessageBoxAnswer::Ok}};
        } else {
            choices = {{"&Yes", MessageBoxAnswer::Yes}, {"&No", MessageBoxAnswer::No}};
        }
        const size_t defaultIndex = buttons == MessageBoxButtons::YesNoDefaultNo ? 1 : 0;
        int32_t left = layout.buttonsLeft;
        for (size_t i = 0; i < choices.size(); ++i) {
            auto button = std::make_unique<MessageBoxButton>(
                *this,
                platform::Rect::FromSize(left, layout.buttonsTop, kButtonWidth, kButtonHeight),
                choices[i].caption);
            const MessageBoxAnswer answer = choices[i].answer;
            button->SetTabIndex(static_cast<int32_t>(i));
            button->SetChooseHandler([this, answer] { Finish(answer); });
            button->SetCancelHandler([this] { Finish(escapeAnswer_); });
            buttons_.push_back(std::move(button));
            left += kButtonWidth + kButtonGap;
        }
        defaultButton_ = buttons_[defaultIndex].get();
        // The close box (and Alt+F4) answers as Escape does: a question's close box is never
        // dead, and never answers Yes.
        SetCloseRequestHandler([this](bool&) { answer_ = escapeAnswer_; });
    }

    void OnShow() override {
        Form::OnShow();
        defaultButton_->Focus();
    }

    platform::AccessibleDescription Describe() const override {
        return {.role = platform::AccessibleRole::Alert,
                .states = {platform::AccessibleState::Modal}};
    }

    void Finish(MessageBoxAnswer answer) {
        answer_ = answer;
        Hide();
    }

    MessageBoxAnswer Result() const { return answer_.value_or(escapeAnswer_); }

  private:
    MessageBoxAnswer escapeAnswer_;
    MessageText text_;
    std::unique_ptr<MessageIcon> icon_;
    std::vector<std::unique_ptr<MessageBoxButton>> buttons_;
    MessageBoxButton* defaultButton_ = nullptr;
    std::optional<MessageBoxAnswer> answer_;
};

}  // namespace

MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer) {
    MessageBoxObserver previous = std::move(Observer());
    Observer() = std::move(observer);
    return previous;
}

std::vector<std::string> SplitMessageLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

MessageBoxAnswer ShowMessageBox(platform::WindowSystem& system, const platform::Window* owner,
                                std::string_view title, std::string_view text,
                                MessageBoxButtons buttons, MessageBoxIcon icon) {
    std::vector<std::string> lines = SplitMessageLines(text);
    const size_t buttonCount = buttons == MessageBoxButtons::Ok ? 1 : 2;
    const Layout layout = ComputeLayout(title, lines, icon != MessageBoxIcon::None, buttonCount);

    FormDesign design;
    design.caption = std::string(title);
    design.role = platform::WindowRole::Dialog;
    design.widthTwips = PixelsToTwips(layout.client.width);
    design.heightTwips = PixelsToTwips(layout.client.height);
    design.centred = true;
    MessageBoxInfo info{owner,  std::string(title), std::string(text), lines, buttons, icon,
                        nullptr};
    MessageBoxForm box(system, design, layout, std::move(lines), buttons, icon);
    box.SetOwner(owner);
    info.window = &box;

    // The observer sees the box from inside its modal loop, once it is shown and focused.
    const auto waiting = std::make_shared<bool>(true);
    system.Post([&box, &info, waiting] {
        if (!*waiting) return;
        *waiting = false;
        const MessageBoxObserver observer = Observer();
        if (!observer) return;
        box.UpdateNow();
        if (const std::optional<MessageBoxAnswer> answer = observer(info)) box.Finish(*answer);
    });
    box.ShowModal();
    *waiting = false;
    return box.Result();
}

}  // namespace forms
