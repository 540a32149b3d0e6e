#pragma once

/// @file
/// The vbButton control as a host program sees it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tavik/color.h"
#include "tavik/font.h"
#include "tavik/picture.h"

namespace tavik {

struct Internals;

/// The looks of a button, by their ButtonType number; each has a page of its own in the
/// reference documentation. A number outside 1..14 is kept and drawn as the face and the
/// picture alone.
enum class Look : int32_t {
    Bordered = 1,  ///< double bevel inside a dark frame
    Classic,       ///< double 3-D bevel, dark frame when the window's default button
    Gradient,      ///< shaded face, blue rounded frame, coloured hover and focus borders
    Rounded,       ///< light face in a dark frame with rounded corners
    Outline,       ///< flat face in a thin frame, focus frame around the caption
    LightBevel,    ///< double bevel in lightened and shadow colours
    Flat,          ///< single thin bevel
    HoverFlat,     ///< flat, single bevel while the pointer is over it
    AccentHover,   ///< flat, accent-coloured box while the pointer is over it
    PictureOnly,   ///< face and picture only, no caption
    Transparent,   ///< copy of the window's background behind it, with the caption
    HoverClassic,  ///< flat, double 3-D bevel while the pointer is over it
    Oval,          ///< elliptical face and window
    Glossy,        ///< vertical gradient with a bright inner corner
};

/// The mouse buttons, as the Button argument of the mouse events gives them.
enum MouseButtons : int16_t {
    kLeftButton = 1,    ///< the left mouse button
    kRightButton = 2,   ///< the right mouse button
    kMiddleButton = 4,  ///< the middle mouse button
};

/// The keys held, as the Shift argument of the mouse and key events gives them.
enum ShiftKeys : int16_t {
    kShiftKey = 1,  ///< Shift
    kCtrlKey = 2,   ///< Ctrl
    kAltKey = 4,    ///< Alt
};

/// The reusable owner-drawn push button "Tavik.vbButton": fourteen looks, four colour schemes,
/// pictures, window shapes, and check-box behaviour. A HostWindow makes it (AddButton) and owns
/// it.
///
/// Setters never reject a value but where they say so: whatever is given is stored, saved
/// with the settings and drawn as the looks define it. Each setter then redraws the button.
/// Events are raised to the host before the button's own reaction, and their arguments are
/// passed by reference: a handler may change them, and the button reads `button` and
/// `keyCode` back after the handler returns.
class vbButton {
  public:
    ~vbButton();
    vbButton(const vbButton&) = delete;
    vbButton& operator=(const vbButton&) = delete;

    /** @name Colours */
    /** @{ */
    /// The face colour used by ColorScheme 2. A new button takes the system's button face as a
    /// plain colour.
    OleColor BackColor() const;
    /// Sets BackColor.
    void SetBackColor(OleColor colour);
    /// The face colour while the pointer is over the button, ColorScheme 2; a new button takes
    /// BackColor.
    OleColor BackOver() const;
    /// Sets BackOver.
    void SetBackOver(OleColor colour);
    /// The caption colour, ColorScheme 2. A new button takes the system's button text as a
    /// plain colour.
    OleColor ForeColor() const;
    /// Sets ForeColor.
    void SetForeColor(OleColor colour);
    /// The caption colour while the pointer is over the button, ColorScheme 2; a new button
    /// takes ForeColor.
    OleColor ForeOver() const;
    /// Sets ForeOver.
    void SetForeOver(OleColor colour);
    /// The colour of the pictures that is transparent when UseMaskColor is on; 0xC0C0C0 in a
    /// new button.
    OleColor MaskColor() const;
    /// Sets MaskColor.
    void SetMaskColor(OleColor colour);
    /// The palette: 1 the system colours (a new button's), 2 the four colour properties, 3 a
    /// fixed grey palette, 4 the colours of the window it stands in; any other value acts as
    /// 1.
    int32_t ColorScheme() const;
    /// Sets ColorScheme.
    void SetColorScheme(int32_t scheme);
    /// Whether all colour shifts of the palette and of the edges are halved; off in a new
    /// button.
    bool SoftBevel() const;
    /// Sets SoftBevel.
    void SetSoftBevel(bool on);
    /** @} */

