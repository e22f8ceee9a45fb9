#include "platform/mci/drivers/mpv/mpv_library.h"

#include <dlfcn.h>
#include <type_traits>

namespace platform::mci {
namespace {

// The library the headers were written for: its file name carries the major
// version of the client API.
std::string libraryFileName() {
    return "libmpv.so." + std::to_string(MPV_CLIENT_API_VERSION >> 16);
}

struct Opened {
    MpvLibrary calls{};
    std::string failure;
};

Opened open() {
    Opened opened;
    void* library = dlopen(libraryFileName().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        opened.failure = why ? why : "cannot open " + libraryFileName();
        return opened;
    }
    const auto find = [&](auto& call, const char* name) {
        if (!opened.failure.empty())
            return;
        call = reinterpret_cast<std::remove_reference_t<decltype(call)>>(dlsym(library, name));
        if (!call)
            opened.failure = libraryFileName() + " has no " + name;
    };
    MpvLibrary& calls = opened.calls;
    find(calls.error_string, "mpv_error_string");
    find(calls.create, "mpv_create");
    find(calls.set_option_string, "mpv_set_option_string");
    find(calls.initialize, "mpv_initialize");
    find(calls.terminate_destroy, "mpv_terminate_destroy");
    find(calls.request_log_messages, "mpv_request_log_messages");
    find(calls.observe_property, "mpv_observe_property");
    find(calls.set_wakeup_callback, "mpv_set_wakeup_callback");
    find(calls.wait_event, "mpv_wait_event");
    find(calls.command_async, "mpv_command_async");
    find(calls.set_property_async, "mpv_set_property_async");
    find(calls.get_property_async, "mpv_get_property_async");
    find(calls.stream_cb_add_ro, "mpv_stream_cb_add_ro");
    find(calls.render_context_create, "mpv_render_context_create");
    find(calls.render_context_set_update_callback, "mpv_render_context_set_update_callback");
    find(calls.render_context_update, "mpv_render_context_update");
    find(calls.render_context_render, "mpv_render_context_render");
    find(calls.render_context_report_swap, "mpv_render_context_report_swap");
    find(calls.render_context_free, "mpv_render_context_free");
    return opened;
}

const Opened& opened() {
    static const Opened library = open();
    return library;
}

} // namespace

bool OpenMpvLibrary(std::string& failure) {
    failure = opened().failure;
    return failure.empty();
}

const MpvLibrary& Mpv() {
    return opened().calls;
}

} // namespace platform::mci
