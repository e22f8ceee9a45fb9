#include "platform/drives/drive_sources.h"

#include "platform/drives/registry_drive_mappings.h"
#include "platform/drives/run_drive.h"

#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {
namespace {
std::mutex& SourcesLock() {
    static std::mutex lock;
    return lock;
}

DriveSources& Sources() {
    static DriveSources sources = SystemDriveSources();
    return sources;
}
} // namespace

DriveSources SystemDriveSources() {
    return {ListSystemOpticalDrives, std::make_shared<RegistryDriveMappings>()};
}

DriveSources SetDriveSources(DriveSources sources) {
    const std::lock_guard guard(SourcesLock());
    return std::exchange(Sources(), std::move(sources));
}

DriveSources CurrentDriveSources() {
    const std::lock_guard guard(SourcesLock());
    return Sources();
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    // The reentrant form: drive lookups may come from a player's worker thread.
    passwd account{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &account, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return "/";
}

namespace {
DriveTable BuildCurrentTable(bool withOpticalDrives) {
    const DriveSources sources = CurrentDriveSources();
    const std::vector<std::string> optical = sources.opticalDrives && withOpticalDrives
                                                 ? sources.opticalDrives()
                                                 : std::vector<std::string>{};
    const std::vector<DriveMapping> mappings =
        sources.mappings ? sources.mappings->Load() : std::vector<DriveMapping>{};
    return BuildDriveTable(HomeFolder(), optical, mappings, AddedDriveForThisRun());
}
} // namespace

DriveTable CurrentDriveTable() {
    return BuildCurrentTable(true);
}

DriveTable CurrentMappedDriveTable() {
    return BuildCurrentTable(false);
}

} // namespace platform
