#pragma once
// A wake-up that any thread may give and one thread waits for, bounded: how
// a thread that must not sit inside libmpv learns that mpv has news.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform::mci {

class WakeupSignal {
public:
    // Any thread.
    void Give() {
        {
            const std::lock_guard lock(mutex_);
            given_ = true;
        }
        woken_.notify_one();
    }

    // Returns once a wake-up was given since the last return, or after
    // `longest`.
    void WaitFor(std::chrono::duration<double> longest) {
        std::unique_lock lock(mutex_);
        woken_.wait_for(lock, longest, [this] { return given_; });
        given_ = false;
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool given_ = false;
};

} // namespace platform::mci
