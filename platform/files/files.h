#pragma once
// The file calls the program's file search makes, on Windows paths over the
// drive table ("D:\MPEGAV\*.*", "d:/mpegav", "D:\MPEGAV\"):
//   - a letter on a host folder (C: on the home folder, a mapped folder) reads
//     that folder, each step of a path matched without regard to ASCII case,
//     entries listed in Windows order (upper-cased names, compared character
//     by character) rather than the host's arbitrary order;
//   - a letter on an optical drive or a disc image reads the disc's ISO 9660
//     volume (Joliet names where the disc has them), names shown as Windows
//     shows them (no ";1" version, no trailing dot), entries in disc order.
// Folder listings start with "." and "..", except in a drive's root.
// A drive without a readable disc fails with ERROR_NOT_READY; see
// SetErrorMode for whether it is also reported.
//
// Every call is safe from any thread; a failing call sets the thread's last
// error (GetLastError). Names are UTF-8.
#include "platform/io/error_mode.h"
#include "platform/io/file_attributes.h"
#include "platform/last_error.h"
#include "platform/winerror.h"
#include "platform/wintypes.h"

#include <cstdint>

namespace platform {

inline constexpr DWORD MAX_PATH = 260;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t{0});

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    char cFileName[MAX_PATH];
    char cAlternateFileName[14];
};

// The attributes of the file or folder at `fileName` (FILE_ATTRIBUTE_DIRECTORY
// for a folder and for a drive's root), or INVALID_FILE_ATTRIBUTES with the
// last error: ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_NOT_READY,
// ERROR_INVALID_NAME (wildcards, forbidden characters), ERROR_FILE_CORRUPT, ...
DWORD GetFileAttributesA(const char* fileName);

// Starts listing the entries that match the last step of `fileName` ("*.*",
// "*.DAT", or a plain name) in the folder above it. Returns a handle for
// FindNextFileA and FindClose, with the first entry in `findFileData`, or
// INVALID_HANDLE_VALUE with the last error: ERROR_FILE_NOT_FOUND when nothing
// matches (also for a path ending in a separator), ERROR_PATH_NOT_FOUND when
// the folder is missing, and the errors of GetFileAttributesA. The entries are
// those of the folder at the time of this call.
// A file on a disc that holds Mode 2 Form 2 sectors (a Video CD's .DAT) has
// the size of the video data it holds: 2324 bytes a sector, as a stream
// opened on it reads, not the 2048 a sector its folder record counts.
HANDLE FindFirstFileA(const char* fileName, WIN32_FIND_DATAA* findFileData);

// The next entry; FALSE with ERROR_NO_MORE_FILES after the last one, or
// ERROR_INVALID_HANDLE.
BOOL FindNextFileA(HANDLE findFile, WIN32_FIND_DATAA* findFileData);

// The name of the volume at `rootPathName` ("D:\\"), the volume-name part of
// Windows' call of this name: a disc's label, empty for a folder. FALSE with
// the last error: ERROR_INVALID_NAME for a path that is not a drive's root,
// ERROR_MORE_DATA when the name and its ending zero do not fit, and the
// errors of a drive that is not there or not ready.
BOOL GetVolumeInformationA(const char* rootPathName, char* volumeNameBuffer, DWORD volumeNameSize);

// Ends a listing; FALSE with ERROR_INVALID_HANDLE for a handle that is not an
// open listing (also when it was closed already).
BOOL FindClose(HANDLE findFile);

} // namespace platform
