#pragma once

#include <memory>

#include "platform/objects/ole_color.h"
#include "platform/objects/picture.h"
#include "platform/ui/window.h"

namespace forms {

class Form;

/// A child window showing a picture on a background colour: the picture at its natural size
/// with its top-left corner at the client origin, or stretched over the whole client area.
class PictureStrip : public platform::Window {
  public:
    /// A shown strip with the window background colour and no picture.
    PictureStrip(Form& form, platform::Rect bounds);

    platform::OleColor BackColor() const { return backColor_; }
    void SetBackColor(platform::OleColor ole);
    void SetPicture(std::shared_ptr<const platform::Picture> picture);
    void SetStretched(bool stretched);

    /// Pixels: the client area filled with the back colour, then the picture drawn with
    /// DrawImage (alpha blended). Stretched, client pixel (x, y) shows picture pixel
    /// (x × picture width / client width, y × picture height / client height), truncated.
    void Paint(platform::Surface& surface) override;

  private:
    platform::OleColor backColor_ = platform::SystemColorRef(platform::SystemColorIndex::Window);
    std::shared_ptr<const platform::Picture> picture_;
    bool stretched_ = false;
};

}  // namespace forms
