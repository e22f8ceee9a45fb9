#pragma once
// Presentation time stamps found in the bytes of an MPEG-1 or MPEG-2 program
// stream, in 90 kHz ticks.
#include <cstdint>
#include <optional>
#include <span>

namespace platform::mci {

inline constexpr double kTicksPerSecond = 90000.0;

struct PackTimes {
    std::optional<std::uint64_t> firstVideo; // of the first video packet that carries one
    std::optional<std::uint64_t> earliest;   // the smallest of any audio or video packet
};

// The time stamps of the packets that start within `bytes`, which begin
// anywhere: the scan finds its way in by start codes.
PackTimes ScanPackTimes(std::span<const std::uint8_t> bytes);

// `later` - `earlier` in seconds, across the wrap of the 33-bit clock: the
// nearer way round, so a stamp just before `earlier` gives a small negative.
double SecondsBetween(std::uint64_t earlier, std::uint64_t later);

} // namespace platform::mci
