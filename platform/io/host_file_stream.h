#pragma once
// A file of this machine as a media stream.
#include "platform/io/media_stream.h"
#include "platform/wintypes.h"

#include <memory>
#include <string>

namespace platform {

// Opens the file at `path` (a Linux path) for reading: ERROR_SUCCESS and the
// stream; ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND when it is missing;
// ERROR_ACCESS_DENIED when it is not a plain file (a folder, a device);
// ERROR_READ_FAULT when it cannot be opened for any other reason.
DWORD OpenHostFileStream(const std::string& path, std::unique_ptr<MediaStream>& stream);

} // namespace platform
