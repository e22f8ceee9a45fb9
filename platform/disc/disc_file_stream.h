#pragma once
// A file on a disc as a media stream. A Form 2 file (a Video CD's .DAT, a
// Super Video CD's .MPG) reads as the 2324-byte payloads of its sectors, one
// after the other, which is the MPEG stream it holds; any other file reads as
// its 2048-byte data sectors, cut at its size.
#include "platform/disc/damage_skipping_reader.h"
#include "platform/disc/iso_records.h"
#include "platform/io/media_stream.h"

#include <memory>
#include <vector>

namespace platform {

class DiscFileStream final : public MediaStream {
public:
    // `source` names the drive or image in reports of damage.
    DiscFileStream(std::shared_ptr<SectorReader> reader, std::string source, const IsoRecord& file);

    // Damaged sectors read as empty payloads. A stretch too long to skip ends
    // a Read early, or fails it (-1) when nothing was read before it; it is
    // never taken for the end of the file.
    std::int64_t Read(char* buffer, std::uint64_t size) override;
    bool Seek(std::int64_t offset) override;
    std::int64_t Size() const override { return size_; }
    void Cancel() override { reader_.Cancel(); }
    // The disc's entry table read anew: a Form 2 file's entries only.
    std::vector<std::int64_t> EntryOffsets() override;

private:
    // Loads the sectors from `sector` (counted from the file's start) on.
    bool Load(std::uint32_t sector);

    DamageSkippingReader reader_;
    const std::uint32_t extent_;
    const std::uint32_t sectors_;
    const bool form2_;
    const std::size_t sectorBytes_; // what one sector gives the stream
    const std::int64_t size_;
    std::int64_t position_ = 0;
    // The sectors read last, so that small reads do not each go to the disc.
    std::vector<std::uint8_t> loaded_;
    std::uint32_t loadedFirst_ = 0;
    std::uint32_t loadedCount_ = 0;
};

} // namespace platform
