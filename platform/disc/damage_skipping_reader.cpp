#include "platform/disc/damage_skipping_reader.h"

#include "platform/diagnostics.h"

#include <cstring>

namespace platform {

DamageSkippingReader::DamageSkippingReader(std::shared_ptr<SectorReader> sectors,
                                           std::string source)
    : sectors_(std::move(sectors)), source_(std::move(source)) {
}

DamageSkippingReader::~DamageSkippingReader() {
    const std::lock_guard lock(mutex_);
    if (stretchLength_ > 0)
        ReportStretch("skipped");
}

bool DamageSkippingReader::ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    return ReadThrough(&SectorReader::ReadData, kDataSectorSize, lsn, count, buffer);
}

bool DamageSkippingReader::ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) {
    return ReadThrough(&SectorReader::ReadForm2, kForm2PayloadSize, lsn, count, buffer);
}

bool DamageSkippingReader::ReadThrough(Read read, std::size_t sectorSize, std::uint32_t lsn,
                                       std::uint32_t count, std::uint8_t* buffer) {
    if (cancelled_)
        return false;
    // Outside the medium nothing is damaged: the caller asked for too much.
    if (count == 0 || lsn >= Sectors() || count > Sectors() - lsn)
        return false;
    // Asked again, a stretch found too long fails at once instead of being
    // tried sector by sector all over.
    if (InDeadStretch(lsn))
        return false;
    if ((*sectors_.*read)(lsn, count, buffer)) {
        ReadUpTo(lsn + count);
        return true;
    }
    for (std::uint32_t sector = 0; sector < count; ++sector) {
        std::uint8_t* payload = buffer + sector * sectorSize;
        if (ReadOne(read, lsn + sector, payload))
            continue;
        if (cancelled_ || !Skip(lsn + sector))
            return false;
        std::memset(payload, 0, sectorSize);
    }
    return true;
}

bool DamageSkippingReader::ReadOne(Read read, std::uint32_t lsn, std::uint8_t* buffer) {
    for (int attempt = 0; attempt < kTriesPerSector && !cancelled_; ++attempt) {
        if ((*sectors_.*read)(lsn, 1, buffer)) {
            ReadUpTo(lsn + 1);
            return true;
        }
    }
    return false;
}

bool DamageSkippingReader::InDeadStretch(std::uint32_t lsn) {
    const std::lock_guard lock(mutex_);
    return lsn >= deadFirst_ && lsn < deadEnd_;
}

void DamageSkippingReader::ReadUpTo(std::uint32_t end) {
    const std::lock_guard lock(mutex_);
    if (stretchLength_ > 0 && end > stretchFirst_ + stretchLength_)
        ReportStretch("skipped");
}

bool DamageSkippingReader::Skip(std::uint32_t lsn) {
    const std::lock_guard lock(mutex_);
    // A sector read again (after a seek back) lies inside the stretch already.
    if (stretchLength_ > 0 && lsn >= stretchFirst_ && lsn < stretchFirst_ + stretchLength_)
        return true;
    if (stretchLength_ > 0 && lsn != stretchFirst_ + stretchLength_)
        ReportStretch("skipped");
    if (stretchLength_ == 0)
        stretchFirst_ = lsn;
    if (++stretchLength_ < kLongestSkippedStretch)
        return true;
    deadFirst_ = stretchFirst_;
    deadEnd_ = lsn + 1;
    ReportStretch("not skipped: the track ends there");
    return false;
}

void DamageSkippingReader::ReportStretch(const char* outcome) {
    ReportProblem(source_ + ": sectors " + std::to_string(stretchFirst_) + " to " +
                  std::to_string(stretchFirst_ + stretchLength_ - 1) + " cannot be read; " +
                  outcome + ".");
    stretchLength_ = 0;
}

} // namespace platform
