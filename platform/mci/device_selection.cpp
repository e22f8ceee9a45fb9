#include "platform/mci/device_selection.h"

#include "platform/profile/TIniFile.h"

namespace platform::mci {

std::string ExtensionOf(const std::string& element) {
    const std::size_t dot = element.rfind('.');
    const std::size_t separator = element.find_last_of("\\/:");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return {};
    return element.substr(dot + 1);
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
