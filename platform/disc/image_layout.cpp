#include "platform/disc/image_layout.h"

#include <algorithm>

namespace platform {

std::optional<SectorFormat> SectorFormatOfSize(std::uint32_t size) {
    switch (size) {
    case 2352:
    case 2448:
        return SectorFormat::Raw;
    case 2336:
        return SectorFormat::Mode2;
    case 2324:
        return SectorFormat::Payload;
    case 2048:
        return SectorFormat::Data;
    default:
        return std::nullopt;
    }
}

namespace {
// The bytes a sector of `format` takes at least.
std::uint32_t StoredSize(SectorFormat format) {
    switch (format) {
    case SectorFormat::Raw:
        return 2352;
    case SectorFormat::Mode2:
        return 2336;
    case SectorFormat::Payload:
        return 2324;
    case SectorFormat::Data:
        return 2048;
    }
    return 2352;
}
} // namespace

std::size_t ImageLayout::FileIndex(const ImageFile& file) {
    const auto found = std::find_if(files_.begin(), files_.end(),
                                    [&](const ImageFile& each) { return each.path == file.path; });
    if (found != files_.end())
        return static_cast<std::size_t>(found - files_.begin());
    files_.push_back(file);
    return files_.size() - 1;
}

bool ImageLayout::Add(std::uint32_t lsn, std::uint32_t sectors, std::size_t file,
                      std::uint64_t offset, std::uint32_t stride, SectorFormat format,
                      std::string& problem) {
    if (stride < StoredSize(format) || stride > 2 * StoredSize(format)) {
        problem = "it gives a sector size that does not fit its tracks";
        return false;
    }
    const std::uint64_t size = file < files_.size() ? files_[file].size : 0;
    const std::uint64_t held = offset < size && stride > 0 ? (size - offset) / stride : 0;
    const std::uint32_t room = lsn < kLargestImageSectors ? kLargestImageSectors - lsn : 0;
    sectors = static_cast<std::uint32_t>(std::min<std::uint64_t>({sectors, held, room}));
    if (sectors == 0) {
        problem = "a track lies beyond the end of " +
                  (file < files_.size() ? files_[file].path : std::string("its image file"));
        return false;
    }
    const std::uint32_t end = lsn + sectors;
    const bool overlaps = std::any_of(extents_.begin(), extents_.end(), [&](const ImageExtent& e) {
        return lsn < e.lsn + e.sectors && e.lsn < end;
    });
    if (overlaps) {
        problem = "two of its tracks claim the same sectors";
        return false;
    }
    const auto place =
        std::upper_bound(extents_.begin(), extents_.end(), lsn,
                         [](std::uint32_t wanted, const ImageExtent& e) { return wanted < e.lsn; });
    extents_.insert(place, {lsn, sectors, file, offset, stride, format});
    return true;
}

std::uint32_t ImageLayout::Sectors() const {
    return extents_.empty() ? 0 : extents_.back().lsn + extents_.back().sectors;
}

const ImageExtent* ImageLayout::Find(std::uint32_t lsn) const {
    const auto after =
        std::upper_bound(extents_.begin(), extents_.end(), lsn,
                         [](std::uint32_t wanted, const ImageExtent& e) { return wanted < e.lsn; });
    if (after == extents_.begin())
        return nullptr;
    const ImageExtent& extent = *std::prev(after);
    return lsn - extent.lsn < extent.sectors ? &extent : nullptr;
}

} // namespace platform
