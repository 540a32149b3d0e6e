#include "platform/display/wayland/wayland_window.h"

#include "platform/display/wayland/wayland_client_library.h"

#include <algorithm>
#include <utility>

#include "fractional-scale-v1-client-protocol.h"
#include "platform/ui/keys.h"
#include "viewporter-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace platform {
namespace {

// Buffers a window keeps at most: one on the screen, one being drawn, one more while the
// compositor still holds both.
constexpr size_t kMaxBuffers = 3;

}  // namespace

WaylandWindow::WaylandWindow(const WaylandWindowContext& context, const NativeWindowDesc& desc,
                             WaylandWindow* owner, std::function<void()> onClose,
                             std::function<void(DeviceScale)> onScale)
    : context_(context),
      pixels_(desc.pixels),
      onClose_(std::move(onClose)),
      onScale_(std::move(onScale)),
      title_(desc.title),
      role_(desc.role),
      bordered_(desc.bordered),
      size_{std::max(1, desc.clientSize.width), std::max(1, desc.clientSize.height)},
      opacity_(desc.opacity),
      scale_(desc.scale),
      compositorScale_(LargestScale(*context.outputs)) {
    surface_.Reset(wl_compositor_create_surface(context_.compositor));
    static const wl_surface_listener surfaceListener{
        .enter = OnEnter,
        .leave = OnLeave,
    };
    wl_surface_add_listener(surface_.Get(), &surfaceListener, this);
    if (context_.viewporter)
        viewport_.Reset(wp_viewporter_get_viewport(context_.viewporter, surface_.Get()));
    if (context_.fractionalScales) {
        static const wp_fractional_scale_v1_listener fractionalListener{OnPreferredScale};
        fractional_.Reset(wp_fractional_scale_manager_v1_get_fractional_scale(
            context_.fractionalScales, surface_.Get()));
        wp_fractional_scale_v1_add_listener(fractional_.Get(), &fractionalListener, this);
    }
    static const xdg_surface_listener shellListener{OnShellConfigure};
    static const xdg_toplevel_listener toplevelListener{
        .configure = OnToplevelConfigure,
        .close = OnToplevelClose,
        .configure_bounds = [](void*, xdg_toplevel*, int32_t, int32_t) {},
        .wm_capabilities = [](void*, xdg_toplevel*, wl_array*) {},
    };
    shellSurface_.Reset(xdg_wm_base_get_xdg_surface(context_.shell, surface_.Get()));
    xdg_surface_add_listener(shellSurface_.Get(), &shellListener, this);
    toplevel_.Reset(xdg_surface_get_toplevel(shellSurface_.Get()));
    xdg_toplevel_add_listener(toplevel_.Get(), &toplevelListener, this);
    xdg_toplevel_set_title(toplevel_.Get(), desc.title.c_str());
    xdg_toplevel_set_app_id(toplevel_.Get(), context_.appId.c_str());
    ShowScaling();
    if (owner) xdg_toplevel_set_parent(toplevel_.Get(), owner->toplevel_.Get());
    // The window's position is the compositor's choice: Wayland gives clients none.
    if (context_.decorations) {
        // Bordered windows ask for the compositor's frame, the others for none at all.
        static const zxdg_toplevel_decoration_v1_listener decorationListener{OnDecorationConfigure};
        decoration_.Reset(zxdg_decoration_manager_v1_get_toplevel_decoration(context_.decorations,
                                                                             toplevel_.Get()));
        zxdg_toplevel_decoration_v1_add_listener(decoration_.Get(), &decorationListener, this);
        zxdg_toplevel_decoration_v1_set_mode(
            decoration_.Get(), desc.bordered ? ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE
                                             : ZXDG_TOPLEVEL_DECORATION_V1_MODE_CLIENT_SIDE);
    } else if (desc.bordered) {
        ShowTitleBar(true);
    }
    // The first commit, without a buffer, asks the compositor for the window's first configure.
    wl_surface_commit(surface_.Get());
}

wl_surface* WaylandWindow::TitleBarSurface() const {
    return titleBar_ ? titleBar_->WlSurface() : nullptr;
}

void WaylandWindow::ShowTitleBar(bool shown) {
    if (shown == (titleBar_ != nullptr)) return;
    if (shown) {
        titleBar_ = std::make_unique<WaylandTitleBar>(context_, surface_.Get(), size_.width, title_,
                                                      scale_, compositorScale_);
        titleBar_->SetLook({active_, false});
    } else {
        titleBar_.reset();
    }
    SetGeometry();
}

void WaylandWindow::SetGeometry() {
    // The window's own title bar lies above the client area, within the window.
    const Size size = shownScaling_->size;
    const int32_t bar = titleBar_ ? titleBar_->GridHeight() : 0;
    const Rect geometry{0, -bar, size.width, size.height};
    if (geometry == geometry_) return;
    geometry_ = geometry;
    xdg_surface_set_window_geometry(shellSurface_.Get(), geometry.left, geometry.top,
                                    geometry.Width(), geometry.Height());
}

