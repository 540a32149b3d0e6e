#include "button/vb_button.h"

namespace button {

// Takes the parent's picture under the button into BackgroundSurface. The button is made
// 0 pixels high so the parent paints the area it covers; the flag keeps the control's resize
// handling out of both height changes, so the window shape stays and nothing is redrawn.
// Every step runs whatever became of the one before it.
void vbButton::CaptureParentBackground() {
    if (!backgroundSurface || backgroundSurface->Width() < width ||
        backgroundSurface->Height() < height) {
        backgroundSurface.emplace(width, height);
    }
    capturing = true;
    host.placement->SetHeight(0);
    host.messages->DispatchPending();
    // The container places the control in its own units; the parent's image is in pixels.
    const int32_t unit = host.placement->PixelsToContainer(1);
    if (unit > 0) {
        const platform::Point at{host.placement->Left() / unit, host.placement->Top() / unit};
        host.parent->CopyParentArea(platform::Rect::FromSize(at.x, at.y, width, height),
                                    *backgroundSurface);
    }
    host.placement->SetHeight(host.placement->PixelsToContainer(height));
    capturing = false;
}

}  // namespace button
