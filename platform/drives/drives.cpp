#include "platform/drives/drives.h"

#include "platform/drives/drive_sources.h"
#include "platform/paths/drive_letters.h"

#include <cstring>

namespace platform {
namespace {
constexpr DWORD kRootLength = 4; // "C:\" and its zero

std::optional<Drive> FindDrive(const DriveTable& table, char letter) {
    if (const Drive* drive = table.Find(letter))
        return *drive;
    return std::nullopt;
}
} // namespace

DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
    const DriveTable table = CurrentDriveTable();
    const DWORD length = static_cast<DWORD>(table.drives.size()) * kRootLength;
    if (!buffer || bufferLength < length + 1)
        return length + 1;
    char* next = buffer;
    for (const Drive& drive : table.drives) {
        const char root[kRootLength] = {drive.letter, ':', '\\', '\0'};
        std::memcpy(next, root, kRootLength);
        next += kRootLength;
    }
    *next = '\0';
    return length;
}

UINT GetDriveTypeA(const char* rootPathName) {
    if (!rootPathName)
        return DRIVE_NO_ROOT_DIR;
    const std::optional<char> letter = ParseDriveRoot(rootPathName);
    const std::optional<Drive> drive = letter ? LookupDrive(*letter) : std::nullopt;
    if (!drive)
        return DRIVE_NO_ROOT_DIR;
    return drive->kind == DriveKind::HomeFolder ? DRIVE_FIXED : DRIVE_CDROM;
}

std::optional<Drive> LookupDrive(char letter) {
    // Every file call on a letter comes here: look for the optical drives only
    // when the letter is not C: or a mapped one.
    if (std::optional<Drive> drive = FindDrive(CurrentMappedDriveTable(), letter))
        return drive;
    return FindDrive(CurrentDriveTable(), letter);
}

} // namespace platform