void WaylandWindow::TitleBarPointer(Point at) {
    const Point logical{scale_.LogicalAt(at.x), scale_.LogicalAt(at.y)};
    if (titleBar_) titleBar_->SetLook({active_, CloseBoxRect(size_.width).Contains(logical)});
}

void WaylandWindow::TitleBarPointerLeft() {
    closePressed_ = false;
    if (titleBar_) titleBar_->SetLook({active_, false});
}

void WaylandWindow::TitleBarButton(int32_t button, bool down, Point at, uint32_t serial) {
    if (!titleBar_ || !context_.seat) return;
    const bool onClose =
        CloseBoxRect(size_.width).Contains({scale_.LogicalAt(at.x), scale_.LogicalAt(at.y)});
    if (button == kButtonLeft && down && !onClose) {
        // The compositor moves the window while the button stays down.
        xdg_toplevel_move(toplevel_.Get(), context_.seat, serial);
    } else if (button == kButtonLeft) {
        // The close box closes on release over it, after a press on it, as push buttons do.
        if (!down && closePressed_ && onClose) onClose_();
        closePressed_ = down && onClose;
    } else if (button == kButtonRight && down) {
        // At the place on the compositor's grid, relative to the client area.
        xdg_toplevel_show_window_menu(toplevel_.Get(), context_.seat, serial,
                                      compositorScale_.LogicalAt(at.x),
                                      compositorScale_.LogicalAt(at.y) - titleBar_->GridHeight());
    }
}

Rect WaylandWindow::DeviceBounds() const {
    return {0, 0, scale_.Edge(size_.width), scale_.Edge(size_.height)};
}

SurfaceScaling WaylandWindow::Scaling() const {
    const Rect device = DeviceBounds();
    return ScalingOf({device.Width(), device.Height()}, compositorScale_, context_.viewportUse);
}

void WaylandWindow::ShowScaling() {
    // The bar may change while the client area keeps its size on the grid (from 1.5 to 2).
    if (titleBar_) titleBar_->SetScale(scale_, compositorScale_);
    const SurfaceScaling scaling = Scaling();
    if (scaling != shownScaling_) {
        shownScaling_ = scaling;
        wl_surface_set_buffer_scale(surface_.Get(), scaling.bufferScale);
        if (viewport_) {
            const Size to = scaling.destination.value_or(Size{-1, -1});  // -1: no destination
            wp_viewport_set_destination(viewport_.Get(), to.width, to.height);
        }
        // The window keeps its size on the compositor's grid whatever the compositor suggests.
        xdg_toplevel_set_min_size(toplevel_.Get(), scaling.size.width, scaling.size.height);
        xdg_toplevel_set_max_size(toplevel_.Get(), scaling.size.width, scaling.size.height);
    }
    SetGeometry();
}

void WaylandWindow::SetScale(DeviceScale scale) {
    if (scale == scale_) return;
    scale_ = scale;
    // Buffers of the old size go once the compositor has released them (FreeBuffer); the
    // next picture is a whole one.
    MarkBuffersStale();
    if (configured_) pending_ = DeviceBounds();
}

void WaylandWindow::CompositorScaleChanged(DeviceScale scale) {
    if (scale == compositorScale_) return;
    compositorScale_ = scale;
    onScale_(scale);
}

void WaylandWindow::FollowOutputs() {
    // A window on no output (hidden, say) keeps its scale.
    if (fractional_ || outputs_.empty()) return;
    int32_t largest = 1;
    for (const WaylandOutput& output : *context_.outputs)
        if (std::ranges::find(outputs_, output.output.Get()) != outputs_.end())
            largest = std::max(largest, output.scale);
    CompositorScaleChanged(DeviceScale::Whole(largest));
}

void WaylandWindow::MarkBuffersStale() {
    for (Buffer& buffer : buffers_)
        buffer.stale = DeviceBounds();
}

void WaylandWindow::Present(const Rect& changed) {
    drawn_ = true;
    pending_ = pending_.Union(changed);
    Commit();
}

void WaylandWindow::SetOpacity(uint8_t opacity) {
    if (opacity == opacity_) return;
    opacity_ = opacity;
    MarkBuffersStale();
    pending_ = DeviceBounds();
    Commit();
}

void WaylandWindow::Configured() {
    if (!configured_) {
        configured_ = true;
        pending_ = DeviceBounds();
    }
    // A configure takes effect with the next commit, which need not bring a new picture.
    if (!Commit()) wl_surface_commit(surface_.Get());
}

