#include "platform/drives/run_drive.h"

#include "platform/drives/disc_target.h"
#include "platform/drives/drive_sources.h"
#include "platform/paths/drive_letters.h"

#include <algorithm>
#include <filesystem>
#include <mutex>

namespace platform {
namespace {
struct RunDrive {
    char letter = 0;
    std::optional<Drive> added;
};

std::mutex& RunDriveLock() {
    static std::mutex lock;
    return lock;
}

RunDrive& TheRunDrive() {
    static RunDrive drive;
    return drive;
}

// /dev/cdrom and the /dev/sr0 it links to, or an image reached through a
// linked folder, are the same disc.
bool SameDisc(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::weakly_canonical(a, error) ==
           std::filesystem::weakly_canonical(b, error);
}

bool LetterInUse(const DriveTable& table, char letter) {
    if (table.Find(letter))
        return true;
    for (const IgnoredMapping& ignored : table.ignored)
        if (DriveLetter(ignored.mapping.letter) == letter)
            return true;
    return false;
}

char FreeLetter(const DriveTable& table) {
    char highest = kHomeDriveLetter;
    for (const Drive& drive : table.drives)
        highest = std::max(highest, drive.letter);
    for (char letter = highest + 1; letter <= 'Z'; ++letter)
        if (!LetterInUse(table, letter))
            return letter;
    for (char letter = kFirstOpticalDriveLetter; letter <= 'Z'; ++letter)
        if (!LetterInUse(table, letter))
            return letter;
    throw EDriveMappingError("there is no free drive letter for the disc");
}
} // namespace

char PlaceDiscForThisRun(const std::string& path) {
    const DiscTarget target = ResolveDiscTarget(path, true);
    ForgetDriveForThisRun();
    const DriveTable table = CurrentDriveTable();
    RunDrive placed;
    for (const Drive& drive : table.drives)
        if (!placed.letter && drive.kind != DriveKind::HomeFolder &&
            SameDisc(drive.path, target.path))
            placed.letter = drive.letter;
    if (!placed.letter) {
        placed.letter = FreeLetter(table);
        placed.added = Drive{placed.letter, target.kind, target.path};
    }
    const std::lock_guard guard(RunDriveLock());
    TheRunDrive() = placed;
    return placed.letter;
}

bool IsDriveForThisRun(std::string_view name) {
    const std::optional<char> letter = ParseDriveName(name);
    const std::lock_guard guard(RunDriveLock());
    return letter && *letter == TheRunDrive().letter;
}

std::optional<Drive> AddedDriveForThisRun() {
    const std::lock_guard guard(RunDriveLock());
    return TheRunDrive().added;
}

void ForgetDriveForThisRun() {
    const std::lock_guard guard(RunDriveLock());
    TheRunDrive() = {};
}

} // namespace platform
