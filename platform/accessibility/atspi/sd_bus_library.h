#pragma once

#include <systemd/sd-bus.h>

namespace platform::atspi {

// The functions of libsystemd's sd-bus that the export calls.
// clang-format off
#define TAVIK_SD_BUS_FUNCTIONS(X) \
    X(sd_bus_add_fallback_vtable) \
    X(sd_bus_add_filter) \
    X(sd_bus_add_match_async) \
    X(sd_bus_add_object_vtable) \
    X(sd_bus_call_async) \
    X(sd_bus_call_method_async) \
    X(sd_bus_error_set) \
    X(sd_bus_flush_close_unref) \
    X(sd_bus_get_events) \
    X(sd_bus_get_fd) \
    X(sd_bus_get_n_queued_write) \
    X(sd_bus_get_timeout) \
    X(sd_bus_get_unique_name) \
    X(sd_bus_message_append) \
    X(sd_bus_message_at_end) \
    X(sd_bus_message_close_container) \
    X(sd_bus_message_enter_container) \
    X(sd_bus_message_get_path) \
    X(sd_bus_message_get_sender) \
    X(sd_bus_message_is_method_error) \
    X(sd_bus_message_is_signal) \
    X(sd_bus_message_new_method_call) \
    X(sd_bus_message_new_method_return) \
    X(sd_bus_message_new_signal) \
    X(sd_bus_message_open_container) \
    X(sd_bus_message_read) \
    X(sd_bus_message_unref) \
    X(sd_bus_new) \
    X(sd_bus_process) \
    X(sd_bus_reply_method_return) \
    X(sd_bus_send) \
    X(sd_bus_set_address) \
    X(sd_bus_set_bus_client) \
    X(sd_bus_set_connected_signal) \
    X(sd_bus_set_trusted) \
    X(sd_bus_slot_unref) \
    X(sd_bus_start)

// clang-format on

/// sd-bus as the export calls it: libsystemd is loaded (dlopen) when accessibility first turns
/// on, never linked, so that a program with accessibility off maps none of it (libsystemd and
/// the libraries it brings hold about 1.4 MB resident). The members are the library's
/// functions under their own names.
struct SdBus {
#define TAVIK_SD_BUS_MEMBER(name) decltype(&::name) name = nullptr;
    TAVIK_SD_BUS_FUNCTIONS(TAVIK_SD_BUS_MEMBER)
#undef TAVIK_SD_BUS_MEMBER
};

/// The start of a method table, as SD_BUS_VTABLE_START(0) but without the reference to the
/// library's table format, which a program that loads the library cannot name when it is built:
/// sd-bus then reads the table in its first format, all the export uses (no parameter names).
#define TAVIK_SD_BUS_VTABLE_START                              \
    {                                                          \
        .type = _SD_BUS_VTABLE_START, .flags = 0,              \
        .x = {.start = {.element_size = sizeof(sd_bus_vtable), \
                        .features = 0,                         \
                        .vtable_format_reference = nullptr}},  \
    }

/// sd-bus, loaded at the first call and kept; null when libsystemd or one of the functions is
/// not there.
const SdBus* LoadSdBus();
/// The loaded sd-bus: only once LoadSdBus has given it.
const SdBus& Sd();

}  // namespace platform::atspi
