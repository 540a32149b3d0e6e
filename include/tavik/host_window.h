#pragma once

/// @file
/// A window that hosts buttons.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tavik/color.h"
#include "tavik/desktop.h"
#include "tavik/vb_button.h"

namespace tavik {

/// Where a button sits in its window: the left and top of its rectangle in the window's client
/// area, and its width and height, in logical pixels (96 dots per inch; the desktop's scale
/// enlarges them on a high-density screen).
struct Place {
    /// Distance from the client area's left edge.
    int32_t left = 0;
    /// Distance from the client area's top edge.
    int32_t top = 0;
    /// The button's width.
    int32_t width = 0;
    /// The button's height.
    int32_t height = 0;
};

/// A top-level window of fixed size that hosts buttons: a form of the program, painted in its
/// background colour, with a title bar and a close box. The user's closing it ends
/// Desktop::Run. It owns its buttons, which live as long as it does.
class HostWindow {
  public:
    /// A hidden window titled `caption` whose client area is `width` × `height` logical
    /// pixels, centred on the screen when it is first shown. `desktop` must outlive it.
    HostWindow(Desktop& desktop, const std::string& caption, int32_t width, int32_t height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    /// The background colour; the system colour of a button's face at first.
    OleColor BackColor() const;
    /// Sets the background colour and paints the window again.
    void SetBackColor(OleColor colour);

    /// A new button at `place`, as a designer places one: its properties are those of a new
    /// instance (ButtonType 2, ColorScheme 1, the system's button colours) and its Caption is
    /// `name`. It is shown with the window. Buttons take the keyboard focus in the order they
    /// are added.
    vbButton& AddButton(const std::string& name, const Place& place);
    /// A button at `place` whose properties are loaded from `settings`, the bytes that
    /// vbButton::SaveSettings gave (the stored settings' layout is described there). A key the
    /// settings lack takes its default. Throws std::invalid_argument, adding no button, when
    /// the bytes are not stored settings or a setting has the wrong type.
    vbButton& AddButton(const std::string& name, const Place& place,
                        const std::vector<uint8_t>& settings);

    /// Shows the window and its buttons.
    void Show();

  private:
    friend struct Internals;
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace tavik
