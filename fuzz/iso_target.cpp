// ISO 9660 and Joliet records: the input read as a folder's sectors, then as
// a whole volume from sector 16 on (the sectors before it blank), walked
// through the disc volume the drive letters use.
#include "fuzz/fuzz_targets.h"
#include "fuzz/memory_sector_reader.h"
#include "fuzz/volume_walk.h"
#include "platform/disc/disc_volume.h"

namespace fuzz {
namespace {

constexpr std::uint32_t blankSectors = 16;

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
        std::make_shared<MemorySectorReader>(input, SectorLayout::plain, blankSectors),
        "fuzz input", problem);
    if (disc)
        WalkVolume(*disc, OffsetsFrom(static_cast<std::uint32_t>(input.size())));
}

} // namespace fuzz
