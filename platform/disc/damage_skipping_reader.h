#pragma once
// Sectors read through the damage a worn disc has: a read that fails is tried
// again sector by sector, and a sector that stays unreadable reads as an empty
// payload of its size, so that offsets stay true and the MPEG demuxer picks
// the stream up again at the next pack. Only a long unreadable stretch fails
// the read. Each skipped stretch is reported once, with the source's path.
#include "platform/disc/sector_reader.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace platform {

// How often one sector is asked for before it counts as unreadable.
inline constexpr int kTriesPerSector = 3;
// The longest unreadable stretch skipped: five seconds of a Video CD track.
inline constexpr std::uint32_t kLongestSkippedStretch = 375;

// One per stream: its stretch of skipped sectors is its own.
class DamageSkippingReader final : public SectorReader {
public:
    // `source` names the drive or image in the reports.
    DamageSkippingReader(std::shared_ptr<SectorReader> sectors, std::string source);
    ~DamageSkippingReader() override;
    DamageSkippingReader(const DamageSkippingReader&) = delete;
    DamageSkippingReader& operator=(const DamageSkippingReader&) = delete;

    std::uint32_t Sectors() const override { return sectors_->Sectors(); }
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;

    // The read under way gives up at its next sector, and every later one
    // fails at once. Any thread.
    void Cancel() { cancelled_ = true; }

private:
    using Read = bool (SectorReader::*)(std::uint32_t, std::uint32_t, std::uint8_t*);

    bool ReadThrough(Read read, std::size_t sectorSize, std::uint32_t lsn, std::uint32_t count,
                     std::uint8_t* buffer);
    // False when the sector stayed unreadable, or the reading was cancelled.
    bool ReadOne(Read read, std::uint32_t lsn, std::uint8_t* buffer);
    // Closes the unreadable stretch once a sector after it has been read.
    void ReadUpTo(std::uint32_t end);
    bool InDeadStretch(std::uint32_t lsn);
    // Counts `lsn` into the unreadable stretch; false once it is too long.
    bool Skip(std::uint32_t lsn);
    void ReportStretch(const char* outcome);

    const std::shared_ptr<SectorReader> sectors_;
    const std::string source_;
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_; // guards the stretch, read on the stream's thread and at the end
    std::uint32_t stretchFirst_ = 0;
    std::uint32_t stretchLength_ = 0;
    // The stretch found too long to skip, which ended the track.
    std::uint32_t deadFirst_ = 0;
    std::uint32_t deadEnd_ = 0;
};

} // namespace platform
