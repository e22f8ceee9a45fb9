#include "platform/files/files.h"

#include "platform/drives/drive_volume.h"
#include "platform/files/name_mask.h"
#include "platform/paths/drive_path.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace platform {
namespace {

struct Listing {
    std::vector<VolumeEntry> entries;
    std::size_t next = 0;
};

// Open listings by handle. Handles are never reused, so a stale one is refused
// instead of reading someone else's listing.
class Listings {
public:
    HANDLE Add(Listing listing) {
        const std::lock_guard guard(lock_);
        const std::uintptr_t id = ++lastId_;
        listings_.emplace(id, std::move(listing));
        return reinterpret_cast<HANDLE>(id);
    }

    // The next entry of `handle` into `entry`; false with the error.
    bool Next(HANDLE handle, VolumeEntry& entry, DWORD& error) {
        const std::lock_guard guard(lock_);
        const auto found = listings_.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == listings_.end()) {
            error = ERROR_INVALID_HANDLE;
            return false;
        }
        Listing& listing = found->second;
        if (listing.next == listing.entries.size()) {
            error = ERROR_NO_MORE_FILES;
            return false;
        }
        entry = listing.entries[listing.next++];
        return true;
    }

    bool Remove(HANDLE handle) {
        const std::lock_guard guard(lock_);
        return listings_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1;
    }

private:
    std::mutex lock_;
    std::unordered_map<std::uintptr_t, Listing> listings_;
    std::uintptr_t lastId_ = 0;
};

Listings& OpenListings() {
    static Listings listings;
    return listings;
}

bool FitsFindData(const VolumeEntry& entry) {
    return entry.name.size() < MAX_PATH;
}

void Fill(const VolumeEntry& entry, WIN32_FIND_DATAA& data) {
    data = {};
    data.dwFileAttributes = entry.attributes;
    data.ftCreationTime = entry.lastWrite;
    data.ftLastAccessTime = entry.lastWrite;
    data.ftLastWriteTime = entry.lastWrite;
    data.nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(entry.size);
    std::memcpy(data.cFileName, entry.name.c_str(), entry.name.size() + 1);
}

// "." and ".." as Windows lists them at the head of every folder but a root.
DWORD AddDotEntries(Volume& volume, const VolumePath& folder, std::vector<VolumeEntry>& entries) {
    VolumeEntry self{}, parent{};
    if (const DWORD error = volume.Find(folder, self))
        return error;
    if (const DWORD error = volume.Find(VolumePath(folder.begin(), folder.end() - 1), parent))
        return error;
    entries.insert(entries.begin(),
                   {VolumeEntry{".", self.attributes, self.size, self.lastWrite},
                    VolumeEntry{"..", parent.attributes, parent.size, parent.lastWrite}});
    return ERROR_SUCCESS;
}

DWORD ListMatches(const DrivePath& folder, std::string_view mask,
                  std::vector<VolumeEntry>& matches) {
    DWORD error = ERROR_SUCCESS;
    const std::unique_ptr<Volume> volume = OpenDriveVolume(folder.letter, error);
    if (!volume)
        return error;
    std::vector<VolumeEntry> entries;
    if ((error = volume->ListFolder(folder.names, entries)))
        return error;
    if (!folder.names.empty() && (error = AddDotEntries(*volume, folder.names, entries)))
        return error;
    matches.clear();
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(matches),
                 [mask](const VolumeEntry& entry) {
                     return FitsFindData(entry) && MatchesMask(entry.name, mask);
                 });
    return matches.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

} // namespace

DWORD GetFileAttributesA(const char* fileName) {
    DrivePath path;
    DWORD error = ERROR_INVALID_PARAMETER;
    if (fileName && ParseFilePath(fileName, path, error)) {
        VolumeEntry entry{};
        const std::unique_ptr<Volume> volume = OpenDriveVolume(path.letter, error);
        if (volume && !(error = volume->Find(path.names, entry)))
            return entry.attributes;
    }
    SetLastError(error);
    return INVALID_FILE_ATTRIBUTES;
}

HANDLE FindFirstFileA(const char* fileName, WIN32_FIND_DATAA* findFileData) {
    DrivePath folder;
    DWORD error = ERROR_INVALID_PARAMETER;
    if (fileName && findFileData) {
        // The mask is the text after the last separator (or after "D:").
        const std::string_view text(fileName);
        const std::size_t separator = text.find_last_of("\\/");
        const std::size_t cut = separator == std::string_view::npos
                                    ? std::min<std::size_t>(text.size(), 2)
                                    : separator + 1;
        const std::string_view mask = text.substr(cut);
        Listing listing;
        if (ParseFilePath(text.substr(0, cut), folder, error) &&
            !(error = mask.empty() ? ERROR_FILE_NOT_FOUND
                                   : ListMatches(folder, mask, listing.entries))) {
            Fill(listing.entries[listing.next++], *findFileData);
            return OpenListings().Add(std::move(listing));
        }
    }
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

BOOL GetVolumeInformationA(const char* rootPathName, char* volumeNameBuffer, DWORD volumeNameSize) {
    DrivePath root;
    DWORD error = ERROR_INVALID_PARAMETER;
    if (rootPathName && volumeNameBuffer && ParseFilePath(rootPathName, root, error)) {
        const std::unique_ptr<Volume> volume =
            root.names.empty() ? OpenDriveVolume(root.letter, error) : nullptr;
        if (!root.names.empty())
            error = ERROR_INVALID_NAME;
        if (volume) {
            const std::string label = volume->Label();
            if (label.size() < volumeNameSize) {
                std::memcpy(volumeNameBuffer, label.c_str(), label.size() + 1);
                return 1;
            }
            error = ERROR_MORE_DATA;
        }
    }
    SetLastError(error);
    return 0;
}

BOOL FindNextFileA(HANDLE findFile, WIN32_FIND_DATAA* findFileData) {
    VolumeEntry entry{};
    DWORD error = ERROR_INVALID_PARAMETER;
    if (findFileData && OpenListings().Next(findFile, entry, error)) {
        Fill(entry, *findFileData);
        return 1;
    }
    SetLastError(error);
    return 0;
}

BOOL FindClose(HANDLE findFile) {
    if (OpenListings().Remove(findFile))
        return 1;
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

} // namespace platform
