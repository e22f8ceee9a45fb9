#include "platform/drives/cdrom_info.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace platform {
namespace {
constexpr std::string_view kDriveNameRow = "drive name:";

// The names come from the kernel, but they end up in paths: accept only what
// a block device under /dev can be called, never a path of its own.
bool IsDeviceName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

std::string_view DriveNameRow(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (line.starts_with(kDriveNameRow))
            return line.substr(kDriveNameRow.size());
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return {};
}
} // namespace

std::vector<std::string> ParseCdromInfo(std::string_view infoText) {
    std::vector<std::string> names;
    std::istringstream row{std::string(DriveNameRow(infoText))};
    for (std::string name; row >> name;) {
        if (IsDeviceName(name) && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    // The kernel adds each drive it registers to the head of its list and prints
    // the list from the head ("drive name:\t\tsr1\tsr0"), so the row runs from
    // the newest drive to the oldest. Reversed, it is the order of registration,
    // which gives /dev/sr0 the first letter.
    std::reverse(names.begin(), names.end());
    std::vector<std::string> devices;
    devices.reserve(names.size());
    for (const std::string& name : names)
        devices.push_back("/dev/" + name);
    return devices;
}

std::vector<std::string> ReadCdromInfo(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        return {};
    // Files under /proc report a size of 0, so read until the end instead.
    std::ostringstream text;
    text << file.rdbuf();
    return ParseCdromInfo(text.str());
}

} // namespace platform
