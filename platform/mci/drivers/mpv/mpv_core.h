#pragma once
// One mpv core, set up the way every device plays, and destroyed with it.
#include <memory>

struct mpv_handle;

namespace platform::mci {

struct MpvCoreDeleter {
    void operator()(mpv_handle* core) const;
};
using MpvCore = std::unique_ptr<mpv_handle, MpvCoreDeleter>;

// A started core with no file loaded; null (after reporting why) when mpv
// cannot start. Video goes through the render API unless playback is untimed
// headless. GUI thread.
MpvCore CreateMpvCore();

} // namespace platform::mci
