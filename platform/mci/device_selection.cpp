#include "platform/mci/device_selection.h"

#include "platform/paths/path_parts.h"
#include "platform/profile/TIniFile.h"

namespace platform::mci {

std::string ExtensionOf(const std::string& element) {
    const std::string_view extension = ExtensionPart(element);
    return std::string(extension.empty() ? extension : extension.substr(1));
}

MCIERROR SelectDriverName(const std::string& element, std::string& driverName) {
    const std::string extension = ExtensionOf(element);
    if (extension.empty())
        return MCIERR_EXTENSION_NOT_FOUND;
    const std::string deviceType = TIniFile("win.ini").ReadString("MCI Extensions", extension, "");
    if (deviceType.empty())
        return MCIERR_EXTENSION_NOT_FOUND;
    driverName = TIniFile("system.ini").ReadString("MCI32", deviceType, "");
    return driverName.empty() ? MCIERR_INVALID_DEVICE_NAME : 0;
}

} // namespace platform::mci
