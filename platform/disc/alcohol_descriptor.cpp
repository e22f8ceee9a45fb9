#include "platform/disc/alcohol_descriptor.h"

#include <string_view>

namespace platform {
namespace {

constexpr std::string_view signature = "MEDIA DESCRIPTOR";
constexpr std::size_t sessionOffsetField = 80;
constexpr std::size_t trackBlockSize = 80;
constexpr std::uint8_t audioMode = 0xA9;

bool HasSignature(Bytes bytes) {
    if (bytes.size() < 88)
        return false;
    for (std::size_t i = 0; i < signature.size(); ++i)
        if (bytes[i] != static_cast<std::uint8_t>(signature[i]))
            return false;
    return true;
}

struct TrackBlock {
    std::uint64_t at; // of the block in the descriptor
    std::uint8_t mode;
};

// The blocks of the first session's tracks (points 1 to 99; the others
// describe the lead-in).
std::optional<std::vector<TrackBlock>> TrackBlocks(Bytes bytes, std::string& problem) {
    if (!HasSignature(bytes) || bytes.size() > kLargestDescriptor) {
        problem = "this is not an Alcohol media descriptor";
        return std::nullopt;
    }
    const auto session = LittleEndian(bytes, sessionOffsetField, 4);
    const auto blocks = session ? LittleEndian(bytes, *session + 10, 1) : std::nullopt;
    const auto first = session ? LittleEndian(bytes, *session + 20, 4) : std::nullopt;
    std::vector<TrackBlock> tracks;
    for (std::uint64_t block = 0; blocks && first && block < *blocks; ++block) {
        const std::uint64_t at = *first + block * trackBlockSize;
        const auto mode = LittleEndian(bytes, at, 1);
        const auto point = LittleEndian(bytes, at + 4, 1);
        if (!mode || !point || !LittleEndian(bytes, at + trackBlockSize - 1, 1))
            break;
        if (*point >= 1 && *point <= 99)
            tracks.push_back({at, static_cast<std::uint8_t>(*mode)});
    }
    if (tracks.empty()) {
        problem = "its media descriptor describes no track";
        return std::nullopt;
    }
    return tracks;
}

} // namespace

std::optional<std::string> AlcoholDataFile(Bytes bytes, std::string& problem) {
    const std::optional<std::vector<TrackBlock>> tracks = TrackBlocks(bytes, problem);
    if (!tracks)
        return std::nullopt;
    const auto footer = LittleEndian(bytes, tracks->front().at + 52, 4);
    const auto name = footer ? LittleEndian(bytes, *footer, 4) : std::nullopt;
    const auto wide = footer ? LittleEndian(bytes, *footer + 4, 4) : std::nullopt;
    std::string written;
    const std::size_t step = wide.value_or(0) ? 2 : 1;
    for (std::uint64_t at = name.value_or(bytes.size()); at + step <= bytes.size(); at += step) {
        const auto unit = LittleEndian(bytes, at, step);
        if (!unit || *unit == 0)
            break;
        // Names are ASCII in practice; other characters cannot be matched anyway.
        written.push_back(*unit < 0x80 ? static_cast<char>(*unit) : '?');
    }
    if (written.empty()) {
        problem = "its media descriptor names no data file";
        return std::nullopt;
    }
    return written;
}

std::optional<ImageLayout> AlcoholLayout(Bytes bytes, const ImageFile& data, std::string& problem) {
    const std::optional<std::vector<TrackBlock>> tracks = TrackBlocks(bytes, problem);
    if (!tracks)
        return std::nullopt;
    if (tracks->front().mode == audioMode) {
        problem = "the disc holds no data";
        return std::nullopt;
    }
    ImageLayout layout;
    const std::size_t file = layout.FileIndex(data);
    for (const TrackBlock& track : *tracks) {
        const auto extra = LittleEndian(bytes, track.at + 12, 4);
        const auto size = LittleEndian(bytes, track.at + 16, 2);
        const auto lsn = LittleEndian(bytes, track.at + 36, 4);
        const auto offset = LittleEndian(bytes, track.at + 40, 8);
        const auto sectors = extra ? LittleEndian(bytes, *extra + 4, 4) : std::nullopt;
        const auto format =
            size ? SectorFormatOfSize(static_cast<std::uint32_t>(*size)) : std::nullopt;
        if (!sectors || !format || !lsn || !offset || *lsn >= kLargestImageSectors) {
            problem = "its media descriptor has a track no CD has";
            return std::nullopt;
        }
        if (*sectors > 0 &&
            !layout.Add(
                static_cast<std::uint32_t>(*lsn),
                static_cast<std::uint32_t>(std::min<std::uint64_t>(*sectors, kLargestImageSectors)),
                file, *offset, static_cast<std::uint32_t>(*size), *format, problem))
            return std::nullopt;
    }
    return layout;
}

} // namespace platform
