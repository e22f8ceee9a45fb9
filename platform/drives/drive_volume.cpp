#include "platform/drives/drive_volume.h"

#include "platform/diagnostics.h"
#include "platform/disc/disc_image_cache.h"
#include "platform/disc/disc_source.h"
#include "platform/disc/disc_volume.h"
#include "platform/drives/drives.h"
#include "platform/io/error_mode.h"
#include "platform/io/host_folder_volume.h"
#include "platform/paths/drive_letters.h"
#include "platform/winerror.h"

#include <sys/stat.h>

namespace platform {
namespace {

std::unique_ptr<Volume> OpenFolderVolume(const Drive& drive, std::string& problem) {
    struct stat status {};
    if (::stat(drive.path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        problem = "its folder " + drive.path + " is not there";
        return nullptr;
    }
    return std::make_unique<HostFolderVolume>(drive.path);
}

std::unique_ptr<Volume> OpenDiscVolume(std::shared_ptr<SectorReader> sectors, const Drive& drive,
                                       std::string& problem) {
    if (!sectors)
        return nullptr;
    return DiscVolume::Open(std::move(sectors), drive.path, problem);
}

std::unique_ptr<Volume> OpenVolume(const Drive& drive, std::string& problem) {
    switch (drive.kind) {
    case DriveKind::HomeFolder:
    case DriveKind::MappedFolder:
        return OpenFolderVolume(drive, problem);
    case DriveKind::OpticalDrive:
        return OpenDiscVolume(OpenOpticalDrive(drive.path, problem), drive, problem);
    case DriveKind::MappedImage:
        return OpenDiscVolume(SharedDiscImage(drive.path, problem), drive, problem);
    }
    return nullptr;
}

} // namespace

std::unique_ptr<Volume> OpenDriveVolume(char letter, DWORD& error) {
    const std::optional<Drive> drive = LookupDrive(letter);
    if (!drive) {
        error = ERROR_PATH_NOT_FOUND;
        return nullptr;
    }
    std::string problem;
    std::unique_ptr<Volume> volume = OpenVolume(*drive, problem);
    if (volume) {
        error = ERROR_SUCCESS;
        return volume;
    }
    error = ERROR_NOT_READY;
    if (!CriticalErrorsFailQuietly())
        ReportProblem("Drive " + DriveName(drive->letter) + " is not ready: " + problem + ".");
    return nullptr;
}

} // namespace platform
