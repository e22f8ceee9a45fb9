#pragma once
// Reads a command's flags and record, asks the driver, and fills in what the
// command returns.
#include "platform/mci/driver.h"

namespace platform::mci {

// Every command but open and close; the device's notifications are the
// caller's business.
MCIERROR RunCommand(Driver& driver, UINT message, DWORD flags, DWORD_PTR params);

} // namespace platform::mci
