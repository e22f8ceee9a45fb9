#include "platform/disc/lone_image.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {
namespace {

constexpr std::uint32_t descriptorSector = 16;

bool Holds(Bytes bytes, std::size_t at, std::string_view text) {
    return at <= bytes.size() && bytes.size() - at >= text.size() &&
           std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

// Where sector 16's user data begins in a file of `size`-byte sectors, when
// its header says so.
std::optional<std::size_t> DescriptorAt(Bytes head, std::uint32_t size) {
    const std::size_t sector = std::size_t{descriptorSector} * size;
    if (sector + size > head.size())
        return std::nullopt;
    switch (*SectorFormatOfSize(size)) {
    case SectorFormat::Raw: {
        constexpr std::string_view sync("\x00\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x00", 12);
        if (!Holds(head, sector, sync) || (head[sector + 15] != 1 && head[sector + 15] != 2))
            return std::nullopt;
        return sector + (head[sector + 15] == 1 ? 16 : 24);
    }
    case SectorFormat::Mode2:
        if (!std::equal(head.begin() + static_cast<std::ptrdiff_t>(sector),
                        head.begin() + static_cast<std::ptrdiff_t>(sector + 4),
                        head.begin() + static_cast<std::ptrdiff_t>(sector + 4)))
            return std::nullopt;
        return sector + 8;
    case SectorFormat::Payload:
    case SectorFormat::Data:
        return sector;
    }
    return std::nullopt;
}

} // namespace

std::optional<ImageLayout> LoneImageLayout(Bytes head, const ImageFile& image,
                                           std::string& problem) {
    for (const std::uint32_t size : {2352u, 2448u, 2336u, 2324u, 2048u}) {
        const std::optional<std::size_t> at = DescriptorAt(head, size);
        if (!at || !Holds(head, *at + 1, "CD001"))
            continue;
        ImageLayout layout;
        const std::size_t file = layout.FileIndex(image);
        if (!layout.Add(0, kLargestImageSectors, file, 0, size, *SectorFormatOfSize(size), problem))
            return std::nullopt;
        return layout;
    }
    problem = "it is not an image of a CD with data";
    return std::nullopt;
}

bool IsVideoCdDescriptor(Bytes descriptor) {
    return Holds(descriptor, 1, "CD001") && Holds(descriptor, 8, "CD-RTOS CD-BRIDGE");
}

} // namespace platform
