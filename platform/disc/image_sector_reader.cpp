#include "platform/disc/image_sector_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::array<std::uint8_t, 12> syncPattern = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t rawHeaderSize = 16;
constexpr std::size_t subheaderSize = 8;

// The mode a raw sector's header gives, or 0 for what is no sector.
int RawMode(const std::uint8_t* sector) {
    if (!std::equal(syncPattern.begin(), syncPattern.end(), sector))
        return 0;
    return sector[15] == 1 || sector[15] == 2 ? sector[15] : 0;
}

// Where a sector's user data begins, or nothing when it holds none.
std::optional<std::size_t> DataAt(SectorFormat format, const std::uint8_t* sector) {
    switch (format) {
    case SectorFormat::Raw: {
        const int mode = RawMode(sector);
        if (mode == 0)
            return std::nullopt;
        return mode == 1 ? rawHeaderSize : rawHeaderSize + subheaderSize;
    }
    case SectorFormat::Mode2:
        return subheaderSize;
    case SectorFormat::Payload:
    case SectorFormat::Data:
        return 0;
    }
    return std::nullopt;
}

std::optional<std::size_t> PayloadAt(SectorFormat format, const std::uint8_t* sector) {
    switch (format) {
    case SectorFormat::Raw:
        if (RawMode(sector) != 2)
            return std::nullopt;
        return rawHeaderSize + subheaderSize;
    case SectorFormat::Mode2:
        return subheaderSize;
    case SectorFormat::Payload:
        return 0;
    case SectorFormat::Data:
        return std::nullopt;
    }
    return std::nullopt;
}

bool ReadFully(int descriptor, std::uint8_t* buffer, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        const ssize_t got = ::pread(descriptor, buffer, size, static_cast<off_t>(offset));
        if (got <= 0)
            return false;
        buffer += got;
        size -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

} // namespace

std::unique_ptr<ImageSectorReader> ImageSectorReader::Open(ImageLayout layout,
                                                           std::string& problem) {
    std::vector<int> descriptors;
    for (const ImageFile& file : layout.Files()) {
        const int descriptor = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            for (const int open : descriptors)
                ::close(open);
            problem = "its image file " + file.path + " cannot be read";
            return nullptr;
        }
        descriptors.push_back(descriptor);
    }
    if (layout.Extents().empty()) {
        problem = "it holds no track";
        return nullptr;
    }
    return std::unique_ptr<ImageSectorReader>(
        new ImageSectorReader(std::move(layout), std::move(descriptors)));
}

ImageSectorReader::ImageSectorReader(ImageLayout layout, std::vector<int> descriptors)
    : layout_(std::move(layout)), descriptors_(std::move(descriptors)) {
}

ImageSectorReader::~ImageSectorReader() {
    for (const int descriptor : descriptors_)
        ::close(descriptor);
}

template <typename Take>
bool ImageSectorReader::Read(std::uint32_t lsn, std::uint32_t count, Take take) {
    if (count == 0 || lsn >= Sectors() || count > Sectors() - lsn)
        return false;
    std::vector<std::uint8_t> stored;
    for (std::uint32_t done = 0; done < count;) {
        const ImageExtent* extent = layout_.Find(lsn + done);
        if (!extent)
            return false;
        const std::uint32_t first = lsn + done - extent->lsn;
        const std::uint32_t run = std::min(count - done, extent->sectors - first);
        stored.resize(std::size_t{run} * extent->stride);
        if (!ReadFully(descriptors_[extent->file], stored.data(), stored.size(),
                       extent->offset + std::uint64_t{first} * extent->stride))
            return false;
        for (std::uint32_t sector = 0; sector < run; ++sector, ++done)
            if (!take(extent->format, stored.data() + std::size_t{sector} * extent->stride, done))
                return false;
    }
    return true;
}

bool ImageSectorReader::ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    return Read(lsn, count, [&](SectorFormat format, const std::uint8_t* sector, std::uint32_t n) {
        const std::optional<std::size_t> at = DataAt(format, sector);
        if (at)
            std::memcpy(buffer + std::size_t{n} * kDataSectorSize, sector + *at, kDataSectorSize);
        return at.has_value();
    });
}

bool ImageSectorReader::ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    return Read(lsn, count, [&](SectorFormat format, const std::uint8_t* sector, std::uint32_t n) {
        const std::optional<std::size_t> at = PayloadAt(format, sector);
        if (at)
            std::memcpy(buffer + std::size_t{n} * kForm2PayloadSize, sector + *at,
                        kForm2PayloadSize);
        return at.has_value();
    });
}

} // namespace platform
