#include "platform/mci/mpeg_timestamps.h"

#include <algorithm>

namespace platform::mci {
namespace {

constexpr std::uint8_t kPackStart = 0xBA;
constexpr std::uint8_t kFirstAudio = 0xC0;
constexpr std::uint8_t kFirstVideo = 0xE0;
constexpr std::uint8_t kLastVideo = 0xEF;
constexpr std::uint64_t kClockWrap = std::uint64_t{1} << 33;

std::uint64_t TimeStampAt(const std::uint8_t* p) {
    return (std::uint64_t{p[0] & 0x0Eu} << 29) | (std::uint64_t{p[1]} << 22) |
           (std::uint64_t{p[2] & 0xFEu} << 14) | (std::uint64_t{p[3]} << 7) | (p[4] >> 1);
}

// The PTS in a packet's header, which starts right after its length field.
std::optional<std::uint64_t> PacketTimeStamp(std::span<const std::uint8_t> header) {
    std::size_t at = 0;
    if (!header.empty() && (header[0] & 0xC0) == 0x80) { // MPEG-2
        if (header.size() < 8 || !(header[1] & 0x80))
            return std::nullopt;
        return TimeStampAt(&header[3]);
    }
    while (at < header.size() && header[at] == 0xFF && at < 16) // MPEG-1 stuffing
        ++at;
    if (at < header.size() && (header[at] & 0xC0) == 0x40) // buffer size
        at += 2;
    if (at + 5 > header.size() || (header[at] & 0xE0) != 0x20)
        return std::nullopt;
    return TimeStampAt(&header[at]);
}

} // namespace

PackTimes ScanPackTimes(std::span<const std::uint8_t> bytes) {
    PackTimes times;
    std::size_t at = 0;
    while (at + 6 <= bytes.size()) {
        if (bytes[at] != 0 || bytes[at + 1] != 0 || bytes[at + 2] != 1) {
            ++at;
            continue;
        }
        const std::uint8_t code = bytes[at + 3];
        if (code == kPackStart) {
            const bool mpeg2 = (bytes[at + 4] & 0xC0) == 0x40;
            const std::size_t stuffing =
                mpeg2 && at + 13 < bytes.size() ? (bytes[at + 13] & 0x07u) : 0;
            at += mpeg2 ? 14 + stuffing : 12;
            continue;
        }
        if (code < 0xBB) { // a start code inside a packet's data
            at += 4;
            continue;
        }
        const std::size_t length = std::size_t{bytes[at + 4]} << 8 | bytes[at + 5];
        const std::size_t end = std::min(bytes.size(), at + 6 + length);
        if (code >= kFirstAudio && code <= kLastVideo) {
            const auto stamp = PacketTimeStamp(bytes.subspan(at + 6, end - (at + 6)));
            if (stamp && code >= kFirstVideo && !times.firstVideo)
                times.firstVideo = stamp;
            if (stamp)
                times.earliest = std::min(times.earliest.value_or(*stamp), *stamp);
        }
        at += 6 + length;
    }
    return times;
}

double SecondsBetween(std::uint64_t earlier, std::uint64_t later) {
    const auto ticks = static_cast<std::int64_t>((later + kClockWrap - earlier) % kClockWrap);
    const std::int64_t signedTicks = ticks >= static_cast<std::int64_t>(kClockWrap / 2)
                                         ? ticks - std::int64_t{kClockWrap}
                                         : ticks;
    return static_cast<double>(signedTicks) / kTicksPerSecond;
}

} // namespace platform::mci
