#pragma once
// What a drive letter reads as: a folder tree whose names match without regard
// to ASCII letter case. Host folders and disc volumes each implement it.
#include "platform/io/media_stream.h"
#include "platform/wintypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct VolumeEntry {
    std::string name; // as the volume shows it
    DWORD attributes; // FILE_ATTRIBUTE_*
    std::uint64_t size;
    FILETIME lastWrite;
};

// Steps from the drive's root down, each matched without regard to ASCII case.
using VolumePath = std::vector<std::string>;

// Every call answers ERROR_SUCCESS or a Windows error code: ERROR_FILE_NOT_FOUND
// (the last step is missing), ERROR_PATH_NOT_FOUND (a folder on the way is
// missing or is a file), ERROR_DIRECTORY (listing a file), ERROR_FILE_CORRUPT
// (the volume's own records do not hold together), ERROR_READ_FAULT,
// ERROR_ACCESS_DENIED.
class Volume {
public:
    virtual ~Volume() = default;

    // The entries of the folder at `folder`, in the volume's own order,
    // without "." and "..".
    virtual DWORD ListFolder(const VolumePath& folder, std::vector<VolumeEntry>& entries) = 0;

    // The entry at `path`; the root (an empty path) is a folder.
    virtual DWORD Find(const VolumePath& path, VolumeEntry& entry) = 0;

    // The volume's name (a disc's label); empty when it has none.
    virtual std::string Label() = 0;

    // A stream of the file at `path`, readable on any one thread at a time.
    virtual DWORD OpenFile(const VolumePath& path, std::unique_ptr<MediaStream>& stream) = 0;
};

} // namespace platform
