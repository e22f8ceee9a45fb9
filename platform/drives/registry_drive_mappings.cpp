#include "platform/drives/registry_drive_mappings.h"

#include "platform/paths/drive_letters.h"
#include "platform/registry/TRegistry.h"

#include <algorithm>

namespace platform {
namespace {
const std::string kKeyName = std::string("HKEY_LOCAL_MACHINE\\") + kDriveMappingKey;

void OpenForWriting(TRegistry& registry) {
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey(kDriveMappingKey, true))
        throw EDriveMappingError("the registry key " + kKeyName + " cannot be written");
}
} // namespace

std::vector<DriveMapping> RegistryDriveMappings::Load() const {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kDriveMappingKey))
        return {};
    std::vector<DriveMapping> mappings;
    for (const std::string& name : registry.GetValueNames()) {
        const std::optional<char> letter = ParseDriveName(name);
        if (!letter)
            continue;
        try {
            mappings.push_back({*letter, registry.ReadString(name)});
        } catch (const ERegistryException&) {
            // A number or binary value under a letter's name maps nothing.
        }
    }
    std::sort(mappings.begin(), mappings.end(),
              [](const DriveMapping& a, const DriveMapping& b) { return a.letter < b.letter; });
    return mappings;
}

void RegistryDriveMappings::Save(const DriveMapping& mapping) {
    TRegistry registry;
    OpenForWriting(registry);
    try {
        registry.WriteString(DriveName(mapping.letter), mapping.target);
    } catch (const ERegistryException& failure) {
        throw EDriveMappingError(failure.what());
    }
}

void RegistryDriveMappings::Remove(char letter) {
    TRegistry registry;
    OpenForWriting(registry);
    const std::string name = DriveName(letter);
    // Gone already (another tool removed it meanwhile) is as good as removed.
    if (!registry.DeleteValue(name) && registry.ValueExists(name))
        throw EDriveMappingError("the value " + name + " of " + kKeyName + " cannot be deleted");
}

} // namespace platform
