#include "fuzz/image_layout_check.h"

#include "fuzz/fuzz_targets.h"

namespace fuzz {

platform::FindImageFile ImagesOfAnySize() {
    return [](std::string_view written) -> std::optional<platform::ImageFile> {
        if (written.empty())
            return std::nullopt;
        return platform::ImageFile{std::string(written), std::uint64_t{written.size()} * 999'983};
    };
}

void RequireSoundLayout(const std::optional<platform::ImageLayout>& layout) {
    if (!layout)
        return;
    std::uint32_t end = 0;
    for (const platform::ImageExtent& extent : layout->Extents()) {
        Require(extent.sectors > 0 && extent.lsn >= end, "extents in order and apart");
        Require(extent.file < layout->Files().size(), "an extent names a file of the layout");
        const std::uint64_t size = layout->Files()[extent.file].size;
        Require(extent.offset + std::uint64_t{extent.sectors} * extent.stride <= size,
                "an extent lies within its file");
        end = extent.lsn + extent.sectors;
        Require(end <= platform::kLargestImageSectors, "an extent lies within a CD");
        Require(layout->Find(extent.lsn) == &extent, "the first sector finds its extent");
    }
}

} // namespace fuzz
