#pragma once
// A disc image held in memory, so that a fuzz run costs no file at all:
// either plain 2048-byte sectors (an ISO image) or raw 2352-byte Mode 2
// sectors (a BIN track), after a number of blank sectors.
#include "fuzz/fuzz_targets.h"
#include "platform/disc/sector_reader.h"

namespace fuzz {

enum class SectorLayout { plain, rawMode2 };

class MemorySectorReader final : public platform::SectorReader {
public:
    MemorySectorReader(Input bytes, SectorLayout layout, std::uint32_t blankSectors);

    std::uint32_t Sectors() const override;
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;
    // Always false for plain sectors, as for an ISO image.
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;

private:
    // Copies `size` bytes from `offset` inside each stored sector; bytes past
    // the input's end read as zero.
    bool Read(std::uint32_t lsn, std::uint32_t count, std::size_t offset, std::size_t size,
              std::uint8_t* buffer) const;

    Input bytes_;
    std::size_t sectorSize_;
    std::uint32_t blankSectors_;
};

} // namespace fuzz
