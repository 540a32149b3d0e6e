#include "platform/display/wayland/wayland_cursor.h"

#include "platform/display/wayland/wayland_client_library.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/display/swap_red_blue.h"
#include "platform/display/wayland/surface_scaling.h"

namespace platform {
namespace {

// The arrow's size in logical pixels without XCURSOR_SIZE, as desktops default it.
constexpr int kDefaultCursorSize = 24;

int CursorSize() {
    const char* variable = std::getenv("XCURSOR_SIZE");
    const std::string_view text = variable ? variable : "";
    int size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    return error == std::errc() && end == text.data() + text.size() && size > 0 && size <= 256
               ? size
               : kDefaultCursorSize;
}

}  // namespace

WaylandCursor::WaylandCursor(wl_compositor* compositor, wl_shm* shm)
    : shm_(shm), surface_(wl_compositor_create_surface(compositor)) {}

void WaylandCursor::Set(const PointerImage* picture) {
    if (!picture) {
        if (!picture_) return;
        picture_.reset();
    } else {
        const bool same = picture_ && picture->image == picture_->image &&
                          picture->hotSpotX == picture_->hotSpotX &&
                          picture->hotSpotY == picture_->hotSpotY;
        if (same) return;
        picture_ = *picture;
        pictureBuffer_.reset();
    }
    Show();
}

void WaylandCursor::Entered(wl_pointer* pointer, uint32_t serial, bool onTitleBar,
                            DeviceScale scale) {
    const int32_t bufferScale = (scale.Per120() + DeviceScale::kUnit - 1) / DeviceScale::kUnit;
    if (bufferScale != scale_) {
        // The arrow and the picture are made anew at the new size when next shown.
        scale_ = bufferScale;
        theme_.Reset();
        pictureBuffer_.reset();
    }
    pointer_ = pointer;
    serial_ = serial;
    onTitleBar_ = onTitleBar;
    Show();
}

void WaylandCursor::Show() {
    if (!pointer_) return;
    if (picture_ && !onTitleBar_ && picture_->image.width > 0 && picture_->image.height > 0) {
        ShowPicture();
    } else {
        ShowArrow();
    }
}

void WaylandCursor::ShowArrow() {
    if (!theme_) {
        const char* name = std::getenv("XCURSOR_THEME");
        theme_.Reset(wl_cursor_theme_load(name, CursorSize() * scale_, shm_));
        if (!theme_) return;
    }
    wl_cursor* arrow = wl_cursor_theme_get_cursor(theme_.Get(), "left_ptr");
    if (!arrow) arrow = wl_cursor_theme_get_cursor(theme_.Get(), "default");
    if (!arrow || arrow->image_count == 0) return;  // the compositor's pointer stays
    const wl_cursor_image* image = arrow->images[0];
    // A theme without a picture of this size gives one whose sides the scale may not divide:
    // it is then shown one buffer pixel per screen pixel.
    const bool scalable = image->width % scale_ == 0 && image->height % scale_ == 0;
    const int32_t bufferScale = scalable ? scale_ : 1;
    wl_surface_set_buffer_scale(surface_.Get(), bufferScale);
    wl_surface_attach(surface_.Get(),
                      wl_cursor_image_get_buffer(const_cast<wl_cursor_image*>(image)), 0, 0);
    wl_surface_damage_buffer(surface_.Get(), 0, 0, static_cast<int32_t>(image->width),
                             static_cast<int32_t>(image->height));
    wl_surface_commit(surface_.Get());
    wl_pointer_set_cursor(pointer_, serial_, surface_.Get(),
                          static_cast<int32_t>(image->hotspot_x) / bufferScale,
                          static_cast<int32_t>(image->hotspot_y) / bufferScale);
}

void WaylandCursor::ShowPicture() {
    // Scaled as the windows are: each pixel a block, the hot spot at its block's corner.
    const Image& image = picture_->image;
    const int32_t k = scale_;
    if (!pictureBuffer_) {
        pictureBuffer_ = std::make_unique<ShmBuffer>(shm_, image.width * k, image.height * k,
                                                     WL_SHM_FORMAT_ARGB8888);
        if (!CopyPointerPixels(image, DeviceScale::Whole(k),
                               reinterpret_cast<uint32_t*>(pictureBuffer_->Pixels()))) {
            pictureBuffer_.reset();
            ShowArrow();
            return;
        }
    }
    wl_surface_set_buffer_scale(surface_.Get(), k);
    wl_surface_attach(surface_.Get(), pictureBuffer_->Buffer(), 0, 0);
    wl_surface_damage_buffer(surface_.Get(), 0, 0, image.width * k, image.height * k);
    wl_surface_commit(surface_.Get());
    wl_pointer_set_cursor(pointer_, serial_, surface_.Get(),
                          std::clamp(picture_->hotSpotX, 0, image.width - 1),
                          std::clamp(picture_->hotSpotY, 0, image.height - 1));
}

}  // namespace platform
