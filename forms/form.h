#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/geometry.h"
#include "platform/objects/font_desc.h"
#include "platform/objects/ole_color.h"
#include "platform/objects/picture.h"
#include "platform/ui/window.h"
#include "platform/ui/window_system.h"

namespace forms {

class LightControl;
class Timer;

/// What a form is made from: the window's settings as the design data stores them.
struct FormDesign {
    std::string caption;
    platform::WindowRole role = platform::WindowRole::Main;
    bool bordered = true;
    int32_t widthTwips = 0;   // client area
    int32_t heightTwips = 0;  // client area
    bool centred = false;
    platform::OleColor backColor = platform::SystemColorRef(platform::SystemColorIndex::ButtonFace);
    std::shared_ptr<const platform::Picture> picture;  // drawn unscaled at the client origin
    platform::IconImages icon;
    platform::FontDesc font;  // the default font of the form's controls
};

/// A top-level window made from design data. It is drawn on demand: its background (colour,
/// then picture) and its light controls are drawn wherever a frame or a control's background
/// needs them, so the form keeps no window-sized surface. It routes clicks and the pointer to
/// its light controls, drives its timers, and runs the load and close-request handlers.
///
/// Handlers may close, hide or destroy the form; the form touches nothing of itself after a
/// handler returns unless it is still alive.
class Form : public platform::Window {
  public:
    Form(platform::WindowSystem& system, const FormDesign& design);
    ~Form() override;

    platform::OleColor BackColor() const { return backColor_; }
    /// Sets the background colour (an OLE colour) and repaints.
    void SetBackColor(platform::OleColor ole);
    const platform::FontDesc& Font() const { return font_; }
    /// Sets the picture drawn unscaled at the client origin (none when null) and repaints.
    void SetPicture(const std::shared_ptr<const platform::Picture>& picture);
    /// Sets the picture `file` holds, as SetPicture with the picture it decodes to. Only the
    /// start of the file is read now, to refuse one that does not decode; the part that shows
    /// is decoded when the form is first drawn, and a file that fails only further on then shows
    /// no picture. Throws the decoder's error.
    void SetPictureFile(std::span<const uint8_t> file);

    /// Runs the load handler, once, before the form is first shown.
    void SetLoadHandler(std::function<void()> handler) { loadHandler_ = std::move(handler); }
    /// A close request (the close box, Alt+F4, Close()): the handler sets `cancel` to keep the
    /// form open.
    void SetCloseRequestHandler(std::function<void(bool& cancel)> handler) {
        closeHandler_ = std::move(handler);
    }
    /// A click on the form itself: its background, or a light control that takes no mouse.
    void SetClickHandler(std::function<void()> handler) { clickHandler_ = std::move(handler); }
    /// A character typed while the form itself has the focus.
    void SetKeyPressHandler(std::function<void(int32_t& charCode)> handler) {
        keyPressHandler_ = std::move(handler);
    }

    /// Loads the form if it was not yet loaded, then shows it. Returns false when the load
    /// handler destroyed or closed the form.
    bool ShowForm();
    /// Loads the form, shows it and runs a modal loop until it is hidden or destroyed.
    void ShowModal();

    /// Paints the rectangle (client pixels) again when the message loop next paints.
    void RepaintArea(const platform::Rect& rect);
    /// The topmost visible light control at a client point that takes the mouse, or null.
    LightControl* LightControlAt(platform::Point client) const;

    void DrawArea(platform::Surface& into, platform::Point origin,
                  const platform::Rect& area) const override;
    void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int32_t buttons, int32_t shift, int32_t x, int32_t y) override;
    void OnClick() override;
    void OnKeyPress(int32_t& charCode) override;
    void OnTimer(int32_t id) override;
    bool OnCloseRequest() override;
    void OnShow() override;
    void OnHide() override;
    /// A frame named by its caption, with its light controls as its windowless parts.
    platform::AccessibleDescription Describe() const override;
    std::vector<platform::AccessiblePart> DescribeParts() const override;
    void OnAccessibleAction(int32_t part, std::string_view action) override;

  private:
    friend class LightControl;
    friend class Timer;

    bool Load();
    int32_t AddTimer(Timer& timer);
    void RemoveTimer(int32_t id);

    // The part of the picture that the client area shows (and a column and row more: at a
    // scale that is not whole the device pixels at the edge blend with the picture's next
    // pixels); null when the form has no picture or its file fails further on.
    const platform::ImagePart* ShownPicture() const;

    platform::OleColor backColor_;
    // The picture's file, and while the form is shown the part of it that shows, decoded when
    // first drawn: a hidden form holds no pixels of it.
    std::vector<uint8_t> pictureFile_;
    mutable std::optional<platform::Result<platform::ImagePart>> shownPicture_;
    platform::FontDesc font_;
    std::vector<LightControl*> lightControls_;  // bottom of the z-order first
    std::vector<std::pair<int32_t, Timer*>> timers_;
    int32_t nextTimerId_ = 1;
    LightControl* pressed_ = nullptr;  // the light control under the last left press
    bool loaded_ = false;

    std::function<void()> loadHandler_;
    std::function<void(bool&)> closeHandler_;
    std::function<void()> clickHandler_;
    std::function<void(int32_t&)> keyPressHandler_;
};

}  // namespace forms
