#pragma once
// The volume behind a drive letter, as the drive table has it now.
#include "platform/io/volume.h"

#include <memory>

namespace platform {

// The volume of `letter`, or null and the error: ERROR_PATH_NOT_FOUND for a
// letter that names no drive, ERROR_NOT_READY for a drive with nothing
// readable in it (no disc, an unreadable image, a mapped folder that is gone).
// A drive that is not ready is reported through ReportProblem unless the error
// mode makes such errors fail quietly.
std::unique_ptr<Volume> OpenDriveVolume(char letter, DWORD& error);

} // namespace platform
