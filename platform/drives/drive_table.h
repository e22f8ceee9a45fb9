#pragma once
// Which letter stands for what: C: for the home folder, then the mapped
// letters, then the optical drives on the next free letters from D:.
#include "platform/drives/drive_mappings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class DriveKind { HomeFolder, OpticalDrive, MappedFolder, MappedImage };

struct Drive {
    char letter; // 'A'..'Z'
    DriveKind kind;
    std::string path; // folder, device or image file on this machine
};

// A stored mapping that cannot take its letter, kept so that it can be shown
// and removed rather than vanish without a word.
struct IgnoredMapping {
    DriveMapping mapping;
    std::string reason;
};

struct DriveTable {
    std::vector<Drive> drives; // in letter order
    std::vector<IgnoredMapping> ignored;

    // The drive behind a letter in either case, or null.
    const Drive* Find(char letter) const;
};

inline constexpr char kHomeDriveLetter = 'C';
inline constexpr char kFirstOpticalDriveLetter = 'D';

// A disc placed for this run only (runDrive) takes its letter before the
// stored mappings do.
DriveTable BuildDriveTable(const std::string& homeFolder,
                           const std::vector<std::string>& opticalDevices,
                           const std::vector<DriveMapping>& mappings,
                           const std::optional<Drive>& runDrive = std::nullopt);

// True for the name of a disc image the drive letters read (.cue, .bin, .iso,
// .img, .toc, .nrg, .ccd, .mds, .mdf) in any letter case.
bool IsDiscImageName(std::string_view path);

} // namespace platform
