#include "button/vb_button.h"

namespace button {

// Takes the parent's picture under the button into BackgroundSurface. The button is made
// 0 pixels high so the parent paints the area it covers; the flag keeps the control's resize
// handling out of both height changes, so the window shape stays and nothing is redrawn.
// Every step runs whatever became of the one before it.
void vbButton::CaptureParentBackground() {
    if (!backgroundSurface_ || backgroundSurface_->Width() < width_ ||
        backgroundSurface_->Height() < height_ || backgroundSurface_->Grid() != Surface().Grid()) {
        backgroundSurface_.emplace(width_, height_, 0, Surface().Grid());
    }
    capturing_ = true;
    host_.placement->SetHeight(0);
    host_.messages->DispatchPending();
    // The container places the control in its own units; the parent's image is in pixels.
    const int32_t unit = host_.placement->PixelsToContainer(1);
    if (unit > 0) {
        const platform::Point at{host_.placement->Left() / unit, host_.placement->Top() / unit};
        host_.parent->CopyParentArea(platform::Rect::FromSize(at.x, at.y, width_, height_),
                                     *backgroundSurface_);
    }
    host_.placement->SetHeight(host_.placement->PixelsToContainer(height_));
    capturing_ = false;
}

}  // namespace button
