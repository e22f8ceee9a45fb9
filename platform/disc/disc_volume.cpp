#include "platform/disc/disc_volume.h"

#include "platform/ascii_case.h"
#include "platform/disc/bounded_data_reader.h"
#include "platform/disc/disc_file_stream.h"
#include "platform/io/file_attributes.h"
#include "platform/winerror.h"

#include <algorithm>

namespace platform {
namespace {

// Bounds what a disc of many large folders can hold in memory.
constexpr std::size_t kFoldersKept = 64;

// What a reader sees of a file: the payloads of its sectors for Form 2, where
// the folder record counts 2048 bytes a sector.
std::uint64_t ReadableSize(const IsoRecord& record) {
    if (!record.form2)
        return record.size;
    const std::uint64_t sectors =
        (std::uint64_t{record.size} + kDataSectorSize - 1) / kDataSectorSize;
    return sectors * kForm2PayloadSize;
}

VolumeEntry EntryOf(const IsoRecord& record) {
    DWORD attributes = FILE_ATTRIBUTE_READONLY;
    if (record.folder)
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (record.hidden)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return {record.name, attributes, record.folder ? 0 : ReadableSize(record), record.recorded};
}

} // namespace

std::unique_ptr<DiscVolume> DiscVolume::Open(std::shared_ptr<SectorReader> reader,
                                             std::string source, std::string& problem) {
    BoundedDataReader descriptors(reader, kFolderReadBound);
    std::optional<IsoVolume> volume = ReadIsoVolume(descriptors);
    if (!volume) {
        problem = "the disc holds no ISO 9660 volume";
        return nullptr;
    }
    return std::unique_ptr<DiscVolume>(
        new DiscVolume(std::move(reader), std::move(source), std::move(*volume)));
}

DiscVolume::DiscVolume(std::shared_ptr<SectorReader> reader, std::string source, IsoVolume volume)
    : reader_(std::move(reader)), folders_(reader_, kFolderReadBound), source_(std::move(source)),
      volume_(std::move(volume)) {
}

DWORD DiscVolume::ReadFolder(const IsoRecord& folder, std::vector<IsoRecord>& records) {
    if (folder.size > kLargestFolder)
        return ERROR_FILE_CORRUPT;
    const std::pair key(folder.extent, folder.size);
    if (const auto kept = readFolders_.find(key); kept != readFolders_.end()) {
        records = kept->second;
        return ERROR_SUCCESS;
    }
    const std::uint32_t sectors =
        static_cast<std::uint32_t>((folder.size + kDataSectorSize - 1) / kDataSectorSize);
    std::vector<std::uint8_t> data(std::size_t{sectors} * kDataSectorSize);
    if (sectors > 0 && !folders_.ReadData(folder.extent, sectors, data.data()))
        return ERROR_READ_FAULT;
    std::optional<std::vector<IsoRecord>> parsed = ParseIsoFolder(data, volume_);
    if (!parsed)
        return ERROR_FILE_CORRUPT;
    if (readFolders_.size() >= kFoldersKept)
        readFolders_.clear();
    records = readFolders_.emplace(key, std::move(*parsed)).first->second;
    return ERROR_SUCCESS;
}

DWORD DiscVolume::Walk(const VolumePath& path, IsoRecord& record) {
    record = volume_.root;
    std::vector<IsoRecord> records;
    for (std::size_t step = 0; step < path.size(); ++step) {
        if (!record.folder)
            return ERROR_PATH_NOT_FOUND;
        if (const DWORD error = ReadFolder(record, records))
            return error;
        const auto found = std::find_if(records.begin(), records.end(), [&](const IsoRecord& each) {
            return EqualsIgnoringAsciiCase(each.name, path[step]);
        });
        if (found == records.end())
            return step + 1 == path.size() ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        record = std::move(*found);
    }
    return ERROR_SUCCESS;
}

DWORD DiscVolume::ListFolder(const VolumePath& folder, std::vector<VolumeEntry>& entries) {
    IsoRecord record;
    if (const DWORD error = Walk(folder, record))
        return error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error;
    if (!record.folder)
        return ERROR_DIRECTORY;
    std::vector<IsoRecord> records;
    if (const DWORD error = ReadFolder(record, records))
        return error;
    entries.clear();
    std::transform(records.begin(), records.end(), std::back_inserter(entries), EntryOf);
    return ERROR_SUCCESS;
}

DWORD DiscVolume::Find(const VolumePath& path, VolumeEntry& entry) {
    IsoRecord record;
    if (const DWORD error = Walk(path, record))
        return error;
    entry = EntryOf(record);
    return ERROR_SUCCESS;
}

DWORD DiscVolume::OpenFile(const VolumePath& path, std::unique_ptr<MediaStream>& stream) {
    IsoRecord record;
    if (const DWORD error = Walk(path, record))
        return error;
    if (record.folder)
        return ERROR_ACCESS_DENIED;
    stream = std::make_unique<DiscFileStream>(reader_, source_, record);
    return ERROR_SUCCESS;
}

} // namespace platform
