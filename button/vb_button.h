#pragma once

// The vbButton control: an owner-drawn push button hosted by a form through the container
// interface. This header is the control's whole state and its operations; the definitions are
// spread over files named after their concern:
//
//   properties.cpp          property getters and setters, DisableRefresh, Refresh
//   persistence.cpp         new instance, ambient change, load and save through the stored
//                           settings' table (stored_settings.cpp)
//   interaction.cpp         mouse, click, keys, access key, focus, hide, the hover timer, each
//                           through a transition of the interaction's state
//                           (interaction_state.h); what the button is to a screen reader
//   render.cpp              Apply and Paint, resize, show, destroy, the palette, the paint's
//                           input
//   caption.cpp             UpdateAccessKey, LayoutCaption, MeasurePicture
//   background_capture.cpp  CaptureParentBackground
//
// What each look draws, and every other fact that differs by look, is in looks.h; painting is
// done by the Painter (painter.h) from a PaintInput, which reads the button and changes nothing.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "button/caption_layout.h"
#include "button/color_math.h"
#include "button/interaction_state.h"
#include "button/looks.h"
#include "button/painter.h"
#include "button/palette.h"
#include "forms/container.h"
#include "forms/container_user_control.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/text/font.h"
#include "platform/version.h"

namespace button {

using forms::PicturePtr;
using platform::Rect;

/// Raised to the caller when a value does not fit the integer it is converted to: a
/// MousePointer outside 16 bits, a font size whose whole points do not fit the 16-bit FontSize,
/// or a Button or KeyCode outside 0..255 written back by a host's event handler.
class OverflowError : public std::overflow_error {
    using overflow_error::overflow_error;
};

/// Raised to the caller, before anything changes, when a property is given a value the
/// button's stored settings could not hold as given: a font size or face name that the font's
/// persisted stream would wrap or cut.
class InvalidPropertyValue : public std::invalid_argument {
    using invalid_argument::invalid_argument;
};

class vbButton final : public forms::UserControl {
  public:
    /// The class identifier hosts register the control under.
    static constexpr const char* kClassId = "Tavik.vbButton";
    /// The program's cursor group of the pointing hand.
    static constexpr int32_t kHandCursorId = 101;
    /// The mask colour of a new button, and of settings that name none: light grey.
    static constexpr OleColor kDefaultMaskColor = 0xC0C0C0;

    vbButton() = default;
    ~vbButton() override { *alive_ = false; }
    vbButton(const vbButton&) = delete;
    vbButton& operator=(const vbButton&) = delete;

