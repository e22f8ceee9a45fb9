#include "platform/mci/drivers/mpv/mpv_core.h"

#include "platform/diagnostics.h"
#include "platform/mci/drivers/mpv/mpv_library.h"
#include "platform/mci/drivers/mpv/playback_mode.h"

#include <chrono>
#include <clocale>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace platform::mci {
namespace {

using Options = std::vector<std::pair<const char*, const char*>>;

Options coreOptions() {
    Options options = {
        // Nothing from the user's mpv set-up, no scripts, no extra files.
        {"config", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"load-stats-overlay", "no"},
        {"load-osd-console", "no"},
        {"load-auto-profiles", "no"},
        {"input-default-bindings", "no"},
        {"resume-playback", "no"},
        {"sub-auto", "no"},
        {"audio-file-auto", "no"},
        {"audio-display", "no"},
        {"osd-level", "0"},
        // A device opens stopped at the start; at the end it stays on the
        // last frame, and the core stays alive whatever happens to the file.
        {"pause", "yes"},
        {"keep-open", "yes"},
        {"idle", "yes"},
        // Without it, exact seeks in MPEG program streams land on the next
        // keyframe instead of the asked-for frame.
        {"hr-seek-demuxer-offset", "1"},
        // Rendering happens on the GUI thread, which must never sit waiting
        // for a frame's display time.
        {"video-timing-offset", "0"},
        // Scaling is most of what playback costs in software: bicubic looks
        // the same as mpv's default lanczos at the sizes a Video CD is shown
        // at, for a good part less work per picture.
        {"zimg-scaler", "bicubic"},
    };
    if (UntimedHeadlessPlayback()) {
        options.insert(
            options.end(),
            {{"vo", "null"}, {"ao", "null"}, {"untimed", "yes"}, {"ao-null-untimed", "yes"}});
    } else {
        // Sound goes to the desktop's default output. Without any, mpv would
        // go on to try outputs no desktop uses, which costs the open a tenth
        // of a second and ends the same way: playback without sound.
        options.insert(options.end(), {{"vo", "libmpv"}, {"ao", "pipewire,pulse,alsa"}});
    }
    return options;
}

// The cores being destroyed away. The last static to go waits a moment for
// them, so that none is still inside libmpv while the process takes its
// libraries down; a thread still waiting on the disc after that is left, with
// what it counts on held by itself.
class Destroyers {
public:
    ~Destroyers() {
        std::unique_lock lock(count_->mutex);
        count_->done.wait_for(lock, exitWait, [this] { return count_->running == 0; });
    }

    void Start(MpvCore core, std::shared_ptr<void> remains) {
        {
            const std::lock_guard lock(count_->mutex);
            ++count_->running;
        }
        std::thread([count = count_, core = std::move(core),
                     remains = std::move(remains)]() mutable {
            core.reset();
            remains.reset();
            const std::lock_guard lock(count->mutex);
            --count->running;
            count->done.notify_all();
        }).detach();
    }

private:
    static constexpr std::chrono::seconds exitWait{3};

    struct Count {
        std::mutex mutex;
        std::condition_variable done;
        int running = 0;
    };
    const std::shared_ptr<Count> count_ = std::make_shared<Count>();
};

Destroyers& destroyers() {
    static Destroyers running;
    return running;
}

} // namespace

void DestroyAway(MpvCore core, std::shared_ptr<void> remains) {
    if (core)
        destroyers().Start(std::move(core), std::move(remains));
}

void MpvCoreDeleter::operator()(mpv_handle* core) const {
    Mpv().terminate_destroy(core);
}

void WriteNumbersTheCWay() {
    if (std::strcmp(std::setlocale(LC_NUMERIC, nullptr), "C") != 0)
        std::setlocale(LC_NUMERIC, "C");
}

MpvCore CreateMpvCore() {
    std::string failure;
    if (!OpenMpvLibrary(failure)) {
        ReportProblem("mpv: cannot load the player library: " + failure);
        return nullptr;
    }
    WriteNumbersTheCWay();
    MpvCore core(Mpv().create());
    if (!core) {
        ReportProblem("mpv: cannot create a player core");
        return nullptr;
    }
    for (const auto& [name, value] : coreOptions()) {
        const int result = Mpv().set_option_string(core.get(), name, value);
        if (result < 0)
            ReportProblem(std::string("mpv: option ") + name + "=" + value + ": " +
                          Mpv().error_string(result));
    }
    const int result = Mpv().initialize(core.get());
    if (result < 0) {
        ReportProblem(std::string("mpv: cannot start: ") + Mpv().error_string(result));
        return nullptr;
    }
    return core;
}

} // namespace platform::mci
