#pragma once
// One mpv core, set up the way every device plays, and destroyed with it.
#include <memory>

struct mpv_handle;

namespace platform::mci {

struct MpvCoreDeleter {
    void operator()(mpv_handle* core) const;
};
using MpvCore = std::unique_ptr<mpv_handle, MpvCoreDeleter>;

// mpv refuses to start unless numbers are written the C way, and the
// application object sets the user's locale. setlocale is not safe while
// another thread reads the locale (a GL driver compiling shaders on the
// warm-up thread), so this runs once as the program starts, before any such
// thread, and changes nothing when numbers are already written the C way.
// GUI thread.
void WriteNumbersTheCWay();

// A started core with no file loaded; null (after reporting why) when mpv
// cannot start. Video goes through the render API unless playback is untimed
// headless. GUI thread.
MpvCore CreateMpvCore();

// Destroys `core` on a thread of its own, then lets go of `remains` (what the
// core still reads from), so that the core's wait for a read stuck on the
// disc holds no one. At exit the process waits a moment for such threads;
// one held by the disc past that is left to the end of the process.
void DestroyAway(MpvCore core, std::shared_ptr<void> remains);

} // namespace platform::mci
