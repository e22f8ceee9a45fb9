#pragma once
// What a path given by the user holds as a disc: a folder (a copied disc), a
// .cue, .toc, .nrg, .ccd, .mds, .bin, .img or .iso image, or an optical drive's device.
#include "platform/drives/drive_mappings.h"
#include "platform/drives/drive_table.h"

#include <string>

namespace platform {

struct DiscTarget {
    DriveKind kind = DriveKind::MappedFolder; // or MappedImage, OpticalDrive
    std::string path;                         // absolute and normalised
};

// Resolves `text` (relative to the current folder) into a disc target.
// Devices count only when `devicesToo` is set. Throws EDriveMappingError with
// a one-line reason ("\"x\" does not exist", "\"x\" is neither ...") otherwise.
DiscTarget ResolveDiscTarget(const std::string& text, bool devicesToo);

} // namespace platform
