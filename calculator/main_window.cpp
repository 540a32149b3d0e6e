#include "calculator/main_window.h"

#include <optional>
#include <stdexcept>
#include <utility>

#include "button/vb_button.h"
#include "calculator/keypad.h"
#include "calculator/pasted_number.h"
#include "calculator/zoom_keys.h"
#include "forms/message_box.h"
#include "forms/stored_bag.h"
#include "forms/units.h"

namespace calculator {
namespace {

using forms::TwipsRect;

const platform::FontDesc kDisplayFont =
    platform::PlainFont("Lucida Console", 142500, platform::kFontWeightNormal);

forms::FormDesign Design(const MainArtwork& artwork) {
    forms::FormDesign design;
    design.caption = main::kCaption;
    design.bordered = true;
    design.widthTwips = 4680;
    design.heightTwips = 4860;
    design.centred = true;
    design.icon = artwork.icon;
    return design;
}

}  // namespace

main::main(platform::WindowSystem& system, const MainArtwork& artwork,
           const forms::ControlRegistry& registry, const forms::ResourceTable& resources,
           std::string decimalSeparator, splash::InstanceCheck anotherInstanceRunning)
    : forms::Form(system, Design(artwork)),
      txtBuffer(*this, TwipsRect(360, 240, 3975, 405)),
      lblabout(*this, TwipsRect(0, 4440, 1095, 375), "About"),
      Shape1(*this, TwipsRect(240, 720, 1935, 3135)),
      Shape2(*this, TwipsRect(2400, 720, 2055, 3135)),
      Shape3(*this, TwipsRect(2400, 3960, 2055, 735)),
      engine_(decimalSeparator),
      decimalSeparator_(std::move(decimalSeparator)),
      splashPictures_(artwork.splash),
      keyBags_(artwork.keyBags),
      backgroundFile_(artwork.backgroundFile),
      registry_(registry),
      resources_(resources),
      anotherInstanceRunning_(std::move(anotherInstanceRunning)) {
    txtBuffer.SetBackColor(0x00000000);
    txtBuffer.SetForeColor(0x0000FF00);
    txtBuffer.SetFont(kDisplayFont);
    txtBuffer.SetTabIndex(0);
    // Screen readers read the display's results; the keys are what a reader uses to edit it.
    // A reader hears each new text as the description of the display when it has the focus,
    // and of the key that has it otherwise (each key is described by the display).
    txtBuffer.SetAccessibleName("Display");
    txtBuffer.SetAccessibleReadOnly(true);
    txtBuffer.SetAccessibleTextAsDescription(true);
    txtBuffer.SetKeyPressFilter(
        [](int32_t& charCode) { charCode = Engine::FilterKeyPress(charCode); });

    lblabout.SetForeColor(0x00FFFFFF);
    lblabout.SetTransparent(true);
    lblabout.SetFont(kDisplayFont);
    lblabout.SetPointer(platform::PointerKind::Custom, artwork.helpPointer);
    lblabout.SetClickHandler([this] { AboutClick(); });
    lblabout.SetAccessibleRole(platform::AccessibleRole::PushButton);
    lblabout.SetAccessibleShortcut("F1");

    Shape1.SetBorderColor(0x00FF0000);  // blue: the entry keys
    Shape2.SetBorderColor(0x000000FF);  // red: the operator and function keys
    Shape3.SetBorderColor(0x0000FF00);  // green: the equals key

    SetLoadHandler([this] { FormLoad(); });
    SetCloseRequestHandler([this](bool& cancel) { QueryClose(cancel); });
}

main::~main() = default;

void main::CompleteDesign() {
    if (designComplete_) return;
    designComplete_ = true;
    CreateKeys();
    SetPictureFile(backgroundFile_);
}

void main::CreateKeys() {
    std::span<const uint8_t> bags = keyBags_;
    for (const KeypadKey& row : kKeypad) {
        forms::StoredBagReadResult stored = forms::ReadStoredBag(bags);
        if (stored.error)
            throw std::runtime_error("the stored settings of " + std::string(row.caption) +
                                     " do not read: " + stored.error->Describe());
        bags = bags.subspan(stored.blockSize);

        forms::ControlDesign design;
        design.classId = button::vbButton::kClassId;
        design.name = row.name;
        design.index = row.index;
        design.left = row.bounds.left;
        design.top = row.bounds.top;
        design.width = row.bounds.width;
        design.height = row.bounds.height;
        design.tabIndex = row.tabIndex;
        design.bag = std::move(stored.bag);

        forms::AmbientProperties ambient;
        ambient.font = Font();
        auto key = std::make_unique<KeyControl>(
            registry_.CreateSite(*this, design, std::move(ambient), resources_));
        KeyControl& added = *key;
        // The decimal key shows the separator it enters; its stored caption stays a comma.
        if (row.caption == kDecimalKeyCaption) added.Button().SetCaption(decimalSeparator_);
        added.Site().SetAccessibleName(std::string(row.spokenName));
        added.Site().SetAccessibleShortcut(KeyboardShortcutOf(row.bindings));
        added.Site().SetAccessibleDescribedBy(txtBuffer);
        keys_.push_back(std::move(key));

        if (row.index) {
            Group(row.name).Add(*row.index, added);
        } else {
            added.SetClickHandler([this, &row, &added] { Press(row.step, added); });
        }
        added.Site().Show();
    }

    for (const std::string_view name : {kNumberGroup, kOperatorGroup}) {
        forms::ControlGroup<KeyControl>& group = Group(name);
        group.OnClick([this, name, &group](int32_t index) {
            Press(FindKeypadKey(name, index)->step, group[index]);
        });
    }
}

KeyControl& main::KeyOf(const KeypadKey& row) const {
    return *keys_[static_cast<size_t>(&row - kKeypad.data())];
}

forms::ControlGroup<KeyControl>& main::Group(std::string_view name) {
    if (name == kNumberGroup) return cmdNumber;
    if (name == kOperatorGroup) return cmdoperator;
    throw std::invalid_argument("the calculator window has no control group " + std::string(name));
}

KeyControl* main::KeyWithCaption(std::string_view caption) const {
    for (const auto& key : keys_) {
        if (key->Caption() == caption) return key.get();
    }
    return nullptr;
}

std::string main::AboutText() {
    return "Author" + std::string(9, ' ') + ": Tavik Software\r" +  //
           "E-mail" + std::string(10, ' ') + ": calculator@tavik.example\r" + "Web Site" +
           std::string(5, ' ') + ": https://tavik.example\r" +
           "\r"
           "Thank you for using this program";
}

void main::FormLoad() {
    // The splash shows this window itself as it closes.
    splash::Form2 splash(System(), splashPictures_, *this, anotherInstanceRunning_);
    // The keys and the background are made while the splash fades in, once it is on the
    // screen: the splash then appears as soon as the display is open.
    System().PostWhenShown([&system = System(), handle = Handle(), this] {
        if (system.Find(handle)) CompleteDesign();
    });
    splash.ShowModal();
    endedAtStart_ = splash.EndedProgram();
    // The splash ends the program when another copy runs; otherwise the calculator is complete
    // even if the loop ended (its input ran out) before it got to the task.
    if (!endedAtStart_) CompleteDesign();
}

void main::ShowAgain(std::string_view startupToken) {
    if (IsVisible()) System().BringForward(*this, startupToken);
}

void main::QueryClose(bool& cancel) {
    const forms::MessageBoxAnswer answer =
        forms::ShowMessageBox(System(), this, "Exit", kQuitQuestion,
                              forms::MessageBoxButtons::YesNo, forms::MessageBoxIcon::None);
    if (answer != forms::MessageBoxAnswer::Yes) {
        cancel = true;
        return;
    }
    quitConfirmed_ = true;
    System().Quit();
}

void main::AboutClick() {
    forms::ShowMessageBox(System(), this, "About", AboutText(), forms::MessageBoxButtons::Ok,
                          forms::MessageBoxIcon::Information);
}

bool main::OnPreviewKeyDown(const platform::Keystroke& stroke, int32_t shift) {
    const bool ctrl = (shift & platform::kShiftCtrl) != 0;
    const bool alt = (shift & platform::kShiftAlt) != 0;
    if (!alt && ctrl && (stroke.keyCode == 'C' || stroke.keyCode == platform::kKeyInsert)) {
        typedKeys_.Finish();
        Copy();
        return true;
    }
    const bool shiftInsert =
        (shift & platform::kShiftShift) && stroke.keyCode == platform::kKeyInsert;
    if (!alt && ((ctrl && stroke.keyCode == 'V') || (!ctrl && shiftInsert))) {
        typedKeys_.Finish();
        Paste();
        return true;
    }
    if (!alt && ctrl) {
        if (const std::optional<double> zoom = ZoomAfterKey(stroke.symbol, Zoom())) {
            typedKeys_.Finish();
            SetZoom(*zoom);
            return true;
        }
    }
    // The desktop's help key opens About, whichever key has the focus.
    if (!alt && !ctrl && stroke.keyCode == platform::kKeyF1) {
        typedKeys_.Finish();
        AboutClick();
        return true;
    }
    const KeypadKey* row = KeypadKeyTyped(stroke, shift);
    if (!row || keys_.size() != kKeypad.size()) return false;
    // A key held down with the mouse keeps the keyboard's presses off the keypad.
    if (System().CaptureWindow()) return true;
    typedKeys_.Down(stroke.key, KeyOf(*row));
    return true;
}

void main::OnPreviewKeyUp(uint32_t key) {
    typedKeys_.Up(key);
}

void main::Copy() {
    const std::string text = txtBuffer.HasFocus() && txtBuffer.SelectionLength() > 0
                                 ? txtBuffer.SelectedText()
                                 : txtBuffer.Text();
    if (!text.empty()) System().GetBackend().SetClipboardText(text);
}

void main::Paste() {
    // The text may come only after the window is closed: a handle names one window only, ever.
    System().GetBackend().Clipboard().RequestClipboardText(
        [this, &system = System(), handle = Handle()](const std::string& text) {
            if (system.Find(handle)) PasteText(text);
        });
}

void main::PasteText(const std::string& text) {
    const std::optional<std::vector<std::string_view>> captions =
        KeysForPastedNumber(text, decimalSeparator_);
    if (!captions || keys_.size() != kKeypad.size()) {
        System().GetBackend().Bell();
        return;
    }
    std::string entered;
    for (const std::string_view caption : *captions) {
        const KeypadKey& row = *FindKeypadKey(caption);
        if (row.step == KeyStep::kEntry) entered += KeyOf(row).Caption();
    }
    if (!txtBuffer.HasRoomFor(entered)) {
        System().GetBackend().Bell();
        return;
    }
    for (const std::string_view caption : *captions) {
        const KeypadKey& row = *FindKeypadKey(caption);
        Press(row.step, KeyOf(row));
    }
}

void main::Press(KeyStep step, const KeyControl& key) {
    const std::string& caption = key.Caption();
    // The display takes no more characters than the user could type into it.
    if (step == KeyStep::kEntry && !txtBuffer.HasRoomFor(caption)) {
        System().GetBackend().Bell();
        return;
    }
    // The display box holds the text, with whatever the user deleted in it; the engine still
    // has it from the last step unless the user did.
    if (engine_.State().displayText != txtBuffer.Text()) engine_.SetDisplayText(txtBuffer.Text());
    const Failure failure = engine_.Press(step, caption);
    if (failure != Failure::kNone) {
        // The step wrote nothing to the display; the user learns why and goes on.
        forms::ShowMessageBox(System(), this, kCaption, FailureMessage(failure),
                              forms::MessageBoxButtons::Ok, forms::MessageBoxIcon::Exclamation);
        return;
    }
    if (txtBuffer.Text() != engine_.State().displayText)
        txtBuffer.SetText(engine_.State().displayText);
}

}  // namespace calculator
