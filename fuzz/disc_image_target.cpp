// A whole disc image: the input is a raw Mode 2 image from sector 16 on, its
// last four bytes choosing where the tracks are read. The disc volume scans
// it in memory and streams every file it finds; one input in 1024 also goes
// the whole way a user's image goes, written out and mapped to a letter, so
// that the drive layer and the image reader are fuzzed too without costing
// every run two files.
#include "fuzz/fuzz_targets.h"
#include "fuzz/memory_sector_reader.h"
#include "fuzz/scratch_folder.h"
#include "fuzz/volume_walk.h"
#include "platform/disc/disc_volume.h"
#include "platform/drives/drive_sources.h"
#include "platform/drives/drive_volume.h"
#include "platform/io/error_mode.h"

#include <map>

namespace fuzz {
namespace {

constexpr std::size_t rawSectorSize = 2352;
constexpr std::uint32_t blankSectors = 16;
constexpr char letter = 'E';
constexpr std::uint32_t kThroughALetterEvery = 1024;

class OneMapping : public platform::DriveMappingStore {
public:
    std::vector<platform::DriveMapping> Load() const override { return {{letter, target}}; }
    void Save(const platform::DriveMapping&) override {}
    void Remove(char) override {}
    std::string target;
};

std::shared_ptr<OneMapping> Mapping() {
    static const std::shared_ptr<OneMapping> mapping = [] {
        auto made = std::make_shared<OneMapping>();
        platform::SetDriveSources({[] { return std::vector<std::string>(); }, made});
        platform::SetErrorMode(platform::SEM_FAILCRITICALERRORS);
        return made;
    }();
    return mapping;
}

// The image as a file behind a drive letter.
void ScanThroughALetter(Input input, std::uint32_t seed) {
    // A new name each time: the drive layer keeps an image open while it
    // looks like the same file, which a rewrite within one clock tick would.
    static unsigned run = 0;
    const std::string name = "image" + std::to_string(run++);
    const std::string cue =
        "FILE \"" + name + ".bin\" BINARY\n  TRACK 01 MODE2/2352\n" + "    INDEX 01 00:00:00\n";
    WriteScratchFile(name + ".cue", AsInput(cue));
    WriteScratchFile(name + ".bin", input, blankSectors * rawSectorSize);
    Mapping()->target = ScratchFolder() + "/" + name + ".cue";

    platform::DWORD error = 0;
    if (const std::unique_ptr<platform::Volume> volume = platform::OpenDriveVolume(letter, error))
        WalkVolume(*volume, OffsetsFrom(seed));
    RemoveScratchFile(name + ".cue");
    RemoveScratchFile(name + ".bin");
}

} // namespace

void FuzzDiscImage(Input input) {
    std::uint32_t seed = 0;
    for (std::size_t at = input.size() >= 4 ? input.size() - 4 : 0; at < input.size(); ++at)
        seed = seed << 8 | input[at];

    std::string problem;
    const std::unique_ptr<platform::DiscVolume> disc = platform::DiscVolume::Open(
        std::make_shared<MemorySectorReader>(input, SectorLayout::rawMode2, blankSectors),
        "fuzz input", problem);
    if (disc)
        WalkVolume(*disc, OffsetsFrom(seed));
    if (TakesTheWholeWay(input, kThroughALetterEvery))
        ScanThroughALetter(input, seed);
}

} // namespace fuzz
