#pragma once
// The command line of quelvo-drive, which lists the drive letters and maps
// letters to folders and disc images: list | map LETTER: TARGET | unmap LETTER:
#include <ostream>
#include <string>
#include <vector>

namespace platform {

inline constexpr int kDriveToolDone = 0;
inline constexpr int kDriveToolFailed = 1;
inline constexpr int kDriveToolMisused = 2;

// Runs one command (arguments without the program name) against the current
// drive sources. Results go to out; errors, one line each, and the usage text
// go to err. Returns the exit code.
int RunDriveTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace platform
