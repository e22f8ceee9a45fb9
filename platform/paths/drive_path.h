#pragma once
// Windows paths on drive letters ("D:\MPEGAV\AVSEQ01.DAT") taken apart into
// the letter and the names below the drive's root.
#include "platform/wintypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct DrivePath {
    char letter;                    // 'A'..'Z'
    std::vector<std::string> names; // from the root down; empty for the root
};

// Accepts "\" and "/" as separators, repeated separators, "." and ".." steps
// (".." stops at the root, as on Windows) and a trailing separator; "D:" and
// "D:MPEGAV" count from the root, as every drive's current folder is its root
// here. Relative paths, UNC paths and names with control characters or any of
// <>:"| are not drive paths. Wildcards are left for the caller to judge.
std::optional<DrivePath> ParseDrivePath(std::string_view path);

// True when `path` begins with a drive letter and a colon: such a text is
// meant for the drive table, whether or not it parses.
bool NamesDrive(std::string_view path);

// True when a path's step can carry `name` unchanged: valid UTF-8 (the
// program's text), no control character, none of <>:"|*?\/, not "." or "..".
// Host names that fail this cannot be reached through a drive path.
bool IsWindowsName(std::string_view name);

// True when `name` holds a * or ? wildcard.
bool HasWildcard(std::string_view name);

// ParseDrivePath for the calls that take one file or folder: false with the
// Windows error for a text that is no drive path (ERROR_INVALID_NAME, or
// ERROR_PATH_NOT_FOUND for a relative path: there is no current folder) or
// that holds wildcards (ERROR_INVALID_NAME).
bool ParseFilePath(std::string_view fileName, DrivePath& path, DWORD& error);

} // namespace platform
