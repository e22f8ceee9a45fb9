#pragma once
// Files on drive letters as media streams, for the media drivers.
#include "platform/io/media_stream.h"
#include "platform/wintypes.h"

#include <memory>
#include <string>

namespace platform {

// Opens the file at a drive path ("E:\MPEGAV\AVSEQ01.DAT") for reading, its
// steps matched as the file calls match them: ERROR_SUCCESS and the stream,
// or the error GetFileAttributesA would give, or ERROR_ACCESS_DENIED for a
// folder or anything else that is not a plain file. The stream stays readable
// after the call, on any one thread at a time.
DWORD OpenDriveFileStream(const std::string& path, std::unique_ptr<MediaStream>& stream);

} // namespace platform
