#pragma once
// The calling thread's last error, as the Windows calls that answer with a
// bare failure leave it (the file calls: FindFirstFileA and the like).
#include "platform/wintypes.h"

namespace platform {

DWORD GetLastError();
void SetLastError(DWORD error);

} // namespace platform
