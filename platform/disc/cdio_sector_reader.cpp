#include "platform/disc/cdio_sector_reader.h"

#include <cstring>
#include <vector>

namespace platform {
namespace {
constexpr std::size_t mode2SectorSize = 2336; // 8-byte subheader, then the payload
constexpr std::size_t subheaderSize = 8;
constexpr std::size_t subheaderCopy = 4;

// libcdio reports success for sectors it could not read from an image (a
// short read of the image file leaves the buffer as it was). A Mode 2 sector
// carries its subheader twice, so the buffer is set up with copies that
// differ: a sector whose copies still differ afterwards was never read.
void MarkUnread(std::uint8_t* sector) {
    std::memset(sector, 0x00, subheaderCopy);
    std::memset(sector + subheaderCopy, 0xFF, subheaderCopy);
}

bool WasRead(const std::uint8_t* sector) {
    return std::memcmp(sector, sector + subheaderCopy, subheaderCopy) == 0;
}
} // namespace

CdioSectorReader::CdioSectorReader(CdioHandle handle)
    : handle_(std::move(handle)),
      end_(static_cast<std::uint32_t>(std::max<lsn_t>(cdio_get_disc_last_lsn(handle_.get()), 0))),
      accessModes_(Form2AccessModes()) {
}

bool CdioSectorReader::ReadMode2In(const std::string& mode, std::uint32_t lsn, std::uint32_t count,
                                   std::uint8_t* sectors) {
    if (mode != handleMode_) {
        if (cdio_set_arg(handle_.get(), "access-mode", mode.c_str()) != DRIVER_OP_SUCCESS)
            return false;
        handleMode_ = mode;
    }
    return cdio_read_mode2_sectors(handle_.get(), sectors, static_cast<lsn_t>(lsn), true, count) ==
           DRIVER_OP_SUCCESS;
}

bool CdioSectorReader::ReadMode2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* sectors) {
    const std::lock_guard guard(lock_);
    return accessModes_.Read(
        [&](const std::string& mode) { return ReadMode2In(mode, lsn, count, sectors); });
}

bool CdioSectorReader::WithinDisc(std::uint32_t lsn, std::uint32_t count) const {
    return count > 0 && lsn < end_ && count <= end_ - lsn;
}

bool CdioSectorReader::ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    if (!WithinDisc(lsn, count))
        return false;
    const std::lock_guard guard(lock_);
    return cdio_read_data_sectors(handle_.get(), buffer, static_cast<lsn_t>(lsn), kDataSectorSize,
                                  count) == DRIVER_OP_SUCCESS;
}

bool CdioSectorReader::ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    if (!WithinDisc(lsn, count))
        return false;
    std::vector<std::uint8_t> sectors(count * mode2SectorSize);
    for (std::uint32_t sector = 0; sector < count; ++sector)
        MarkUnread(sectors.data() + sector * mode2SectorSize);
    if (!ReadMode2(lsn, count, sectors.data()))
        return false;
    for (std::uint32_t sector = 0; sector < count; ++sector) {
        const std::uint8_t* read = sectors.data() + sector * mode2SectorSize;
        if (!WasRead(read))
            return false;
        std::memcpy(buffer + sector * kForm2PayloadSize, read + subheaderSize, kForm2PayloadSize);
    }
    return true;
}

} // namespace platform
