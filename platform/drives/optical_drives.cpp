#include "platform/drives/optical_drives.h"

#include "platform/disc/cdio_log.h"
#include "platform/drives/cdrom_info.h"

#include <algorithm>
#include <cdio/cdio.h>
#include <filesystem>

namespace platform {
namespace {

// libcdio's own search, for kernels without the CD-ROM information file. It
// names some drives twice (/dev/cdrom and the /dev/sr0 it links to), so each
// device is kept once, under its real name.
std::vector<std::string> ListCdioDevices() {
    RouteCdioLog();
    std::vector<std::string> devices;
    char** found = cdio_get_devices(DRIVER_DEVICE);
    for (char** name = found; name && *name; ++name) {
        std::error_code error;
        const std::filesystem::path device = std::filesystem::canonical(*name, error);
        const std::string path = error ? std::string(*name) : device.string();
        if (std::find(devices.begin(), devices.end(), path) == devices.end())
            devices.push_back(path);
    }
    if (found)
        cdio_free_device_list(found);
    return devices;
}

} // namespace

std::vector<std::string> ListSystemOpticalDrives() {
    std::error_code error;
    if (std::filesystem::exists(kCdromInfoPath, error))
        return ReadCdromInfo();
    return ListCdioDevices();
}

} // namespace platform