    /** @name Look and caption */
    /** @{ */
    /// The visual style, 1 to 14 (see Look); 2 in a new button. Other values are stored and
    /// draw no style.
    int32_t ButtonType() const;
    /// Sets ButtonType; the window's shape follows it.
    void SetButtonType(int32_t type);
    /// Sets ButtonType to one of the fourteen looks.
    void SetLook(Look look) { SetButtonType(static_cast<int32_t>(look)); }
    /// The button's text (UTF-8); one "&" marks the next character as the access key (Alt and
    /// that key click the button), "&&" is a "&" itself. The button's default property.
    const std::string& Caption() const;
    /// Sets Caption.
    void SetCaption(std::string text);
    /// The caption effect: 0 none (a new button's), 1 raised, 2 sunken, 3 or more a drop
    /// shadow.
    int32_t SpecialEffect() const;
    /// Sets SpecialEffect.
    void SetSpecialEffect(int32_t effect);
    /// Whether the focus rectangle is drawn, and the button lit, while it has the keyboard
    /// focus; on in a new button.
    bool ShowFocusRect() const;
    /// Sets ShowFocusRect.
    void SetShowFocusRect(bool on);
    /** @} */

    /** @name Font */
    /** @{ */
    /// The caption's font; a new button takes its window's.
    tavik::Font Font() const;
    /// Sets Font. Throws std::invalid_argument, changing nothing, for a size outside 0.0001 to
    /// 429 496.7295 points or a name longer than 255 bytes.
    void SetFont(const tavik::Font& font);
    /// Font's bold attribute.
    bool FontBold() const;
    /// Sets Font's bold attribute.
    void SetFontBold(bool on);
    /// Font's italic attribute.
    bool FontItalic() const;
    /// Sets Font's italic attribute.
    void SetFontItalic(bool on);
    /// Font's underline attribute.
    bool FontUnderline() const;
    /// Sets Font's underline attribute.
    void SetFontUnderline(bool on);
    /// Font's size rounded to whole points, halves to even. Throws std::overflow_error from
    /// 32767.5 points up.
    int16_t FontSize() const;
    /// Sets Font's size in points; throws std::invalid_argument, changing nothing, where
    /// SetFont would.
    void SetFontSize(float points);
    /// Font's face name.
    const std::string& FontName() const;
    /// Sets Font's face name; throws std::invalid_argument, changing nothing, for a name
    /// longer than 255 bytes.
    void SetFontName(std::string name);
    /** @} */

    /** @name Pictures */
    /** @{ */
    /// The picture drawn on the button; none in a new button.
    Picture PictureNormal() const;
    /// Sets PictureNormal; the caption makes room for it.
    void SetPictureNormal(const Picture& picture);
    /// The picture drawn instead while the pointer is over the button; none in a new button.
    Picture PictureOver() const;
    /// Sets PictureOver.
    void SetPictureOver(const Picture& picture);
    /// Where the picture goes: 0 left of the caption (a new button's), 1 right of it, 2 above
    /// it, 3 below it, 4 centred behind it.
    int32_t PicturePosition() const;
    /// Sets PicturePosition.
    void SetPicturePosition(int32_t position);
    /// Whether MaskColor is transparent in the pictures; on in a new button.
    bool UseMaskColor() const;
    /// Sets UseMaskColor.
    void SetUseMaskColor(bool on);
    /// Whether the picture is drawn in grey tones; off in a new button.
    bool UseGreyscale() const;
    /// Sets UseGreyscale.
    void SetUseGreyscale(bool on);
    /** @} */

    /** @name Pointer */
    /** @{ */
    /// The pointer's shape over the button, as the desktop numbers it: 0 the default (a new
    /// button's), 1 the arrow, 99 MouseIcon.
    int32_t MousePointer() const;
    /// Sets MousePointer. Throws std::overflow_error, changing nothing, outside -32768..32767.
    void SetMousePointer(int32_t pointer);
    /// The pointer's image while MousePointer is 99; none in a new button.
    Picture MouseIcon() const;
    /// Sets MouseIcon.
    void SetMouseIcon(const Picture& icon);
    /// Whether the pointing-hand pointer shows over the button; off in a new button. Turning
    /// it on sets MousePointer 99 with the hand as MouseIcon; off, MousePointer 1 and no
    /// MouseIcon.
    bool HandPointer() const;
    /// Sets HandPointer.
    void SetHandPointer(bool on);
    /** @} */

