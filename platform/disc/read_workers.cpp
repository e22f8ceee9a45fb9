#include "platform/disc/read_workers.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {
namespace {

constexpr std::chrono::seconds kIdleLife{10};

struct Workers {
    std::mutex mutex; // guards jobs and idle
    std::condition_variable wake;
    std::deque<std::function<void()>> jobs;
    std::size_t idle = 0;
};

// Never destroyed: a thread stalled on a drive may still be running at exit.
Workers& TheWorkers() {
    static Workers* const workers = new Workers;
    return *workers;
}

void Serve(Workers& workers) {
    std::unique_lock lock(workers.mutex);
    for (;;) {
        ++workers.idle;
        const bool woken =
            workers.wake.wait_for(lock, kIdleLife, [&] { return !workers.jobs.empty(); });
        --workers.idle;
        if (!woken)
            return;
        std::function<void()> job = std::move(workers.jobs.front());
        workers.jobs.pop_front();
        lock.unlock();
        job();
        job = nullptr; // what the read holds goes before the lock is taken again
        lock.lock();
    }
}

} // namespace

bool RunOnReadWorker(std::function<void()> read) {
    Workers& workers = TheWorkers();
    const std::lock_guard lock(workers.mutex);
    workers.jobs.push_back(std::move(read));
    // Idle threads not yet woken still count as idle, each for one job.
    if (workers.idle >= workers.jobs.size()) {
        workers.wake.notify_one();
        return true;
    }
    try {
        std::thread([&workers] { Serve(workers); }).detach();
    } catch (const std::system_error&) {
        workers.jobs.pop_back();
        return false;
    }
    return true;
}

} // namespace platform
