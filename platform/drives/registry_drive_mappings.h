#pragma once
// Drive mappings kept in the machine hive, one text value per letter ("E:")
// holding the target's absolute path.
#include "platform/drives/drive_mappings.h"

namespace platform {

inline constexpr const char* kDriveMappingKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\DOS Devices";

class RegistryDriveMappings : public DriveMappingStore {
public:
    std::vector<DriveMapping> Load() const override;
    void Save(const DriveMapping& mapping) override;
    void Remove(char letter) override;
};

} // namespace platform
