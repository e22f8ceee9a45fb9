#include "platform/mci/entry_reader.h"

#include "platform/mci/element_stream.h"
#include "platform/mci/mpeg_timestamps.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace platform::mci {

struct EntryReader::Shared {
    std::atomic<bool> cancelled{false};
    mutable std::mutex mutex;
    std::optional<std::vector<double>> times; // guarded by mutex
};

namespace {

// Reads go this far at a time: an entry's first packets come within its
// first few sectors, but a track opens with a margin of empty sectors first.
constexpr std::size_t kChunkBytes = 32 * 2324;
constexpr std::size_t kMostBytes = 8 * kChunkBytes;

// The time stamps from `offset` on, read until `found` holds of them (or the
// stream or the limit ends).
PackTimes TimesFrom(MediaStream& stream, std::int64_t offset,
                    std::optional<std::uint64_t> PackTimes::*found) {
    std::vector<std::uint8_t> bytes;
    if (!stream.Seek(offset))
        return {};
    PackTimes times;
    while (bytes.size() < kMostBytes && !(times.*found)) {
        const std::size_t filled = bytes.size();
        bytes.resize(filled + kChunkBytes);
        const std::int64_t read =
            stream.Read(reinterpret_cast<char*>(bytes.data() + filled), kChunkBytes);
        bytes.resize(filled + static_cast<std::size_t>(std::max<std::int64_t>(read, 0)));
        if (read <= 0)
            break;
        times = ScanPackTimes(bytes);
    }
    return times;
}

std::vector<double> ReadTimes(const std::string& element, const std::atomic<bool>& cancelled) {
    std::unique_ptr<MediaStream> stream;
    if (OpenMediaStream(element, stream) != 0)
        return {};
    const std::vector<std::int64_t> offsets = stream->EntryOffsets();
    if (offsets.empty())
        return {};
    const std::optional<std::uint64_t> start = TimesFrom(*stream, 0, &PackTimes::earliest).earliest;
    if (!start)
        return {};
    std::vector<double> times;
    for (const std::int64_t offset : offsets) {
        if (cancelled)
            return {};
        // An entry whose packets cannot be read or carry no time is left out
        // alone: the others still take the viewer where the disc says.
        if (const auto stamp = TimesFrom(*stream, offset, &PackTimes::firstVideo).firstVideo)
            times.push_back(std::max(0.0, SecondsBetween(*start, *stamp)));
    }
    std::sort(times.begin(), times.end());
    return times;
}

} // namespace

EntryReader::EntryReader(const std::string& element) : shared_(std::make_shared<Shared>()) {
    std::thread([shared = shared_, element] {
        std::vector<double> times = ReadTimes(element, shared->cancelled);
        const std::lock_guard lock(shared->mutex);
        shared->times = std::move(times);
    }).detach();
}

EntryReader::~EntryReader() {
    shared_->cancelled = true;
}

std::optional<std::vector<double>> EntryReader::Times() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->times;
}

} // namespace platform::mci
