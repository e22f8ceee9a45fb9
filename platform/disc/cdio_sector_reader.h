#pragma once
// Sectors read through a libcdio handle on an optical drive.
#include "platform/disc/cdio_handles.h"
#include "platform/disc/form2_access_modes.h"
#include "platform/disc/sector_reader.h"

#include <memory>
#include <mutex>

namespace platform {

class CdioSectorReader final : public SectorReader {
public:
    explicit CdioSectorReader(CdioHandle handle);

    std::uint32_t Sectors() const override { return end_; }
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;

private:
    bool WithinDisc(std::uint32_t lsn, std::uint32_t count) const;
    // Reads raw Mode 2 sectors in `mode`, set on the handle first unless it
    // is the handle's mode already. Under lock_.
    bool ReadMode2In(const std::string& mode, std::uint32_t lsn, std::uint32_t count,
                     std::uint8_t* sectors);
    bool ReadMode2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* sectors);

    std::mutex lock_; // guards handle_
    const CdioHandle handle_;
    // The lead-out: libcdio reports success for a read that runs past the end
    // of a short image, with the buffer left as it was, so reads stop here.
    const std::uint32_t end_;
    // The drive's way of reading Form 2, and the mode its handle is in.
    AccessModeFallback accessModes_;
    std::string handleMode_;
};

} // namespace platform
