// ISO 9660 and Joliet records: the input read as a folder's sectors, then as
// a whole volume from sector 16 on (the sectors before it blank), walked
// through the disc volume the drive letters use.
#include "fuzz/fuzz_targets.h"
#include "fuzz/volume_walk.h"
#include "platform/disc/disc_volume.h"

#include <algorithm>
#include <cstring>

namespace fuzz {
namespace {

constexpr std::uint32_t blankSectors = 16;

// A plain ISO image in memory: 2048-byte sectors, no Form 2 ones.
class MemorySectorReader final : public platform::SectorReader {
public:
    explicit MemorySectorReader(Input bytes) : bytes_(bytes) {}

    std::uint32_t Sectors() const override {
        return blankSectors +
               static_cast<std::uint32_t>((bytes_.size() + platform::kDataSectorSize - 1) /
                                          platform::kDataSectorSize);
    }

    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override {
        if (count == 0 || lsn >= Sectors() || count > Sectors() - lsn)
            return false;
        std::memset(buffer, 0, std::size_t{count} * platform::kDataSectorSize);
        for (std::uint32_t sector = std::max(lsn, blankSectors); sector < lsn + count; ++sector) {
            const std::size_t from = std::size_t{sector - blankSectors} * platform::kDataSectorSize;
            const std::size_t bytes = std::min(platform::kDataSectorSize, bytes_.size() - from);
            std::memcpy(buffer + std::size_t{sector - lsn} * platform::kDataSectorSize,
                        bytes_.data() + from, bytes);
        }
        return true;
    }

    bool ReadForm2(std::uint32_t, std::uint32_t, std::uint8_t*) override { return false; }

private:
    Input bytes_;
};

} // namespace

void FuzzIsoVolume(Input input) {
    const Input folder =
        input.first(input.size() / platform::kDataSectorSize * platform::kDataSectorSize);
    for (const bool joliet : {false, true}) {
        const platform::IsoVolume volume{{}, joliet, 1u << 20, {}};
        (void)platform::ParseIsoFolder(folder, volume);
    }

    std::string problem;
    const std::unique_ptr<platform::DiscVolume> disc = platform::DiscVolume::Open(
        std::make_shared<MemorySectorReader>(input), "fuzz input", problem);
    if (disc)
        WalkVolume(*disc, OffsetsFrom(static_cast<std::uint32_t>(input.size())));
}

} // namespace fuzz
