#pragma once
// The Windows calls the program asks its drives with, answered from the drive
// table: C:\ is the home folder, the optical drives and mapped letters are
// CD-ROM drives.
#include "platform/drives/drive_table.h"
#include "platform/wintypes.h"

#include <optional>

namespace platform {

inline constexpr UINT DRIVE_UNKNOWN = 0;
inline constexpr UINT DRIVE_NO_ROOT_DIR = 1;
inline constexpr UINT DRIVE_REMOVABLE = 2;
inline constexpr UINT DRIVE_FIXED = 3;
inline constexpr UINT DRIVE_REMOTE = 4;
inline constexpr UINT DRIVE_CDROM = 5;
inline constexpr UINT DRIVE_RAMDISK = 6;

// Writes every drive root in letter order, each ended by a zero, and one more
// zero at the end ("C:\<0>D:\<0><0>"), and returns the length without that
// last zero. When the buffer (bufferLength characters, null counts as none)
// is too small nothing is written and the size it needs is returned instead.
DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer);

// The type of the drive whose root is given as "D:\", "D:" or "d:\".
// A letter that names no drive, a path that is not a root, an empty text and
// a null pointer (there is no current drive here) give DRIVE_NO_ROOT_DIR.
UINT GetDriveTypeA(const char* rootPathName);

// What stands behind a letter (either case), for the file layer.
std::optional<Drive> LookupDrive(char letter);

} // namespace platform
