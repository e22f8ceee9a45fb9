#pragma once
// The profile-string calls the program expects, over the text files
// "win.ini" and "system.ini" of the platform's Windows folder (see
// profile_file.h for where files live and how they are saved).
//
// Threads: any. Ownership: the caller owns every text and buffer; nothing is
// kept after the call. Section and key names match without regard to ASCII
// letter case. Listing (a null section or key) is not offered.
#include "platform/wintypes.h"

namespace platform {

// Copies the value of `key` in `section` of `fileName` (or `defaultValue`, or
// "" when that is null) into `buffer`, cut to size - 1 characters and ended
// with a zero, and returns the number of characters copied. A missing file,
// section or key gives the default. Returns 0 when there is no buffer, or no
// section or key.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName);

// Sets `key` in `section` of `fileName` to `value`; a null `value` removes the
// key. Every other line, comment and the order of the file stay as they were;
// a missing file or section is created. Returns FALSE when the file cannot be
// written, and for a null section or key and names or values that would break
// the file's lines (line breaks, "=" in a key, "]" in a section).
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);

} // namespace platform
