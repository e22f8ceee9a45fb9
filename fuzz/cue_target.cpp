// A cue sheet's text, read in memory for the image it names, which is looked
// for beside it (a small raw image is there under a few names). One sheet in
// 256 that names an image is also opened as the drive letters open a mapped
// .cue, written out and handed to the disc reader, so that the reader is
// fuzzed too without costing every run its files.
#include "fuzz/fuzz_targets.h"
#include "fuzz/image_layout_check.h"
#include "fuzz/scratch_folder.h"
#include "platform/disc/cue_sheet.h"
#include "platform/disc/disc_source.h"

#include <vector>

namespace fuzz {
namespace {

constexpr std::size_t rawSectorSize = 2352;
constexpr std::size_t imageSectors = 20;
constexpr std::uint32_t kOpenedEvery = 256;

void WriteImages() {
    static const bool written = [] {
        const std::vector<std::uint8_t> image(imageSectors * rawSectorSize, 0);
        for (const char* name : {"disc.bin", "DISC.BIN", "track.bin", "a.iso"})
            WriteScratchFile(name, image);
        return true;
    }();
    (void)written;
}

} // namespace

void FuzzCueSheet(Input input) {
    WriteImages();
    const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
    std::string problem;
    RequireSoundLayout(platform::CueLayout(text, ImagesOfAnySize(), problem));
    if (!TakesTheWholeWay(input, kOpenedEvery))
        return;

    const std::string cue = WriteScratchFile("sheet.cue", input);
    std::vector<std::string> files;
    const std::unique_ptr<platform::SectorReader> reader =
        platform::OpenDiscImage(cue, problem, files);
    if (!reader)
        return;
    std::vector<std::uint8_t> sector(platform::kForm2PayloadSize);
    (void)reader->ReadData(16, 1, sector.data());
    (void)reader->ReadForm2(reader->Sectors() - 1, 1, sector.data());
}

} // namespace fuzz
