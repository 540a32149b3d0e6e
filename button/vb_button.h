#pragma once

// The vbButton control: an owner-drawn push button hosted by a form through the container
// interface. This header is the control's whole state and its operations; the definitions are
// spread over files named after their concern:
//
//   properties.cpp          property getters and setters, DisableRefresh, Refresh
//   persistence.cpp         new instance, load settings, save settings, ambient change
//   interaction.cpp         mouse, click, keys, access key, focus, hide, the hover timer
//   render.cpp              RenderButton, resize, show, terminate, DerivePalette
//   paint.cpp               the drawing primitives on the control's surface
//   window_shape.cpp        BuildWindowShape
//   caption.cpp             UpdateAccessKey, LayoutCaption, DrawCaption, DrawCaptionEffect
//   picture.cpp             MeasurePicture, PlacePicture, DrawPicture, RenderPicture
//   background_capture.cpp  CaptureParentBackground
//   styles.cpp              the table of looks; style_*.cpp hold the recipes

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "button/color_math.h"
#include "button/palette.h"
#include "forms/container.h"
#include "forms/container_user_control.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/text/font.h"

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

/// The state a redraw asks for.
constexpr uint8_t kStateUp = 0;
constexpr uint8_t kStateDown = 2;

/// The situation a look is drawn for.
enum class Situation { Up, Down, Disabled };

class vbButton final : public forms::UserControl {
  public:
    /// The class identifier hosts register the control under.
    static constexpr const char* kClassId = "Tavik.vbButton";
    /// The program's cursor group of the pointing hand.
    static constexpr int32_t kHandCursorId = 101;

    // Properties, in the order the control declares them. Setters reject no value but a font
    // the font's stream cannot hold.
    OleColor BackColor() const { return backColor; }
    void SetBackColor(OleColor colour);
    OleColor BackOver() const { return backOver; }
    void SetBackOver(OleColor colour);
    OleColor ForeColor() const { return foreColor; }
    void SetForeColor(OleColor colour);
    OleColor ForeOver() const { return foreOver; }
    void SetForeOver(OleColor colour);
    OleColor MaskColor() const { return maskColor; }
    void SetMaskColor(OleColor colour);
    int32_t ButtonType() const { return buttonType; }
    void SetButtonType(int32_t type);
    /// The default property: what a host reads when it names the control alone.
    const std::string& Caption() const { return caption; }
    void SetCaption(std::string text);
    bool Enabled() const { return enabled; }
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
    int32_t ColorScheme() const { return colorScheme; }
    void SetColorScheme(int32_t scheme);
    bool ShowFocusRect() const { return showFocusRect; }
    void SetShowFocusRect(bool on);
    int32_t MousePointer() const;
    /// Throws OverflowError, changing nothing, outside -32768..32767.
    void SetMousePointer(int32_t pointer);
    PicturePtr MouseIcon() const;
    void SetMouseIcon(PicturePtr icon);
    bool HandPointer() const { return handPointer; }
    void SetHandPointer(bool on);
    int32_t hwnd() const;
    bool SoftBevel() const { return softBevel; }
    void SetSoftBevel(bool on);
    PicturePtr PictureNormal() const { return pictureNormal; }
    void SetPictureNormal(PicturePtr picture);
    PicturePtr PictureOver() const { return pictureOver; }
    void SetPictureOver(PicturePtr picture);
    int32_t PicturePosition() const { return picturePosition; }
    void SetPicturePosition(int32_t position);
    bool UseMaskColor() const { return useMaskColor; }
    void SetUseMaskColor(bool on);
    bool UseGreyscale() const { return useGreyscale; }
    void SetUseGreyscale(bool on);
    int32_t SpecialEffect() const { return specialEffect; }
    void SetSpecialEffect(int32_t effect);
    bool CheckBoxBehaviour() const { return checkBoxBehaviour; }
    void SetCheckBoxBehaviour(bool on);
    bool Value() const { return value; }
    void SetValue(bool on);
    std::string Version() const { return "2.0.6"; }

