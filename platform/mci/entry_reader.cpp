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

// A Video CD's entry starts a group of pictures, whose first packet comes
// within a few sectors; this is a good many more.
constexpr std::size_t kScanBytes = 64 * 1024;

std::vector<std::uint8_t> BytesAt(MediaStream& stream, std::int64_t offset) {
    std::vector<std::uint8_t> bytes(kScanBytes);
    if (!stream.Seek(offset))
        return {};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::int64_t read =
            stream.Read(reinterpret_cast<char*>(bytes.data() + filled), bytes.size() - filled);
        if (read <= 0)
            break;
        filled += static_cast<std::size_t>(read);
    }
    bytes.resize(filled);
    return bytes;
}

std::vector<double> ReadTimes(const std::string& element, const std::atomic<bool>& cancelled) {
    std::unique_ptr<MediaStream> stream;
    if (OpenMediaStream(element, stream) != 0)
        return {};
    const std::vector<std::int64_t> offsets = stream->EntryOffsets();
    if (offsets.empty())
        return {};
    const std::optional<std::uint64_t> start = ScanPackTimes(BytesAt(*stream, 0)).earliest;
    if (!start)
        return {};
    std::vector<double> times;
    for (const std::int64_t offset : offsets) {
        if (cancelled)
            return {};
        // An entry whose packets cannot be read or carry no time is left out
        // alone: the others still take the viewer where the disc says.
        if (const auto stamp = ScanPackTimes(BytesAt(*stream, offset)).firstVideo)
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
