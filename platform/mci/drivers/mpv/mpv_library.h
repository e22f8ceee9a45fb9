#pragma once
// libmpv is opened the first time a device needs it, not with the program:
// it and the FFmpeg, codec, sound and video output libraries it pulls in are
// some two hundred libraries, which would cost every start tens of
// milliseconds in the dynamic loader and tens of megabytes of mapped pages
// before the window shows, though a player often sits without a disc and
// never plays at all.
#include <mpv/client.h>
#include <mpv/render.h>
#include <mpv/stream_cb.h>

#include <string>

namespace platform::mci {

template <auto function> using MpvCall = decltype(function);

// The calls of libmpv the driver makes, each under mpv's name without "mpv_".
struct MpvLibrary {
    MpvCall<&mpv_error_string> error_string;
    MpvCall<&mpv_create> create;
    MpvCall<&mpv_set_option_string> set_option_string;
    MpvCall<&mpv_initialize> initialize;
    MpvCall<&mpv_terminate_destroy> terminate_destroy;
    MpvCall<&mpv_request_log_messages> request_log_messages;
    MpvCall<&mpv_observe_property> observe_property;
    MpvCall<&mpv_set_wakeup_callback> set_wakeup_callback;
    MpvCall<&mpv_wait_event> wait_event;
    MpvCall<&mpv_command_async> command_async;
    MpvCall<&mpv_set_property_async> set_property_async;
    MpvCall<&mpv_get_property_async> get_property_async;
    MpvCall<&mpv_stream_cb_add_ro> stream_cb_add_ro;
    MpvCall<&mpv_render_context_create> render_context_create;
    MpvCall<&mpv_render_context_set_update_callback> render_context_set_update_callback;
    MpvCall<&mpv_render_context_update> render_context_update;
    MpvCall<&mpv_render_context_render> render_context_render;
    MpvCall<&mpv_render_context_report_swap> render_context_report_swap;
    MpvCall<&mpv_render_context_free> render_context_free;
};

// Opens libmpv, once for the process, and finds its calls; false, with why in
// `failure`, when it cannot be opened or lacks one of them. The library stays
// open until the process ends. Any thread.
bool OpenMpvLibrary(std::string& failure);

// The calls, once OpenMpvLibrary has succeeded.
const MpvLibrary& Mpv();

} // namespace platform::mci