    /// Stops all drawing until Refresh or the next show.
    void DisableRefresh();
    /// Captures the parent again (Transparent look), derives the palette, lays the caption out
    /// and redraws in the last drawn state.
    void Refresh();

    // Lifecycle and input calls of the container.
    void OnCreate(forms::ControlContainer& host) override;
    void OnInitNew() override;
    void OnLoadSettings() override;
    void OnResize() override;
    void OnShow() override;
    void OnSaveSettings() override;
    void OnHide() override;
    void OnDestroy() override;
    void OnAmbientChanged(std::string_view name) override;
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
    void OnGotFocus() override;
    void OnLostFocus() override;
    void OnTimer() override;

    // Read-only views of the drawing state, for hosts' tools and tests.
    const Palette& CurrentPalette() const { return palette; }
    Rect ContentRect() const { return contentRect; }
    Rect CaptionRect() const { return captionRect; }
    Rect CaptionRectDown() const { return captionRectDown; }
    platform::Point PicturePlace() const { return {pictureX, pictureY}; }
    platform::Point PictureSize() const { return {pictureWidth, pictureHeight}; }
    uint8_t LastDrawnState() const { return lastDrawnState; }
    bool IsReady() const { return ready; }
    bool IsLit() const { return hover; }
    bool HasFocusFlag() const { return focus; }
    int32_t LastCaptionLook() const { return lastCaptionLook; }
    /// How many redraws have passed the early-out and drawn since creation.
    int64_t RedrawCount() const { return redrawCount; }

  private:
    // Redraw pipeline (render.cpp).
    void RenderButton(uint8_t state, bool force);
    void HandleResize();
    void DerivePalette();
    void CreateBackgroundSurface();

