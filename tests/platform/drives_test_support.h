#pragma once
// Drive sources a test controls: a fixed optical drive list and mappings kept
// in memory, put in place for the life of the object.
#include "platform/drives/drive_sources.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace drives_test {

class MemoryDriveMappings : public platform::DriveMappingStore {
public:
    std::vector<platform::DriveMapping> Load() const override {
        std::vector<platform::DriveMapping> mappings;
        for (const auto& [letter, target] : stored)
            mappings.push_back({letter, target});
        return mappings;
    }
    void Save(const platform::DriveMapping& mapping) override {
        if (failWrites)
            throw platform::EDriveMappingError("the hive cannot be written");
        stored[mapping.letter] = mapping.target;
    }
    void Remove(char letter) override {
        if (failWrites)
            throw platform::EDriveMappingError("the hive cannot be written");
        stored.erase(letter);
    }

    std::map<char, std::string> stored;
    bool failWrites = false;
};

class ScopedDriveSources {
public:
    explicit ScopedDriveSources(std::vector<std::string> opticalDevices = {})
        : mappings(std::make_shared<MemoryDriveMappings>()),
          previous_(platform::SetDriveSources(
              {[devices = std::move(opticalDevices)] { return devices; }, mappings})) {}
    ~ScopedDriveSources() { platform::SetDriveSources(std::move(previous_)); }
    ScopedDriveSources(const ScopedDriveSources&) = delete;
    ScopedDriveSources& operator=(const ScopedDriveSources&) = delete;

    std::shared_ptr<MemoryDriveMappings> mappings;

private:
    platform::DriveSources previous_;
};

} // namespace drives_test
