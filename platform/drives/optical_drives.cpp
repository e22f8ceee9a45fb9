#include "platform/drives/optical_drives.h"

#include "platform/drives/cdrom_info.h"

namespace platform {

std::vector<std::string> ListSystemOpticalDrives() {
    return ReadCdromInfo();
}

} // namespace platform
