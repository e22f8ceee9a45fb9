#pragma once
// Data sectors for a caller that must not wait long on a drive: the disc
// scan reads folders on the GUI thread. Each read runs on a worker thread; a
// drive that has not answered within the bound fails it, and the worker
// finishes the read later into a buffer of its own.
#include "platform/disc/sector_reader.h"

#include <chrono>
#include <memory>

namespace platform {

// Long enough for a drive to spin up, short enough for a window to wait.
inline constexpr std::chrono::seconds kFolderReadBound{5};

class BoundedDataReader final : public SectorReader {
public:
    BoundedDataReader(std::shared_ptr<SectorReader> sectors, std::chrono::milliseconds bound);

    std::uint32_t Sectors() const override { return sectors_->Sectors(); }
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;
    // Form 2 files are streamed off the GUI thread; these reads are not bounded.
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override {
        return sectors_->ReadForm2(lsn, count, buffer);
    }

private:
    const std::shared_ptr<SectorReader> sectors_;
    const std::chrono::milliseconds bound_;
};

} // namespace platform
