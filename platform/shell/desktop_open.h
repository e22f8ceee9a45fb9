#pragma once
// Where an accepted "open" goes: the desktop's URL handler. In a file of its
// own so that a test executable can link a stand-in in its place, and no
// browser starts; nothing in the program can switch it.
#include "platform/shell/shell.h"

namespace platform {

// True when the desktop took the request on.
bool OpenOnDesktop(const ShellRequest& request);

} // namespace platform
