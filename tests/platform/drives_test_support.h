#pragma once
// Drive sources a test controls: a fixed optical drive list and mappings kept
// in memory, in place for the life of the object.
#include "platform/drives/drive_sources.h"

#include <map>

namespace drives_test {

struct MemoryDriveMappings : platform::DriveMappingStore {
    std::vector<platform::DriveMapping> Load() const override {
        std::vector<platform::DriveMapping> mappings;
        for (const auto& [letter, target] : stored)
            mappings.push_back({letter, target});
        return mappings;
    }
    void Save(const platform::DriveMapping& mapping) override {
        FailIfAsked();
        stored[mapping.letter] = mapping.target;
    }
    void Remove(char letter) override {
        FailIfAsked();
        stored.erase(letter);
    }
    void FailIfAsked() const {
        if (failWrites)
            throw platform::EDriveMappingError("the hive cannot be written");
    }

    std::map<char, std::string> stored;
    bool failWrites = false;
};

struct ScopedDriveSources {
    explicit ScopedDriveSources(std::vector<std::string> devices = {})
        : previous(platform::SetDriveSources({[devices] { return devices; }, mappings})) {}
    ~ScopedDriveSources() { platform::SetDriveSources(previous); }

    std::shared_ptr<MemoryDriveMappings> mappings = std::make_shared<MemoryDriveMappings>();
    platform::DriveSources previous;
};

} // namespace drives_test
