#pragma once
// Sectors of a plain ISO 9660 image (.iso): 2048 bytes of data each, so it
// holds no Form 2 sectors.
#include "platform/disc/cdio_handles.h"
#include "platform/disc/sector_reader.h"

#include <mutex>

namespace platform {

class IsoImageSectorReader final : public SectorReader {
public:
    IsoImageSectorReader(IsoImageHandle image, std::uint32_t sectors);

    std::uint32_t Sectors() const override { return sectors_; }

    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;

private:
    std::mutex lock_; // guards image_
    const IsoImageHandle image_;
    const std::uint32_t sectors_;
};

} // namespace platform
