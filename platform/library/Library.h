#pragma once
// Run-time libraries the program loads by name and looks into by export
// name. The system's libraries are built in.
#include "platform/wintypes.h"

namespace platform {

using FARPROC = void (*)();

// A handle to the library, or null when there is no such library.
HMODULE LoadLibraryA(const char* fileName);
// The export's address, or null when the library has no such export.
FARPROC GetProcAddress(HMODULE module, const char* procName);
BOOL FreeLibrary(HMODULE module);

} // namespace platform
