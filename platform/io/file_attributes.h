#pragma once
// File attributes and times as the Windows file calls report them.
#include "platform/wintypes.h"

#include <cstdint>

namespace platform {

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// A time given in seconds (and nanoseconds) since 1970-01-01 UTC; times
// before 1601 become 0.
FILETIME FileTimeFromUnixTime(std::int64_t seconds, std::uint32_t nanoseconds = 0);

} // namespace platform
