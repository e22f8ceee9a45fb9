#include "platform/disc/iso_image_sector_reader.h"

namespace platform {

IsoImageSectorReader::IsoImageSectorReader(IsoImageHandle image, std::uint32_t sectors)
    : image_(std::move(image)), sectors_(sectors) {
}

bool IsoImageSectorReader::ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    const std::lock_guard guard(lock_);
    const long wanted = static_cast<long>(count * kDataSectorSize);
    return count > 0 && lsn < sectors_ && count <= sectors_ - lsn &&
           iso9660_iso_seek_read(image_.get(), buffer, static_cast<lsn_t>(lsn), count) == wanted;
}

bool IsoImageSectorReader::ReadForm2(std::uint32_t, std::uint32_t, std::uint8_t*) {
    return false;
}

} // namespace platform
