#pragma once
// The ISO 9660 volume of a disc as a drive letter reads it.
#include "platform/disc/bounded_data_reader.h"
#include "platform/disc/iso_records.h"
#include "platform/io/volume.h"

#include <map>
#include <memory>
#include <utility>

namespace platform {

class DiscVolume final : public Volume {
public:
    // Null, with `problem` saying why, when `reader` holds no ISO 9660 volume.
    // `source` (the drive or image) names the disc in reports of damage.
    static std::unique_ptr<DiscVolume> Open(std::shared_ptr<SectorReader> reader,
                                            std::string source, std::string& problem);

    DWORD ListFolder(const VolumePath& folder, std::vector<VolumeEntry>& entries) override;
    DWORD Find(const VolumePath& path, VolumeEntry& entry) override;
    DWORD OpenFile(const VolumePath& path, std::unique_ptr<MediaStream>& stream) override;
    std::string Label() override { return volume_.label; }

private:
    DiscVolume(std::shared_ptr<SectorReader> reader, std::string source, IsoVolume volume);

    // The record at `path`, each step matched without regard to ASCII case.
    DWORD Walk(const VolumePath& path, IsoRecord& record);
    DWORD ReadFolder(const IsoRecord& folder, std::vector<IsoRecord>& records);

    const std::shared_ptr<SectorReader> reader_;
    // Folders are read for the disc scan, on the GUI thread: a drive that
    // does not answer fails the read instead of holding the window.
    BoundedDataReader folders_;
    const std::string source_;
    const IsoVolume volume_;
    // Folders read, by extent and size: a path is walked from the root each
    // time, and a disc does not change under its volume. Failed reads are
    // not kept, so a drive that has spun up is asked again.
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<IsoRecord>> readFolders_;
};

} // namespace platform
