#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/engine.h"
#include "calculator/key_control.h"
#include "calculator/typed_keys.h"
#include "forms/container_resources.h"
#include "forms/control_group.h"
#include "forms/control_registry.h"
#include "forms/form.h"
#include "forms/label.h"
#include "forms/shape.h"
#include "forms/text_box.h"
#include "platform/objects/picture.h"
#include "platform/ui/backend.h"
#include "splash/form2.h"

namespace calculator {

/// What the calculator window is drawn and built from. The bytes must outlive the window.
struct MainArtwork {
    /// A picture file drawn unscaled at the client origin; larger than the client area.
    std::span<const uint8_t> backgroundFile;
    platform::IconImages icon;
    /// The arrow with a question mark, over the "About" label.
    std::shared_ptr<const platform::PointerImage> helpPointer;
    /// The keys' stored property bags, back to back in keypad-table order.
    std::span<const uint8_t> keyBags;
    splash::SplashPictures splash;
};

/// The calculator window: the display, the keypad of vbButton keys wired to the engine,
/// three frames and the "About" label. Loading it runs the splash; closing it asks first.
class main : public forms::Form {
  public:
    static constexpr const char* kCaption = "Tavik Calculator 2.0";
    static constexpr const char* kQuitQuestion = "Are you sure you want to quit ?";

    /// Creates the window, hidden, with the display, the frames and the "About" label. The keys
    /// (made through `registry` from their stored bags) and the background picture follow when
    /// the window is loaded, once the splash is on the screen; `registry` and `resources` must
    /// outlive the window. `anotherInstanceRunning` may be empty.
    main(platform::WindowSystem& system, const MainArtwork& artwork,
         const forms::ControlRegistry& registry, const forms::ResourceTable& resources,
         std::string decimalSeparator, splash::InstanceCheck anotherInstanceRunning);
    ~main() override;

    const Engine& GetEngine() const { return engine_; }
    /// True once the user answered Yes to the quit question.
    bool QuitConfirmed() const { return quitConfirmed_; }
    /// True when the splash found another copy running and ended the program.
    bool EndedAtStart() const { return endedAtStart_; }
    /// The keys in keypad-table order; none before the window is loaded.
    const std::vector<std::unique_ptr<KeyControl>>& Keys() const { return keys_; }
    /// The key showing `caption`, or null.
    KeyControl* KeyWithCaption(std::string_view caption) const;

    /// Another launch of the program, named by `startupToken`, asks to see the calculator: it
    /// comes forward, restored if minimised, behind the question it waits on if one is up. While
    /// the splash is up nothing changes: the calculator is on its way.
    void ShowAgain(std::string_view startupToken);

    /// The text shown with the "About" label's message, lines separated by carriage returns.
    static std::string AboutText();

    forms::TextBox txtBuffer;
    forms::Label lblabout;
    forms::Shape Shape1;
    forms::Shape Shape2;
    forms::Shape Shape3;
    forms::ControlGroup<KeyControl> cmdNumber;
    forms::ControlGroup<KeyControl> cmdoperator;

    /// Keys typed anywhere in the window: a key bound to a key of the keypad presses that key
    /// (Return presses "=" whichever control has the focus); Ctrl+C or Ctrl+Insert copies the
    /// display's text, or the part of it selected while it has the focus; Ctrl+V or
    /// Shift+Insert pastes a number. Other keys go on to the focused control.
    bool OnPreviewKeyDown(const platform::Keystroke& stroke, int32_t shift) override;
    void OnPreviewKeyUp(uint32_t key) override;

  private:
    /// The names of the indexed groups of keys, as the keypad table gives them.
    static constexpr std::string_view kNumberGroup = "cmdNumber";
    static constexpr std::string_view kOperatorGroup = "cmdoperator";

    /// Makes the keys and draws the background picture, once; nothing after that.
    void CompleteDesign();
    /// Makes the keys from the keypad table and their stored bags, and wires each to its step.
    void CreateKeys();
    /// The key made from `row` of the keypad table; only once the keys are made.
    KeyControl& KeyOf(const KeypadKey& row) const;
    forms::ControlGroup<KeyControl>& Group(std::string_view name);
    void FormLoad();
    void QueryClose(bool& cancel);
    void AboutClick();
    /// Runs the engine step of a press on `key` on the display's text (edits by the user
    /// included); shows the new display text, or tells the user why it failed.
    void Press(KeyStep step, const KeyControl& key);
    /// Asks for the clipboard's text, which PasteText enters when it comes, if the window is
    /// still there.
    void Paste();
    /// Enters `text` when it is a number the display can show; otherwise changes nothing and
    /// rings the bell.
    void PasteText(const std::string& text);
    void Copy();

    Engine engine_;
    std::string decimalSeparator_;
    TypedKeys typedKeys_{*this};
    std::vector<std::unique_ptr<KeyControl>> keys_;
    splash::SplashPictures splashPictures_;
    std::span<const uint8_t> keyBags_;
    std::span<const uint8_t> backgroundFile_;
    const forms::ControlRegistry& registry_;
    const forms::ResourceTable& resources_;
    bool designComplete_ = false;
    splash::InstanceCheck anotherInstanceRunning_;
    bool quitConfirmed_ = false;
    bool endedAtStart_ = false;
};

}  // namespace calculator
