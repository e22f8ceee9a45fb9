#include "platform/drives/drive_table.h"

#include "platform/ascii_case.h"
#include "platform/paths/drive_letters.h"
#include "platform/paths/path_parts.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace platform {
namespace {
// A target that is not a folder (or no longer exists) is taken for an image
// when its name says so; otherwise it stays a folder, which simply holds no
// disc until the folder is back.
DriveKind MappedKind(const std::string& target) {
    std::error_code error;
    if (std::filesystem::is_directory(target, error))
        return DriveKind::MappedFolder;
    return IsDiscImageName(target) ? DriveKind::MappedImage : DriveKind::MappedFolder;
}

std::string WhyMappingIsIgnored(const DriveMapping& mapping, const DriveTable& table) {
    if (DriveLetter(mapping.letter) != mapping.letter)
        return "not a drive letter";
    if (mapping.letter == kHomeDriveLetter)
        return "C: is the home folder";
    if (table.Find(mapping.letter))
        return "the letter is mapped twice";
    if (!std::filesystem::path(mapping.target).is_absolute())
        return "the target is not an absolute path";
    return {};
}
} // namespace

const Drive* DriveTable::Find(char letter) const {
    const std::optional<char> upper = DriveLetter(letter);
    const auto found = std::find_if(drives.begin(), drives.end(),
                                    [upper](const Drive& drive) { return drive.letter == upper; });
    return found == drives.end() ? nullptr : &*found;
}

DriveTable BuildDriveTable(const std::string& homeFolder,
                           const std::vector<std::string>& opticalDevices,
                           const std::vector<DriveMapping>& mappings,
                           const std::optional<Drive>& runDrive) {
    DriveTable table;
    table.drives.push_back({kHomeDriveLetter, DriveKind::HomeFolder, homeFolder});
    if (runDrive && !table.Find(runDrive->letter))
        table.drives.push_back(*runDrive);
    for (const DriveMapping& mapping : mappings) {
        if (std::string reason = WhyMappingIsIgnored(mapping, table); !reason.empty())
            table.ignored.push_back({mapping, std::move(reason)});
        else
            table.drives.push_back({mapping.letter, MappedKind(mapping.target), mapping.target});
    }
    char next = kFirstOpticalDriveLetter;
    for (const std::string& device : opticalDevices) {
        while (next <= 'Z' && table.Find(next))
            ++next;
        // Past Z: there is no letter left; Windows has the same limit.
        if (next > 'Z')
            break;
        table.drives.push_back({next, DriveKind::OpticalDrive, device});
    }
    std::sort(table.drives.begin(), table.drives.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    return table;
}

bool IsDiscImageName(std::string_view path) {
    static constexpr std::array<std::string_view, 9> kExtensions = {
        ".cue", ".bin", ".iso", ".img", ".toc", ".nrg", ".ccd", ".mds", ".mdf"};
    const std::string extension = AsciiLower(ExtensionPart(path, kHostSeparators));
    return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

} // namespace platform