    // Drawing primitives on the control's surface (paint.cpp). Rectangles are left, top,
    // width and height; colours plain.
    void PaintRect(int32_t x, int32_t y, int32_t width, int32_t height, Color colour,
                   bool frameOnly);
    void PaintEllipse(int32_t x, int32_t y, int32_t width, int32_t height, Color outline,
                      Color fill);
    void PaintLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color colour);
    void PaintBevel(Color c1, Color c2, Color c3, Color c4, int16_t inset, bool single);
    void PaintPixel(int32_t x, int32_t y, Color colour);
    void PaintFocusRect();
    /// OffsetColor with the control's SoftBevel, proportional off (Off) or on (OffP).
    Color Off(Color colour, int32_t amount) const;
    Color OffP(Color colour, int32_t amount) const;
    /// Corners(c): the four pixels one in from each corner.
    void PaintCorners(Color colour);
    /// The shaded face: lines y = 1..h (downward) or h-1..0 (upward) shifted by -k × i.
    void PaintGradient(Color colour, float k, bool proportional, bool downward);

    // Caption (caption.cpp).
    /// The caption tests' access to the layout inputs and the looks.
    friend struct CaptionProbe;
    void UpdateAccessKey();
    /// PicturePosition as the layout places the picture: a value outside 0..4 as 4.
    int32_t LaidOutPicturePosition() const;
    /// The button's font, realised for drawing.
    std::shared_ptr<const platform::Font> CaptionFont() const;
    /// Where the caption lies in one font: its up rectangle and the size it measures.
    struct CaptionLayout {
        Rect rect;
        int32_t width = 0;
        int32_t height = 0;
    };
    /// The caption laid out in `font` in the room the picture leaves, changing nothing.
    CaptionLayout MeasureCaption(const platform::Font& font);
    void LayoutCaption();
    /// A look of the caption in the button's font and laid-out rectangles.
    void DrawCaption(int32_t look);
    /// A look of the caption in `font`, its up copies in `rect`, its down copies one pixel right
    /// and down.
    void DrawCaption(int32_t look, const platform::Font& font, const Rect& rect);
    void DrawCaptionEffect(const Rect& rect, const platform::Font& font);
    /// Draws the caption in `colour` into `rect`, centred and word-broken.
    void DrawCaptionText(const Rect& rect, Color colour, const platform::Font& font);

    // Pictures (picture.cpp).
    /// The picture tests' access to placement inputs, looks and the compositing step.
    friend struct PictureProbe;
    void MeasurePicture();
    void PlacePicture();
    void DrawPicture(int32_t look);
    void DrawPictureEffect(int32_t offset, const PicturePtr& picture);
    void RenderPicture(int32_t x, int32_t y, int32_t w, int32_t h, const PicturePtr& picture,
                       Color maskColour, int64_t colour, bool darkOnly, bool greyscale, bool blend);

    // Transparent look (background_capture.cpp).
    void CaptureParentBackground();

    // Looks (styles.cpp and style_*.cpp): one function per ButtonType, drawing the recipe of
    // the situation after the Face fill.
    void DrawLook(Situation situation);
    void DrawBordered(Situation situation);
    void DrawClassic(Situation situation);
    void DrawGradient(Situation situation);
    void DrawRounded(Situation situation);
    void DrawOutline(Situation situation);
    void DrawLightBevel(Situation situation);
    void DrawFlat(Situation situation);
    void DrawHoverFlat(Situation situation);
    void DrawAccentHover(Situation situation);
    void DrawTransparent(Situation situation);
    void DrawHoverClassic(Situation situation);
    void DrawOval(Situation situation);
    void DrawGlossy(Situation situation);
    /// The focus frame around the caption of the Outline look.
    void PaintCaptionFocusFrame();
    /// The caption as the Glossy look draws it: at least bold while the host marks the button
    /// default.
    void DrawGlossyCaption(int32_t look);

    // Interaction (interaction.cpp).
    bool PointerIsOver() const;
    /// Raises a mouse event; false when the host's handler destroyed the control. `button`
    /// takes the value the handler left.
    bool RaiseMouseEvent(int32_t number, const char* name, int32_t& button, int32_t shift,
                         int32_t x, int32_t y);
    bool RaiseKeyEvent(int32_t number, const char* name, int32_t& keyCode, int32_t shift);
    /// Runs `raise`, which hands a release to the host, and returns its result. A host handler
    /// that throws leaves no press on the screen: the button is drawn up (if it still exists)
    /// before the error goes on.
    bool RaiseEndingPress(const std::function<bool()>& raise);
    void SetHoverTimer(bool on);

    // Host helpers.
    bool DesignMode() const;
    bool DisplayAsDefault() const;
    platform::Surface& Surface();
    void Notify(const char* key);
    /// Redraw in the last drawn state with force on.
    void RedrawAsIs() { RenderButton(lastDrawnState, true); }
    /// Redraw up with force on.
    void RedrawUp() { RenderButton(kStateUp, true); }
    /// The window's font changed: lay the caption out and redraw up.
    void FontChanged();

    forms::ControlContainer* host = nullptr;

    // Members, in the order of the control's declaration.
    int32_t buttonType = 0;
    int32_t colorScheme = 0;
    int32_t picturePosition = 0;
    int32_t specialEffect = 0;
    int32_t height = 0;
    int32_t width = 0;
    OleColor backColor = 0;
    OleColor backOver = 0;
    OleColor foreColor = 0;
    OleColor foreOver = 0;
    OleColor maskColor = 0;
    bool useMaskColor = false;
    bool useGreyscale = false;
    bool handPointer = false;
    PicturePtr pictureNormal;
    PicturePtr pictureOver;
    std::optional<platform::Surface> backgroundSurface;
    std::string caption;
    Rect captionRect;
    Rect captionRectDown;
    Rect contentRect;
    int32_t captionWidth = 0;
    int32_t captionHeight = 0;
    int32_t pictureX = 0;
    int32_t pictureY = 0;
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    uint8_t lastMouseButton = 0;
    uint8_t lastKeyCode = 0;
    bool enabled = false;
    bool softBevel = false;
    bool focus = false;
    bool showFocusRect = false;
    Palette palette;
    uint8_t lastDrawnState = kStateUp;
    std::string lastDrawnCaption;
    bool ready = false;
    bool hover = false;
    bool capturing = false;
    int32_t lastCaptionLook = 0;
    bool checkBoxBehaviour = false;
    bool value = false;

    int64_t redrawCount = 0;
};

}  // namespace button
