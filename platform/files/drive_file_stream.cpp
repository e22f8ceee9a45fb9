#include "platform/files/drive_file_stream.h"

#include "platform/drives/drive_volume.h"
#include "platform/paths/drive_path.h"
#include "platform/winerror.h"

namespace platform {

DWORD OpenDriveFileStream(const std::string& path, std::unique_ptr<MediaStream>& stream) {
    DrivePath parsed;
    DWORD error = ERROR_SUCCESS;
    if (!ParseFilePath(path, parsed, error))
        return error;
    const std::unique_ptr<Volume> volume = OpenDriveVolume(parsed.letter, error);
    if (!volume)
        return error;
    return volume->OpenFile(parsed.names, stream);
}

} // namespace platform
