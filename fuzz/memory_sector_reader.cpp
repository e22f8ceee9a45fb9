#include "fuzz/memory_sector_reader.h"

#include <algorithm>
#include <cstring>

namespace fuzz {
namespace {

constexpr std::size_t rawSectorSize = 2352;
constexpr std::size_t rawDataOffset = 24; // sync, header and subheader

} // namespace

MemorySectorReader::MemorySectorReader(Input bytes, SectorLayout layout, std::uint32_t blankSectors)
    : bytes_(bytes),
      sectorSize_(layout == SectorLayout::plain ? platform::kDataSectorSize : rawSectorSize),
      blankSectors_(blankSectors) {
}

std::uint32_t MemorySectorReader::Sectors() const {
    return blankSectors_ +
           static_cast<std::uint32_t>((bytes_.size() + sectorSize_ - 1) / sectorSize_);
}

bool MemorySectorReader::ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    const std::size_t offset = sectorSize_ == rawSectorSize ? rawDataOffset : 0;
    return Read(lsn, count, offset, platform::kDataSectorSize, buffer);
}

bool MemorySectorReader::ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    return sectorSize_ == rawSectorSize &&
           Read(lsn, count, rawDataOffset, platform::kForm2PayloadSize, buffer);
}

bool MemorySectorReader::Read(std::uint32_t lsn, std::uint32_t count, std::size_t offset,
                              std::size_t size, std::uint8_t* buffer) const {
    if (count == 0 || lsn >= Sectors() || count > Sectors() - lsn)
        return false;
    std::memset(buffer, 0, std::size_t{count} * size);
    for (std::uint32_t sector = std::max(lsn, blankSectors_); sector < lsn + count; ++sector) {
        const std::size_t from = std::size_t{sector - blankSectors_} * sectorSize_ + offset;
        if (from >= bytes_.size())
            continue;
        const std::size_t bytes = std::min(size, bytes_.size() - from);
        std::memcpy(buffer + std::size_t{sector - lsn} * size, bytes_.data() + from, bytes);
    }
    return true;
}

} // namespace fuzz
