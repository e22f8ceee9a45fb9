#pragma once
#include "platform/wintypes.h"

namespace platform {

// The full path of the running executable, for a null module (the program has
// no other). Copies the path with its terminator into fileName and returns its
// length without the terminator. When it does not fit, copies what fits,
// terminated, and returns size. Returns 0 when size is 0, the module is not
// null, or the path cannot be found.
DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size);

} // namespace platform
