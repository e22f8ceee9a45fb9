#pragma once
// The kernel's own list of optical drives, /proc/sys/dev/cdrom/info.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr const char* kCdromInfoPath = "/proc/sys/dev/cdrom/info";

// Device paths ("/dev/sr0", ...) of the drives named on the "drive name:" row
// of the kernel's CD-ROM information text, in the order they take drive letters.
std::vector<std::string> ParseCdromInfo(std::string_view infoText);

// The same, read from a file; a machine without the file has no optical drive.
std::vector<std::string> ReadCdromInfo(const std::string& path = kCdromInfoPath);

} // namespace platform