    /** @name State */
    /** @{ */
    /// Whether the button takes input; off draws the disabled look. On in a new button.
    bool Enabled() const;
    /// Sets Enabled.
    void SetEnabled(bool on);
    /// Whether each click toggles Value, the button staying down while Value is on; off in a
    /// new button.
    bool CheckBoxBehaviour() const;
    /// Sets CheckBoxBehaviour.
    void SetCheckBoxBehaviour(bool on);
    /// The check state, drawn only while CheckBoxBehaviour is on; off in a new button.
    bool Value() const;
    /// Sets Value.
    void SetValue(bool on);
    /// The handle of the button's window; read only.
    int32_t hwnd() const;
    /// The control's version, "2.0.6"; read only.
    std::string Version() const;
    /** @} */

    /** @name Methods */
    /** @{ */
    /// Stops all drawing, whatever properties change, until Refresh: a host changes many
    /// properties and draws once.
    void DisableRefresh();
    /// Derives the palette and lays the caption out again, allows drawing and redraws.
    void Refresh();
    /// The button's settings in the stored settings' byte layout, which
    /// HostWindow::AddButton loads back. Every property is saved but hwnd and Version;
    /// MousePointer and MouseIcon come back as HandPointer sets them.
    ///
    /// The layout, all numbers little-endian: a 17-byte header (2D 4C 42 09 00, a 32-bit
    /// length L, the constant 0x0000B293, L again; L counts every byte after the first L),
    /// then one entry per key, 4-byte aligned: value type (16 bits: 2 16-bit integer, 3
    /// 32-bit integer, 8 string, 9 object, 11 Boolean), the name's length in UTF-16 units (16
    /// bits), its hash (32 bits: for each unit of the lower-case name, rotate left by 13 and
    /// XOR the unit in), the entry's size (32 bits; in the last entry the negative of its
    /// offset from the first), the lower-case name in UTF-16LE and the value. A Boolean is 16
    /// bits with true as 0xFFFF; a string a 32-bit count of UTF-16 units and the units; a font
    /// or a picture its class identifier and its persisted stream. The keys, in order: the
    /// window's extent "_extentx" and "_extenty" (HIMETRIC), then "BTYPE", "TX", "ENAB",
    /// "FONT", "COLTYPE", "FOCUSR", "BCOL", "BCOLO", "FCOL", "FCOLO", "MCOL", "MPTR", "MICON",
    /// "PICN", "PICH" (PictureOver), "UMCOL", "SOFT", "PICPOS", "NGREY", "FX", "HAND",
    /// "CHECK", "VALUE"; a picture that is none leaves no entry.
    std::vector<uint8_t> SaveSettings();
    /** @} */

    /** @name Events
     * Each setter replaces the event's handler; an empty function removes it. */
    /** @{ */
    /// Click: a left-button click, the access key, or the release of the space bar, after the
    /// button is drawn up. A check box has toggled Value by then.
    void OnClick(std::function<void()> handler);
    /// MouseDown: every mouse press on the button, before it reacts. `button` is one of
    /// MouseButtons, `shift` the ShiftKeys held, `x` and `y` the pointer in the button's
    /// pixels.
    void OnMouseDown(
        std::function<void(int16_t& button, int16_t& shift, float& x, float& y)> handler);
    /// MouseMove: every move of the pointer over the button (or while it holds the mouse),
    /// before it reacts; `button` holds every mouse button held.
    void OnMouseMove(
        std::function<void(int16_t& button, int16_t& shift, float& x, float& y)> handler);
    /// MouseUp: every mouse release over the button, before it reacts.
    void OnMouseUp(
        std::function<void(int16_t& button, int16_t& shift, float& x, float& y)> handler);
    /// KeyPress: every character typed while the button has the focus.
    void OnKeyPress(std::function<void(int16_t& keyAscii)> handler);
    /// KeyDown: every key pressed while the button has the focus, before it reacts.
    void OnKeyDown(std::function<void(int16_t& keyCode, int16_t& shift)> handler);
    /// KeyUp: every key released while the button has the focus, before it reacts.
    void OnKeyUp(std::function<void(int16_t& keyCode, int16_t& shift)> handler);
    /// MouseOver: the pointer came onto the button with no mouse button held.
    void OnMouseOver(std::function<void()> handler);
    /// MouseOut: the pointer has left the button.
    void OnMouseOut(std::function<void()> handler);
    /** @} */

  private:
    friend struct Internals;
    struct Parts;
    explicit vbButton(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

}  // namespace tavik
