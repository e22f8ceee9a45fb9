#pragma once
// Letters the user has pointed at a folder or a disc image, and where they are kept.
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

struct DriveMapping {
    char letter; // 'A'..'Z'
    std::string target;
};

// A mapping store that cannot read or write its mappings says why.
class EDriveMappingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DriveMappingStore {
public:
    virtual ~DriveMappingStore() = default;

    // Every stored mapping, in letter order. Entries that do not name a drive
    // letter, or hold no text, are not mappings and are left out; a store that
    // cannot be read holds no mapping (this never throws).
    virtual std::vector<DriveMapping> Load() const = 0;

    // Both throw EDriveMappingError when the change cannot be saved.
    virtual void Save(const DriveMapping& mapping) = 0;
    virtual void Remove(char letter) = 0;
};

} // namespace platform
