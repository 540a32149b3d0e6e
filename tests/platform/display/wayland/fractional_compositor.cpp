#include "tests/platform/display/wayland/fractional_compositor.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdlib>
#include <future>
#include <mutex>
#include <stdexcept>
#include <utility>

// The Wayland headers come after ours, like every platform header.
#include <wayland-server.h>

#include "fractional-scale-v1-server-protocol.h"
#include "viewporter-server-protocol.h"
#include "xdg-shell-server-protocol.h"

namespace platform {

/// What the compositor's thread keeps; only that thread touches it.
struct FractionalCompositor::Server {
    wl_display* display = nullptr;
    int wake = -1;  // an eventfd: tasks are waiting
    wl_event_source* wakeSource = nullptr;
    std::mutex tasksMutex;
    std::vector<std::function<void()>> tasks;
    bool running = true;
    uint32_t preferredScale = 120;
    std::vector<wl_resource*> fractionals;
    std::vector<Commit> commits;
    uint32_t serial = 0;
};

namespace {

using Server = FractionalCompositor::Server;

/// A wl_surface and the state its next commit applies.
struct SurfaceState {
    Server* server = nullptr;
    wl_resource* buffer = nullptr;  // attached since the last commit
    wl_listener bufferGone{};
    std::optional<Size> destination;
    int32_t bufferScale = 1;
    std::vector<wl_resource*> frames;  // answered by the next commit
    // The roles' objects, which a client gives up only together with the surface.
    wl_resource* xdgSurface = nullptr;
    wl_resource* toplevel = nullptr;
    bool configured = false;
};

SurfaceState& StateOf(wl_resource* resource) {
    return *static_cast<SurfaceState*>(wl_resource_get_user_data(resource));
}

void Destroy(wl_client*, wl_resource* resource) {
    wl_resource_destroy(resource);
}

template <typename... Args>
void Ignore(wl_client*, wl_resource*, Args...) {}

// The buffer's pixels, as the commit that shows them finds them.
void CopyPixels(wl_resource* buffer, FractionalCompositor::Commit& commit) {
    wl_shm_buffer* shm = wl_shm_buffer_get(buffer);
    if (!shm) return;
    commit.buffer = {wl_shm_buffer_get_width(shm), wl_shm_buffer_get_height(shm)};
    wl_shm_buffer_begin_access(shm);
    const auto* data = static_cast<const uint8_t*>(wl_shm_buffer_get_data(shm));
    for (int32_t y = 0; y < commit.buffer.height; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(data + y * wl_shm_buffer_get_stride(shm));
        commit.pixels.insert(commit.pixels.end(), row, row + commit.buffer.width);
    }
    wl_shm_buffer_end_access(shm);
}

void CommitSurface(wl_client*, wl_resource* resource) {
    SurfaceState& s = StateOf(resource);
    FractionalCompositor::Commit commit{
        s.toplevel != nullptr, {}, s.destination, s.bufferScale, {}};
    if (s.buffer) {
        CopyPixels(s.buffer, commit);
        wl_buffer_send_release(s.buffer);
        wl_list_remove(&s.bufferGone.link);
        s.buffer = nullptr;
    }
    s.server->commits.push_back(std::move(commit));
    for (wl_resource* frame : std::exchange(s.frames, {})) {
        wl_callback_send_done(frame, 0);
        wl_resource_destroy(frame);
    }
    // A toplevel's first commit asks for its first configure.
    if (s.toplevel && !s.configured) {
        s.configured = true;
        wl_array states;
        wl_array_init(&states);
        xdg_toplevel_send_configure(s.toplevel, 0, 0, &states);
        xdg_surface_send_configure(s.xdgSurface, ++s.server->serial);
    }
}

void Attach(wl_client*, wl_resource* resource, wl_resource* buffer, int32_t, int32_t) {
    SurfaceState& s = StateOf(resource);
    if (s.buffer) wl_list_remove(&s.bufferGone.link);
    s.buffer = buffer;
    if (!buffer) return;
    s.bufferGone.notify = [](wl_listener* listener, void*) {
        SurfaceState* state = wl_container_of(listener, state, bufferGone);
        wl_list_remove(&listener->link);
        state->buffer = nullptr;
    };
    wl_resource_add_destroy_listener(buffer, &s.bufferGone);
}

void Frame(wl_client* client, wl_resource* resource, uint32_t id) {
    StateOf(resource).frames.push_back(wl_resource_create(client, &wl_callback_interface, 1, id));
}

void ForgetSurface(wl_resource* resource) {
    SurfaceState* s = &StateOf(resource);
    if (s->buffer) wl_list_remove(&s->bufferGone.link);
    delete s;
}

const struct wl_surface_interface kSurface {
    .destroy = Destroy, .attach = Attach, .damage = Ignore<int32_t, int32_t, int32_t, int32_t>,
    .frame = Frame, .set_opaque_region = Ignore<wl_resource*>,
    .set_input_region = Ignore<wl_resource*>, .commit = CommitSurface,
    .set_buffer_transform = Ignore<int32_t>,
    .set_buffer_scale = [](wl_client*, wl_resource* r,
                           int32_t scale) { StateOf(r).bufferScale = scale; },
    .damage_buffer = Ignore<int32_t, int32_t, int32_t, int32_t>, .offset = Ignore<int32_t, int32_t>,
};

const struct wl_region_interface kRegion {
    Destroy, Ignore<int32_t, int32_t, int32_t, int32_t>, Ignore<int32_t, int32_t, int32_t, int32_t>
};

const struct wl_compositor_interface kCompositor {
    .create_surface =
        [](wl_client* client, wl_resource* compositor, uint32_t id) {
            auto* state = new SurfaceState;
            state->server = static_cast<Server*>(wl_resource_get_user_data(compositor));
            wl_resource* surface = wl_resource_create(client, &wl_surface_interface,
                                                      wl_resource_get_version(compositor), id);
            wl_resource_set_implementation(surface, &kSurface, state, ForgetSurface);
        },
    .create_region = [](wl_client* client, wl_resource*, uint32_t id) {
        wl_resource_set_implementation(wl_resource_create(client, &wl_region_interface, 1, id),
                                       &kRegion, nullptr, nullptr);
    },
};

const struct wl_subsurface_interface kSubsurface {
    Destroy, Ignore<int32_t, int32_t>, Ignore<wl_resource*>, Ignore<wl_resource*>, Ignore<>,
        Ignore<>
};

const struct wl_subcompositor_interface kSubcompositor {
    .destroy = Destroy,
    .get_subsurface = [](wl_client* client, wl_resource*, uint32_t id, wl_resource*, wl_resource*) {
        wl_resource_set_implementation(wl_resource_create(client, &wl_subsurface_interface, 1, id),
                                       &kSubsurface, nullptr, nullptr);
    },
};

const struct xdg_toplevel_interface kToplevel {
    .destroy = Destroy, .set_parent = Ignore<wl_resource*>, .set_title = Ignore<const char*>,
    .set_app_id = Ignore<const char*>,
    .show_window_menu = Ignore<wl_resource*, uint32_t, int32_t, int32_t>,
    .move = Ignore<wl_resource*, uint32_t>, .resize = Ignore<wl_resource*, uint32_t, uint32_t>,
    .set_max_size = Ignore<int32_t, int32_t>, .set_min_size = Ignore<int32_t, int32_t>,
    .set_maximized = Ignore<>, .unset_maximized = Ignore<>, .set_fullscreen = Ignore<wl_resource*>,
    .unset_fullscreen = Ignore<>, .set_minimized = Ignore<>,
};

const struct xdg_surface_interface kXdgSurface {
    .destroy = Destroy,
    .get_toplevel =
        [](wl_client* client, wl_resource* xdgSurface, uint32_t id) {
            auto* s = static_cast<SurfaceState*>(wl_resource_get_user_data(xdgSurface));
            s->toplevel = wl_resource_create(client, &xdg_toplevel_interface,
                                             wl_resource_get_version(xdgSurface), id);
            wl_resource_set_implementation(s->toplevel, &kToplevel, s, nullptr);
        },
    .get_popup = Ignore<uint32_t, wl_resource*, wl_resource*>,
    .set_window_geometry = Ignore<int32_t, int32_t, int32_t, int32_t>,
    .ack_configure = Ignore<uint32_t>,
};

const struct xdg_wm_base_interface kShell {
    .destroy = Destroy, .create_positioner = Ignore<uint32_t>,
    .get_xdg_surface =
        [](wl_client* client, wl_resource* shell, uint32_t id, wl_resource* surface) {
            SurfaceState& s = StateOf(surface);
            s.xdgSurface = wl_resource_create(client, &xdg_surface_interface,
                                              wl_resource_get_version(shell), id);
            wl_resource_set_implementation(s.xdgSurface, &kXdgSurface, &s, nullptr);
        },
    .pong = Ignore<uint32_t>,
};

const struct wp_viewport_interface kViewport {
    .destroy = Destroy, .set_source = Ignore<wl_fixed_t, wl_fixed_t, wl_fixed_t, wl_fixed_t>,
    .set_destination = [](wl_client*, wl_resource* viewport, int32_t width, int32_t height) {
        auto& s = *static_cast<SurfaceState*>(wl_resource_get_user_data(viewport));
        s.destination = width == -1 ? std::nullopt : std::optional<Size>({width, height});
    },
};

const struct wp_viewporter_interface kViewporter {
    .destroy = Destroy,
    .get_viewport = [](wl_client* client, wl_resource*, uint32_t id, wl_resource* surface) {
        wl_resource_set_implementation(wl_resource_create(client, &wp_viewport_interface, 1, id),
                                       &kViewport, &StateOf(surface), nullptr);
    },
};

const struct wp_fractional_scale_v1_interface kFractional { .destroy = Destroy };

const struct wp_fractional_scale_manager_v1_interface kFractionalManager {
    .destroy = Destroy,
    .get_fractional_scale = [](wl_client* client, wl_resource* manager, uint32_t id, wl_resource*) {
        auto* server = static_cast<Server*>(wl_resource_get_user_data(manager));
        wl_resource* fractional =
            wl_resource_create(client, &wp_fractional_scale_v1_interface, 1, id);
        wl_resource_set_implementation(fractional, &kFractional, server, [](wl_resource* r) {
            std::erase(static_cast<Server*>(wl_resource_get_user_data(r))->fractionals, r);
        });
        server->fractionals.push_back(fractional);
        wp_fractional_scale_v1_send_preferred_scale(fractional, server->preferredScale);
    },
};

void BindOutput(wl_client* client, void*, uint32_t version, uint32_t id) {
    wl_resource* output = wl_resource_create(client, &wl_output_interface, version, id);
    wl_resource_set_implementation(output, nullptr, nullptr, nullptr);
    wl_output_send_geometry(output, 0, 0, 600, 340, WL_OUTPUT_SUBPIXEL_UNKNOWN, "Tavik", "Test",
                            WL_OUTPUT_TRANSFORM_NORMAL);
    wl_output_send_mode(output, WL_OUTPUT_MODE_CURRENT, 2880, 1800, 60000);
    wl_output_send_scale(output, 2);
    wl_output_send_done(output);
}

// Binds a global whose objects all share one implementation, with the server as their data.
template <const wl_interface* Type, auto Implementation>
void Bind(wl_client* client, void* data, uint32_t version, uint32_t id) {
    wl_resource* resource = wl_resource_create(client, Type, static_cast<int>(version), id);
    wl_resource_set_implementation(resource, Implementation, data, nullptr);
}

}  // namespace

FractionalCompositor::FractionalCompositor(uint32_t preferredScale)
    : server_(std::make_unique<Server>()) {
    std::string folder = (std::filesystem::temp_directory_path() / "tavik-wayland-XXXXXX").string();
    if (!mkdtemp(folder.data())) throw std::runtime_error("cannot make a runtime folder");
    runtime_ = folder;
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    ::setenv("WAYLAND_DISPLAY", "tavik-fractional", 1);

    Server& s = *server_;
    s.preferredScale = preferredScale;
    s.display = wl_display_create();
    if (!s.display || wl_display_add_socket(s.display, "tavik-fractional") != 0)
        throw std::runtime_error("cannot open the compositor's socket");
    wl_display_init_shm(s.display);
    wl_global_create(s.display, &wl_compositor_interface, 4, &s,
                     Bind<&wl_compositor_interface, &kCompositor>);
    wl_global_create(s.display, &wl_subcompositor_interface, 1, &s,
                     Bind<&wl_subcompositor_interface, &kSubcompositor>);
    wl_global_create(s.display, &xdg_wm_base_interface, 3, &s,
                     Bind<&xdg_wm_base_interface, &kShell>);
    wl_global_create(s.display, &wp_viewporter_interface, 1, &s,
                     Bind<&wp_viewporter_interface, &kViewporter>);
    wl_global_create(s.display, &wp_fractional_scale_manager_v1_interface, 1, &s,
                     Bind<&wp_fractional_scale_manager_v1_interface, &kFractionalManager>);
    wl_global_create(s.display, &wl_output_interface, 2, &s, BindOutput);

    s.wake = eventfd(0, EFD_CLOEXEC);
    s.wakeSource = wl_event_loop_add_fd(
        wl_display_get_event_loop(s.display), s.wake, WL_EVENT_READABLE,
        [](int fd, uint32_t, void* data) {
            auto& server = *static_cast<Server*>(data);
            uint64_t count = 0;
            static_cast<void>(read(fd, &count, sizeof count));
            std::vector<std::function<void()>> tasks;
            {
                const std::lock_guard lock(server.tasksMutex);
                tasks.swap(server.tasks);
            }
            for (const auto& task : tasks)
                task();
            return 0;
        },
        &s);
    thread_ = std::thread([&s] {
        while (s.running) {
            wl_display_flush_clients(s.display);
            wl_event_loop_dispatch(wl_display_get_event_loop(s.display), -1);
        }
    });
}

FractionalCompositor::~FractionalCompositor() {
    Run([this] { server_->running = false; });
    thread_.join();
    wl_display_destroy_clients(server_->display);
    wl_event_source_remove(server_->wakeSource);
    wl_display_destroy(server_->display);
    close(server_->wake);
    std::filesystem::remove_all(runtime_);
}

void FractionalCompositor::Run(std::function<void()> task) {
    std::promise<void> done;
    {
        const std::lock_guard lock(server_->tasksMutex);
        server_->tasks.push_back([&] {
            task();
            done.set_value();
        });
    }
    const uint64_t one = 1;
    static_cast<void>(write(server_->wake, &one, sizeof one));
    done.get_future().wait();
}

void FractionalCompositor::SetPreferredScale(uint32_t preferredScale) {
    Run([this, preferredScale] {
        server_->preferredScale = preferredScale;
        for (wl_resource* fractional : server_->fractionals)
            wp_fractional_scale_v1_send_preferred_scale(fractional, preferredScale);
    });
}

std::vector<FractionalCompositor::Commit> FractionalCompositor::Commits() {
    std::vector<Commit> commits;
    Run([&] { commits = server_->commits; });
    return commits;
}

}  // namespace platform