    // Properties, in the order the control declares them. Setters reject no value but a font
    // the font's stream cannot hold.
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor colour);
    OleColor BackOver() const { return backOver_; }
    void SetBackOver(OleColor colour);
    OleColor ForeColor() const { return foreColor_; }
    void SetForeColor(OleColor colour);
    OleColor ForeOver() const { return foreOver_; }
    void SetForeOver(OleColor colour);
    OleColor MaskColor() const { return maskColor_; }
    void SetMaskColor(OleColor colour);
    int32_t ButtonType() const { return buttonType_; }
    void SetButtonType(int32_t type);
    /// The default property: what a host reads when it names the control alone.
    const std::string& Caption() const { return captionText_; }
    void SetCaption(std::string text);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    const platform::FontDesc& Font() const;
    /// Throws InvalidPropertyValue, changing nothing, for a size outside
    /// 1..platform::kMaxFontSizeCy or a name longer than platform::kMaxFontNameBytes.
    void SetFont(const platform::FontDesc& font);
    bool FontBold() const;
    void SetFontBold(bool on);
    bool FontItalic() const;
    void SetFontItalic(bool on);
    bool FontUnderline() const;
    void SetFontUnderline(bool on);
    /// The size rounded to a whole number of points, halves to even. Throws OverflowError when
    /// that number does not fit 16 bits (from 32767.5 points up).
    int16_t FontSize() const;
    /// Throws InvalidPropertyValue, changing nothing, unless `points` is finite and, rounded to
    /// the nearest ten-thousandth, 0.0001..429 496.7295 (1..platform::kMaxFontSizeCy).
    void SetFontSize(float points);
    const std::string& FontName() const;
    /// Throws InvalidPropertyValue, changing nothing, for a name longer than
    /// platform::kMaxFontNameBytes bytes.
    void SetFontName(std::string name);
    int32_t ColorScheme() const { return colorScheme_; }
    void SetColorScheme(int32_t scheme);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool on);
    int32_t MousePointer() const;
    /// Throws OverflowError, changing nothing, outside -32768..32767.
    void SetMousePointer(int32_t pointer);
    PicturePtr MouseIcon() const;
    void SetMouseIcon(PicturePtr icon);
    bool HandPointer() const { return handPointer_; }
    void SetHandPointer(bool on);
    int32_t hwnd() const;
    bool SoftBevel() const { return softBevel_; }
    void SetSoftBevel(bool on);
    PicturePtr PictureNormal() const { return pictureNormal_; }
    void SetPictureNormal(PicturePtr picture);
    PicturePtr PictureOver() const { return pictureOver_; }
    void SetPictureOver(PicturePtr picture);
    int32_t PicturePosition() const { return picturePosition_; }
    void SetPicturePosition(int32_t position);
    bool UseMaskColor() const { return useMaskColor_; }
    void SetUseMaskColor(bool on);
    bool UseGreyscale() const { return useGreyscale_; }
    void SetUseGreyscale(bool on);
    int32_t SpecialEffect() const { return specialEffect_; }
    void SetSpecialEffect(int32_t effect);
    bool CheckBoxBehaviour() const { return checkBoxBehaviour_; }
    void SetCheckBoxBehaviour(bool on);
    bool Value() const { return value_; }
    void SetValue(bool on);
    std::string Version() const { return std::string(platform::kVersion); }

    /// Stops all drawing until Refresh or the next show.
    void DisableRefresh();
    /// Captures the parent again (Transparent look), derives the palette, lays the caption out
    /// and redraws in the last drawn state.
    void Refresh();

    // The container's calls: lifecycle, mouse, keyboard and timer.
    void OnCreate(const forms::ControlContainer& container) override;
    void OnInitNew() override;
    void OnLoadSettings() override;
    void OnResize() override;
    void OnShow() override;
    void OnSaveSettings() override;
    void OnHide() override;
    void OnDestroy() override;
    void OnAmbientChanged(std::string_view name) override;
    void OnAppearanceChanged() override;
    void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnClick() override;
    /// A key clicked twice quickly enters twice: the second press of a double click is a
    /// press like the first, and its release clicks again.
    bool TakesDoubleClicks() const override { return false; }
    void OnKeyDown(int32_t& keyCode, int32_t shift) override;
    void OnKeyPress(int32_t& keyAscii) override;
    void OnKeyUp(int32_t& keyCode, int32_t shift) override;
    void OnAccessKey() override;
    /// A key of the keyboard that the host binds to the button went down (or repeats): the
    /// button is drawn down and shown at once, with no mouse event. A disabled button ignores
    /// its bound key.
    void OnBoundKeyDown();
    /// The bound key went up: the button is drawn up and shown at once, then raises Click, as
    /// after a click of the left button.
    void OnBoundKeyUp();
    // Accessibility (interaction.cpp).
    /// A push button, or a check box with its checked state under CheckBoxBehaviour, named by
    /// its caption without the access key's "&", whose access key is its key binding.
    platform::AccessibleDescription Describe() const override;
    /// "click" clicks the button as the access key does, through the same Click path.
    void OnAccessibleAction(std::string_view action) override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    void OnTimer() override;

    // Read-only views of the drawing state, for hosts' tools and tests.
    const Palette& CurrentPalette() const { return palette_; }
    Rect ContentRect() const { return contentRect_; }
    Rect CaptionRect() const { return captionLayout_.rect; }
    Rect CaptionRectDown() const { return captionLayout_.rect.Offset(1, 1); }
    /// The caption's measured extent.
    platform::Point CaptionSize() const { return {captionLayout_.width, captionLayout_.height}; }
    platform::Point PicturePlace() const { return picturePlace_; }
    platform::Point PictureSize() const { return pictureSize_; }
    DrawnState LastDrawnState() const { return interaction_.drawn; }
    bool IsReady() const { return ready_; }
    /// The hover flag (a press dragged back in is drawn lit with the flag off).
    bool IsLit() const { return interaction_.hover; }
    bool HasFocusFlag() const { return interaction_.focus; }
    CaptionLook LastCaptionLook() const { return lastCaptionLook_; }
    /// How many redraws have passed the early-out and drawn since creation.
    int64_t RedrawCount() const { return redrawCount_; }

  private:
    // Redraw pipeline (render.cpp).
    /// Takes the transition's state and redraws as it says.
    void Apply(Transition transition);
    /// Repaints the whole button as the interaction's state shows it, through the Painter.
    void Paint();
    /// What the Painter reads for a paint of the interaction's state.
    PaintInput PaintInputFor(const Palette& paintPalette) const;
    void HandleResize();
    void DerivePalette();
    /// The palette of the settings, with `backColor` as the face colour.
    Palette PaletteWith(OleColor face) const;
    void RedrawAsIs() { Apply(Repainted(interaction_, Checked())); }
    void RedrawUp() { Apply(DrawnUp(interaction_, Checked())); }
    /// Whether the button is a check box that is on, which is drawn down.
    bool Checked() const { return checkBoxBehaviour_ && value_; }
    /// The look of the stored ButtonType.
    const Look& CurrentLook() const { return LookOf(buttonType_); }

    // Caption and picture layout (caption.cpp).
    void UpdateAccessKey();
    /// The button's font, realised for drawing.
    std::shared_ptr<const platform::Font> CaptionFont() const;
    /// The caption laid out in `font` in the room the picture leaves.
    CaptionLayout MeasureCaption(const platform::Font& font) const;
    /// Lays the caption out in the button's font and places the picture against it.
    void LayoutCaption();
    /// The size of PictureNormal in pixels of the control's resolution; 0 x 0 without one.
    void MeasurePicture();
    /// The window takes `font`: the caption is laid out in it and the button redrawn up.
    void UseFont(const platform::FontDesc& font);
    /// The window's font, changed by `change`, through UseFont.
    void ChangeFont(const std::function<void(platform::FontDesc& font)>& change);

    // Transparent look (background_capture.cpp).
    void CaptureParentBackground();

    // Interaction (interaction.cpp).
    /// Raises a mouse event; false when the host's handler destroyed the control. `button`
    /// takes the value the handler left.
    bool RaiseMouseEvent(int32_t number, const char* name, int32_t& button, int32_t shift,
                         int32_t x, int32_t y);
    bool RaiseKeyEvent(int32_t number, const char* name, int32_t& keyCode, int32_t shift);
    /// Runs `raise`, which hands a release to the host, and returns its result. A host handler
    /// that throws leaves no press on the screen: the button is drawn up (if it still exists)
    /// before the error goes on.
    bool RaiseEndingPress(const std::function<bool()>& raise);
    /// Toggles a check box, draws through `drawUp`, puts the look on the screen and raises
    /// Click.
    void RaiseClick(Transition (*drawUp)(InteractionState state, bool checked));
    void SetHoverTimer(bool on);

    // Stored settings (stored_settings.cpp): one row per key of the property bag, in the order
    // they are loaded and saved.
    enum class Setting {
        ButtonType,
        Caption,
        Enabled,
        Font,
        ColorScheme,
        ShowFocusRect,
        BackColor,
        BackOver,
        ForeColor,
        ForeOver,
        MaskColor,
        MousePointer,
        MouseIcon,
        PictureNormal,
        PictureOver,
        UseMaskColor,
        SoftBevel,
        PicturePosition,
        UseGreyscale,
        SpecialEffect,
        HandPointer,
        CheckBoxBehaviour,
        Value,
    };
    struct StoredSetting {
        Setting setting;
        const char* key;       // in the property bag
        const char* notifies;  // the property-change notification's name
        /// Reads the key, its default when the bag has none, into the button.
        void (*load)(vbButton& button, forms::StoredProperties& bag, const char* key);
        /// Writes the key's current value; a picture that is none writes nothing.
        void (*save)(const vbButton& button, forms::StoredProperties& bag, const char* key);
    };
    static const std::vector<StoredSetting>& StoredSettings();
    /// Tells the host that the setting changed, under its notification's name.
    void Notify(Setting setting);

    // Host helpers.
    bool DesignMode() const;
    bool DisplayAsDefault() const;
    platform::Surface& Surface();

    forms::ControlContainer host_;

    // The settings, as stored.
    int32_t buttonType_ = 0;
    int32_t colorScheme_ = 0;
    int32_t picturePosition_ = 0;
    int32_t specialEffect_ = 0;
    OleColor backColor_ = 0;
    OleColor backOver_ = 0;
    OleColor foreColor_ = 0;
    OleColor foreOver_ = 0;
    OleColor maskColor_ = 0;
    bool useMaskColor_ = false;
    bool useGreyscale_ = false;
    bool handPointer_ = false;
    PicturePtr pictureNormal_;
    PicturePtr pictureOver_;
    std::string captionText_;
    bool enabled_ = false;
    bool softBevel_ = false;
    bool showFocusRect_ = false;
    bool checkBoxBehaviour_ = false;
    bool value_ = false;

    // The layout: the client size, where the focus rectangle, the caption and the picture go.
    int32_t width_ = 0;
    int32_t height_ = 0;
    Rect contentRect_;
    CaptionLayout captionLayout_;
    platform::Point picturePlace_;
    platform::Point pictureSize_;
    std::optional<platform::Surface> backgroundSurface_;  // the Transparent look's face

    // The interaction's state and what was drawn last.
    InteractionState interaction_;
    bool ready_ = false;
    bool capturing_ = false;
    Palette palette_;
    std::string lastDrawnCaption_;
    CaptionLook lastCaptionLook_ = CaptionLook::Normal;
    int64_t redrawCount_ = 0;
    /// Shared with handlers that must learn whether the button outlived a host's handler.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace button
