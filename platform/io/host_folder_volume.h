#pragma once
// A drive letter on a folder of this machine (C: on the home folder, a mapped
// folder): each step of a path is matched without regard to ASCII case, like
// Windows, and folders list in Windows order, not in the host's arbitrary one.
#include "platform/io/volume.h"

namespace platform {

class HostFolderVolume final : public Volume {
public:
    explicit HostFolderVolume(std::string root);

    DWORD ListFolder(const VolumePath& folder, std::vector<VolumeEntry>& entries) override;
    DWORD Find(const VolumePath& path, VolumeEntry& entry) override;
    DWORD OpenFile(const VolumePath& path, std::unique_ptr<MediaStream>& stream) override;
    // A folder has no label of its own.
    std::string Label() override { return {}; }

private:
    // The host path behind `path`.
    DWORD Resolve(const VolumePath& path, std::string& hostPath) const;

    const std::string root_;
};

} // namespace platform