WaylandWindow::Buffer* WaylandWindow::FreeBuffer() {
    const uint32_t format = Translucent() ? context_.translucentFormat : context_.opaqueFormat;
    const Rect device = DeviceBounds();
    // Buffers of another format or size (from before the opacity or the scale changed) go once
    // released.
    std::erase_if(buffers_, [&](const Buffer& buffer) {
        const ShmBuffer& shm = *buffer.shm;
        return !shm.Busy() && (shm.Format() != format || shm.Width() != device.Width() ||
                               shm.Height() != device.Height());
    });
    for (Buffer& buffer : buffers_)
        if (!buffer.shm->Busy()) return &buffer;
    if (buffers_.size() >= kMaxBuffers) return nullptr;
    buffers_.push_back(
        {std::make_unique<ShmBuffer>(context_.shm, device.Width(), device.Height(), format),
         device});
    return &buffers_.back();
}

bool WaylandWindow::Commit() {
    if (!configured_ || !drawn_ || frameCallback_ || pending_.IsEmpty()) return false;
    // With every buffer held by the compositor, the picture waits for the next frame.
    Buffer* buffer = FreeBuffer();
    if (buffer == nullptr) return false;
    const Rect bounds = DeviceBounds();
    // The window system composes what the buffer lacks now: no other copy of the picture is
    // kept.
    const Rect wanted = buffer->stale.Union(pending_).Intersect(bounds);
    const Surface pixels = pixels_(wanted);
    if (pixels.DeviceArea().IsEmpty()) return false;  // the window is gone
    const Rect area = wanted.Intersect(pixels.DeviceArea());
    ShmBuffer& shm = *buffer->shm;
    if (!area.IsEmpty()) {
        uint8_t* to = shm.Pixels() + static_cast<ptrdiff_t>(area.top) * shm.Pitch() +
                      static_cast<ptrdiff_t>(area.left) * 4;
        if (Translucent()) {
            CopyPremultiplied(pixels, area, context_.order, opacity_, to, shm.Pitch());
        } else {
            CopyOpaque(pixels, area, context_.order, to, shm.Pitch());
        }
    }
    for (Buffer& other : buffers_)
        other.stale = &other == buffer ? Rect{} : other.stale.Union(pending_);
    const Rect damage = pending_.Intersect(bounds);
    pending_ = Rect{};
    ShowScaling();
    wl_surface_attach(surface_.Get(), shm.Buffer(), 0, 0);
    wl_surface_damage_buffer(surface_.Get(), damage.left, damage.top, damage.Width(),
                             damage.Height());
    static const wl_callback_listener frameListener{OnFrameDone};
    frameCallback_.Reset(wl_surface_frame(surface_.Get()));
    wl_callback_add_listener(frameCallback_.Get(), &frameListener, this);
    wl_surface_commit(surface_.Get());
    shm.Attached();
    return true;
}

void WaylandWindow::OnFrameDone(void* data, wl_callback*, uint32_t) {
    auto* window = static_cast<WaylandWindow*>(data);
    window->frameCallback_.Reset();
    window->Commit();
}

void WaylandWindow::OnShellConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    static_cast<WaylandWindow*>(data)->Configured();
}

void WaylandWindow::OnToplevelConfigure(void* data, xdg_toplevel*, int32_t, int32_t,
                                        wl_array* states) {
    // The window keeps its size whatever the compositor suggests; only whether it has the
    // keyboard matters, to its title bar.
    auto* window = static_cast<WaylandWindow*>(data);
    const auto* first = static_cast<const uint32_t*>(states->data);
    const auto* last = first + states->size / sizeof(uint32_t);
    window->active_ = std::find(first, last, XDG_TOPLEVEL_STATE_ACTIVATED) != last;
    if (window->titleBar_) window->titleBar_->SetLook({window->active_, false});
}

void WaylandWindow::OnToplevelClose(void* data, xdg_toplevel*) {
    static_cast<WaylandWindow*>(data)->onClose_();
}

void WaylandWindow::OnDecorationConfigure(void* data, zxdg_toplevel_decoration_v1*, uint32_t mode) {
    auto* window = static_cast<WaylandWindow*>(data);
    // A compositor that will not frame a bordered window leaves the frame to the program.
    window->ShowTitleBar(window->bordered_ && mode == ZXDG_TOPLEVEL_DECORATION_V1_MODE_CLIENT_SIDE);
}

void WaylandWindow::OnPreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale) {
    static_cast<WaylandWindow*>(data)->CompositorScaleChanged(DeviceScale::FromPer120(scale));
}

void WaylandWindow::OnEnter(void* data, wl_surface*, wl_output* output) {
    auto* window = static_cast<WaylandWindow*>(data);
    // Only outputs the program knows count, each once: the list stays as short as theirs.
    const auto& known = *window->context_.outputs;
    const bool isKnown = std::ranges::any_of(
        known, [output](const WaylandOutput& o) { return o.output.Get() == output; });
    if (!isKnown || std::ranges::find(window->outputs_, output) != window->outputs_.end()) return;
    window->outputs_.push_back(output);
    window->FollowOutputs();
}

void WaylandWindow::OnLeave(void* data, wl_surface*, wl_output* output) {
    auto* window = static_cast<WaylandWindow*>(data);
    if (std::erase(window->outputs_, output) > 0) window->FollowOutputs();
}

}  // namespace platform
