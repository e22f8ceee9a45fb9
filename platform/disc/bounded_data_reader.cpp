#include "platform/disc/bounded_data_reader.h"

#include "platform/disc/read_workers.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// One read, shared by its thread and the caller that may stop waiting for it.
struct PendingRead {
    std::mutex mutex; // guards done and read
    std::condition_variable finished;
    bool done = false;
    bool read = false;
    std::vector<std::uint8_t> data;
};

} // namespace

BoundedDataReader::BoundedDataReader(std::shared_ptr<SectorReader> sectors,
                                     std::chrono::milliseconds bound)
    : sectors_(std::move(sectors)), bound_(bound) {
}

bool BoundedDataReader::ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    auto pending = std::make_shared<PendingRead>();
    pending->data.resize(std::size_t{count} * kDataSectorSize);
    const bool started = RunOnReadWorker([pending, sectors = sectors_, lsn, count] {
        const bool read = sectors->ReadData(lsn, count, pending->data.data());
        const std::lock_guard lock(pending->mutex);
        pending->done = true;
        pending->read = read;
        pending->finished.notify_all();
    });
    if (!started)
        return false; // no thread to be had: as a drive that did not answer
    std::unique_lock lock(pending->mutex);
    if (!pending->finished.wait_for(lock, bound_, [&] { return pending->done; }) || !pending->read)
        return false;
    std::memcpy(buffer, pending->data.data(), pending->data.size());
    return true;
}

} // namespace platform
