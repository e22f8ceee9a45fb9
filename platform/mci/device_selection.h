#pragma once
// Automatic device selection: which driver plays an element, following the
// system's association of its extension.
#include "platform/mci/mci.h"

#include <string>

namespace platform::mci {

// The element's extension without its dot ("DAT" for "D:\MPEGAV\AVSEQ01.DAT"):
// what follows the last dot after the last "\", "/" or ":"; empty without one.
std::string ExtensionOf(const std::string& element);

// extension -> win.ini [MCI Extensions] -> device type -> system.ini [MCI32]
// -> driver name. 0 and the name, or MCIERR_EXTENSION_NOT_FOUND (no extension
// or no device type for it) or MCIERR_INVALID_DEVICE_NAME (no driver for the
// device type).
MCIERROR SelectDriverName(const std::string& element, std::string& driverName);

} // namespace platform::mci
