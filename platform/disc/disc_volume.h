#pragma once
// The ISO 9660 volume of a disc as a drive letter reads it.
#include "platform/disc/bounded_data_reader.h"
#include "platform/disc/iso_records.h"
#include "platform/io/volume.h"

#include <memory>

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
};

} // namespace platform
