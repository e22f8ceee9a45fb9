#include "platform/disc/nero_image.h"

#include <string_view>

namespace platform {
namespace {

constexpr std::size_t largestChunkCount = 256;
constexpr std::uint32_t trackAtOnceGap = 150; // run-out, run-in and pregap between tracks

bool IsId(Bytes bytes, std::uint64_t at, std::string_view id) {
    if (at > bytes.size() || bytes.size() - at < id.size())
        return false;
    for (std::size_t i = 0; i < id.size(); ++i)
        if (bytes[at + i] != static_cast<std::uint8_t>(id[i]))
            return false;
    return true;
}

// The sector size of a track-at-once entry's mode.
std::optional<std::uint32_t> SizeOfMode(std::uint64_t mode) {
    switch (mode) {
    case 0:
    case 2:
        return 2048;
    case 3:
        return 2336;
    case 5:
    case 6:
    case 7:
        return 2352;
    case 15:
    case 16:
    case 17:
        return 2448;
    default:
        return std::nullopt;
    }
}

class NeroReader {
public:
    NeroReader(Bytes tail, const ImageFile& image, std::string& problem)
        : tail_(tail), base_(image.size - tail.size()), problem_(problem) {
        file_ = layout_.FileIndex(image);
    }

    std::optional<ImageLayout> Read() {
        std::optional<std::uint64_t> chunk;
        if (IsId(tail_, tail_.size() >= 12 ? tail_.size() - 12 : tail_.size(), "NER5"))
            chunk = BigEndian(tail_, tail_.size() - 8, 8);
        else if (IsId(tail_, tail_.size() >= 8 ? tail_.size() - 8 : tail_.size(), "NERO"))
            chunk = BigEndian(tail_, tail_.size() - 4, 4);
        if (!chunk)
            return Fail("it has no Nero footer");
        if (*chunk < base_)
            return Fail("its Nero footer points outside the image");
        std::uint64_t at = *chunk - base_;
        for (std::size_t count = 0; count < largestChunkCount; ++count) {
            const std::optional<std::uint64_t> size = BigEndian(tail_, at + 4, 4);
            if (!size || IsId(tail_, at, "END!"))
                break;
            const Bytes body =
                tail_.subspan(at + 8, std::min<std::uint64_t>(*size, tail_.size() - (at + 8)));
            if (IsId(tail_, at, "ETNF") || IsId(tail_, at, "ETN2"))
                return TrackAtOnce(body, IsId(tail_, at, "ETN2"));
            if (IsId(tail_, at, "DAOI") || IsId(tail_, at, "DAOX"))
                return DiscAtOnce(body, IsId(tail_, at, "DAOX"));
            at += 8 + *size;
        }
        return Fail("its Nero chunks describe no track");
    }

private:
    std::optional<ImageLayout> Fail(std::string problem) {
        problem_ = std::move(problem);
        return std::nullopt;
    }

    bool Add(std::uint64_t lsn, std::uint64_t offset, std::uint64_t bytes, std::uint32_t size) {
        if (lsn >= kLargestImageSectors) {
            problem_ = "its tracks run past the end of a CD";
            return false;
        }
        const std::uint64_t sectors = std::min<std::uint64_t>(bytes / size, kLargestImageSectors);
        return layout_.Add(static_cast<std::uint32_t>(lsn), static_cast<std::uint32_t>(sectors),
                           file_, offset, size, *SectorFormatOfSize(size), problem_);
    }

    // Written track at once: each entry gives where a track lies in the file and its
    // first sector, counted without the gaps between tracks, which the file does not hold.
    std::optional<ImageLayout> TrackAtOnce(Bytes body, bool wide) {
        const std::size_t entry = wide ? 32 : 20;
        const std::size_t number = wide ? 8 : 4;
        for (std::size_t track = 0; track < body.size() / entry; ++track) {
            const std::uint64_t at = track * entry;
            const auto offset = BigEndian(body, at, number);
            const auto bytes = BigEndian(body, at + number, number);
            const auto size = SizeOfMode(*BigEndian(body, at + 2 * number, 4));
            const auto start = BigEndian(body, at + 2 * number + 4, 4);
            if (!offset || !bytes || !size || !start)
                return Fail("its track " + std::to_string(track + 1) + " has a mode no CD has");
            if (!Add(*start + trackAtOnceGap * track, *offset, *bytes, *size))
                return std::nullopt;
        }
        return Done();
    }

    // Written disc at once: each entry gives the track's sector size and where its
    // pregap, its first sector and its end lie in the file; sector 0 is track 1's
    // first sector.
    std::optional<ImageLayout> DiscAtOnce(Bytes body, bool wide) {
        constexpr std::size_t header = 22;
        const std::size_t entry = wide ? 42 : 30;
        const std::size_t number = wide ? 8 : 4;
        std::int64_t lsn = 0;
        for (std::size_t track = 0; header + (track + 1) * entry <= body.size(); ++track) {
            const std::uint64_t at = header + track * entry;
            const auto size = BigEndian(body, at + 12, 2);
            const auto index0 = BigEndian(body, at + 18, number);
            const auto index1 = BigEndian(body, at + 18 + number, number);
            const auto end = BigEndian(body, at + 18 + 2 * number, number);
            if (!size || !SectorFormatOfSize(static_cast<std::uint32_t>(*size)) ||
                *index0 > *index1 || *index1 > *end)
                return Fail("its track " + std::to_string(track + 1) +
                            " is not laid out as a CD's");
            const auto sectorSize = static_cast<std::uint32_t>(*size);
            if (track == 0)
                lsn = -static_cast<std::int64_t>((*index1 - *index0) / sectorSize);
            std::uint64_t offset = *index0;
            if (lsn < 0) {
                const std::uint64_t skipped = std::min<std::uint64_t>(
                    static_cast<std::uint64_t>(-lsn), (*end - *index0) / sectorSize);
                offset += skipped * sectorSize;
                lsn += static_cast<std::int64_t>(skipped);
            }
            if (lsn >= 0 && *end - offset >= sectorSize) {
                if (!Add(static_cast<std::uint64_t>(lsn), offset, *end - offset, sectorSize))
                    return std::nullopt;
                lsn += static_cast<std::int64_t>((*end - offset) / sectorSize);
            }
        }
        return Done();
    }

    std::optional<ImageLayout> Done() {
        if (layout_.Extents().empty())
            return Fail("its Nero chunks describe no track");
        return std::move(layout_);
    }

    const Bytes tail_;
    const std::uint64_t base_; // where the tail begins in the file
    std::string& problem_;
    ImageLayout layout_;
    std::size_t file_ = 0;
};

} // namespace

std::optional<ImageLayout> NeroLayout(Bytes tail, const ImageFile& image, std::string& problem) {
    if (tail.size() > image.size) {
        problem = "it is shorter than its own description";
        return std::nullopt;
    }
    return NeroReader(tail, image, problem).Read();
}

} // namespace platform
