#include "fuzz/volume_walk.h"

#include "platform/io/file_attributes.h"
#include "platform/winerror.h"

#include <array>

namespace fuzz {
namespace {

constexpr int deepestFolder = 6;
constexpr int mostFolders = 64;
constexpr int mostFiles = 64;
constexpr std::size_t readBytes = 6000; // more than two Form 2 payloads

struct Budget {
    int folders = mostFolders;
    int files = mostFiles;
};

void ReadFile(platform::Volume& volume, const platform::VolumePath& path,
              const std::vector<std::int64_t>& offsets) {
    std::unique_ptr<platform::MediaStream> stream;
    if (volume.OpenFile(path, stream) != platform::ERROR_SUCCESS || !stream)
        return;
    std::array<char, readBytes> buffer{};
    const std::int64_t size = stream->Size();
    (void)stream->Read(buffer.data(), buffer.size());
    for (const std::int64_t offset : offsets) {
        const std::int64_t at = size > 0 ? offset % (size + 1) : offset;
        if (stream->Seek(at))
            (void)stream->Read(buffer.data(), buffer.size());
    }
}

void Walk(platform::Volume& volume, const platform::VolumePath& folder, int depth, Budget& budget,
          const std::vector<std::int64_t>& offsets) {
    if (depth > deepestFolder || budget.folders-- <= 0)
        return;
    std::vector<platform::VolumeEntry> entries;
    if (volume.ListFolder(folder, entries) != platform::ERROR_SUCCESS)
        return;
    for (const platform::VolumeEntry& entry : entries) {
        platform::VolumePath path = folder;
        path.push_back(entry.name);
        platform::VolumeEntry found{};
        (void)volume.Find(path, found);
        if (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY)
            Walk(volume, path, depth + 1, budget, offsets);
        else if (budget.files-- > 0)
            ReadFile(volume, path, offsets);
    }
}

} // namespace

void WalkVolume(platform::Volume& volume, const std::vector<std::int64_t>& readOffsets) {
    Budget budget;
    platform::VolumeEntry root{};
    (void)volume.Find({}, root);
    Walk(volume, {}, 0, budget, readOffsets);
}

std::vector<std::int64_t> OffsetsFrom(std::uint32_t seed) {
    // Near the start, inside a sector, on a sector boundary and far out.
    return {std::int64_t{seed & 0xFF}, std::int64_t{seed >> 8 & 0xFFFF},
            std::int64_t{2324} * (seed >> 24), std::int64_t{seed} * 977, -1};
}

} // namespace fuzz
