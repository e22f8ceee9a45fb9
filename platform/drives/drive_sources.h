#pragma once
// What every drive call reads from: the optical drives and the stored
// mappings. Tests and tools put their own in place of the machine's.
#include "platform/drives/drive_mappings.h"
#include "platform/drives/drive_table.h"
#include "platform/drives/optical_drives.h"

#include <memory>
#include <string>

namespace platform {

struct DriveSources {
    OpticalDriveSource opticalDrives;            // none listed when empty
    std::shared_ptr<DriveMappingStore> mappings; // no mapping when null
};

// The machine's own sources.
DriveSources SystemDriveSources();

// Replaces the sources in use; returns the previous ones. Safe from any thread.
DriveSources SetDriveSources(DriveSources sources);
DriveSources CurrentDriveSources();

// The home folder behind C:, from $HOME as it is at the time of the call.
std::string HomeFolder();

// The table as it stands now. Built afresh on every call, so that a drive
// plugged in or a letter mapped while the player runs shows up at once.
DriveTable CurrentDriveTable();

// The same without the optical drives: C: and the mapped letters, which take
// their letters before any optical drive does. Cheaper, as listing the
// optical drives can take a good part of a millisecond.
DriveTable CurrentMappedDriveTable();

} // namespace platform
