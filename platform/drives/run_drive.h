#pragma once
// A disc named on the player's command line: it stands on a drive letter for
// this run only. The letter lives in this process's memory and is never
// stored with the mappings, so other programs and later runs do not see it.
#include "platform/drives/drive_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Puts the disc at `path` (a folder, a .cue, .toc, .nrg, .ccd, .mds, .bin, .img or .iso image, or
// an optical drive's device) on a letter for this run and returns that letter. A disc that already
// has a letter keeps it; any other takes the first free letter after every letter in use, so the
// drives listed before keep their places. Throws EDriveMappingError with a one-line reason when the
// path holds no disc or no letter is free.
char PlaceDiscForThisRun(const std::string& path);

// True when `name` ("E:") is the letter that PlaceDiscForThisRun gave.
bool IsDriveForThisRun(std::string_view name);

// The drive that PlaceDiscForThisRun added to the table, if it added one.
std::optional<Drive> AddedDriveForThisRun();

// Takes the disc off its letter again.
void ForgetDriveForThisRun();

} // namespace platform
