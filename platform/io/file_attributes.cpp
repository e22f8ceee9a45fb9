#include "platform/io/file_attributes.h"

namespace platform {
namespace {
constexpr std::int64_t secondsFrom1601To1970 = 11644473600;
constexpr std::uint64_t intervalsPerSecond = 10000000;
} // namespace

FILETIME FileTimeFromUnixTime(std::int64_t seconds, std::uint32_t nanoseconds) {
    if (seconds < -secondsFrom1601To1970)
        return {0, 0};
    const std::uint64_t intervals =
        static_cast<std::uint64_t>(seconds + secondsFrom1601To1970) * intervalsPerSecond +
        nanoseconds / 100;
    return {static_cast<DWORD>(intervals), static_cast<DWORD>(intervals >> 32)};
}

} // namespace platform
