#pragma once
// Writes a VS_VERSIONINFO block in the Windows binary layout, from which the
// build embeds the program's version information and tests craft their own.
#include "platform/version/VersionInfo.h"
#include "platform/wintypes.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace platform::version {

using VersionNumber = std::array<WORD, 4>; // major, minor, release, build

struct VersionTranslation {
    WORD language = 0;
    WORD codePage = 0;
};

struct VersionString {
    std::string name;  // UTF-8
    std::string value; // UTF-8
};

struct VersionStringTable {
    std::string name; // language and code page as eight hex digits, e.g. "040904E4"
    std::vector<VersionString> strings;
};

struct VersionResource {
    VS_FIXEDFILEINFO fixedInfo{};
    std::vector<VersionStringTable> stringTables; // none: no StringFileInfo
    std::vector<VersionTranslation> translations; // none: no VarFileInfo
};

// The fixed information of an application with these version numbers.
VS_FIXEDFILEINFO MakeFixedFileInfo(const VersionNumber& fileVersion,
                                   const VersionNumber& productVersion);

// The string table name for a translation, upper-case hex, e.g. "040904E4".
std::string StringTableName(VersionTranslation translation);

// Throws std::length_error when the block would exceed its 16-bit length.
std::vector<std::byte> WriteVersionBlock(const VersionResource& resource);

} // namespace platform::version
