#include "platform/drives/drive_sources.h"

#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>
#include <utility>

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
    return {ListSystemOpticalDrives, nullptr};
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
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir)
        return account->pw_dir;
    return "/";
}

DriveTable CurrentDriveTable() {
    const DriveSources sources = CurrentDriveSources();
    const std::vector<std::string> optical =
        sources.opticalDrives ? sources.opticalDrives() : std::vector<std::string>{};
    const std::vector<DriveMapping> mappings =
        sources.mappings ? sources.mappings->Load() : std::vector<DriveMapping>{};
    return BuildDriveTable(HomeFolder(), optical, mappings);
}

} // namespace platform
