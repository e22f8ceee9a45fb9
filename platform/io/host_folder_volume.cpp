#include "platform/io/host_folder_volume.h"

#include "platform/io/file_attributes.h"
#include "platform/io/host_file_stream.h"
#include "platform/io/host_names.h"
#include "platform/paths/path_parts.h"
#include "platform/winerror.h"

#include <sys/stat.h>
#include <utility>

namespace platform {
namespace {

bool IsFolder(const std::string& hostPath) {
    struct stat status {};
    return ::stat(hostPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

VolumeEntry EntryFromStatus(std::string name, const struct stat& status) {
    DWORD attributes = 0;
    if (S_ISDIR(status.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    // What the host hides by its name is what a Windows program should skip.
    if (name.starts_with('.'))
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    const std::uint64_t size =
        S_ISDIR(status.st_mode) ? 0 : static_cast<std::uint64_t>(status.st_size);
    const FILETIME written = FileTimeFromUnixTime(
        status.st_mtim.tv_sec, static_cast<std::uint32_t>(status.st_mtim.tv_nsec));
    return {std::move(name), attributes, size, written};
}

} // namespace

HostFolderVolume::HostFolderVolume(std::string root) : root_(std::move(root)) {
}

DWORD HostFolderVolume::Resolve(const VolumePath& path, std::string& hostPath) const {
    hostPath = root_;
    for (std::size_t step = 0; step < path.size(); ++step) {
        const bool last = step + 1 == path.size();
        if (!IsFolder(hostPath))
            return ERROR_PATH_NOT_FOUND;
        const std::optional<std::string> name = FindHostName(hostPath, path[step]);
        if (!name)
            return last ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        hostPath += "/" + *name;
    }
    return ERROR_SUCCESS;
}

DWORD HostFolderVolume::ListFolder(const VolumePath& folder, std::vector<VolumeEntry>& entries) {
    std::string hostPath;
    if (const DWORD error = Resolve(folder, hostPath))
        return error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error;
    if (!IsFolder(hostPath))
        return ERROR_DIRECTORY;
    const std::optional<std::vector<std::string>> names = ListHostFolder(hostPath);
    if (!names)
        return ERROR_ACCESS_DENIED;
    entries.clear();
    for (const std::string& name : *names) {
        // A dangling link or an entry removed since the listing is no entry.
        struct stat status {};
        if (::stat((hostPath + "/" + name).c_str(), &status) == 0)
            entries.push_back(EntryFromStatus(name, status));
    }
    return ERROR_SUCCESS;
}

DWORD HostFolderVolume::Find(const VolumePath& path, VolumeEntry& entry) {
    std::string hostPath;
    if (const DWORD error = Resolve(path, hostPath))
        return error;
    struct stat status {};
    if (::stat(hostPath.c_str(), &status) != 0)
        return path.empty() ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
    const std::string name =
        path.empty() ? std::string() : std::string(NamePart(hostPath, kHostSeparators));
    entry = EntryFromStatus(name, status);
    return ERROR_SUCCESS;
}

DWORD HostFolderVolume::OpenFile(const VolumePath& path, std::unique_ptr<MediaStream>& stream) {
    std::string hostPath;
    if (const DWORD error = Resolve(path, hostPath))
        return error;
    return OpenHostFileStream(hostPath, stream);
}

} // namespace platform
