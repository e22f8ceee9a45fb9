#pragma once
// The one place that decides where the machine's optical drives are listed.
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Device paths of the optical drives, in the order they take drive letters.
using OpticalDriveSource = std::function<std::vector<std::string>()>;

// The machine's own list, as the kernel gives it.
std::vector<std::string> ListSystemOpticalDrives();

} // namespace platform
