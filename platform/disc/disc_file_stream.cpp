#include "platform/disc/disc_file_stream.h"

#include "platform/disc/disc_entries.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// About 74 kB of Form 2 payload: a few reads of mpv's demuxer, a fraction of
// a second of Video CD.
constexpr std::uint32_t sectorsPerLoad = 32;

std::uint32_t SectorsOf(const IsoRecord& file) {
    return static_cast<std::uint32_t>((std::uint64_t{file.size} + kDataSectorSize - 1) /
                                      kDataSectorSize);
}

} // namespace

DiscFileStream::DiscFileStream(std::shared_ptr<SectorReader> reader, std::string source,
                               const IsoRecord& file)
    : reader_(std::move(reader), std::move(source)), extent_(file.extent),
      sectors_(SectorsOf(file)), form2_(file.form2),
      sectorBytes_(form2_ ? kForm2PayloadSize : kDataSectorSize),
      size_(form2_ ? std::int64_t{sectors_} * static_cast<std::int64_t>(kForm2PayloadSize)
                   : std::int64_t{file.size}) {
}

bool DiscFileStream::Load(std::uint32_t sector) {
    const std::uint32_t count = std::min(sectorsPerLoad, sectors_ - sector);
    loaded_.resize(std::size_t{count} * sectorBytes_);
    loadedCount_ = 0;
    const bool read = form2_ ? reader_.ReadForm2(extent_ + sector, count, loaded_.data())
                             : reader_.ReadData(extent_ + sector, count, loaded_.data());
    if (!read)
        return false;
    loadedFirst_ = sector;
    loadedCount_ = count;
    return true;
}

std::int64_t DiscFileStream::Read(char* buffer, std::uint64_t size) {
    std::uint64_t copied = 0;
    while (copied < size && position_ < size_) {
        const auto sector = static_cast<std::uint32_t>(position_ / std::int64_t(sectorBytes_));
        if ((sector < loadedFirst_ || sector >= loadedFirst_ + loadedCount_) && !Load(sector))
            return copied > 0 ? static_cast<std::int64_t>(copied) : -1;
        const std::size_t from =
            std::size_t{sector - loadedFirst_} * sectorBytes_ + position_ % sectorBytes_;
        const std::uint64_t count = std::min<std::uint64_t>(
            {size - copied, loaded_.size() - from, static_cast<std::uint64_t>(size_ - position_)});
        std::memcpy(buffer + copied, loaded_.data() + from, count);
        copied += count;
        position_ += static_cast<std::int64_t>(count);
    }
    return static_cast<std::int64_t>(copied);
}

bool DiscFileStream::Seek(std::int64_t offset) {
    if (offset < 0)
        return false;
    position_ = offset;
    return true;
}

std::vector<std::int64_t> DiscFileStream::EntryOffsets() {
    if (!form2_)
        return {};
    return EntryOffsetsOf(reader_, extent_, sectors_);
}

} // namespace platform
