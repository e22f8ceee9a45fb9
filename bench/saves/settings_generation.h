#pragma once
// One generation of settings, as the saver writes it and the checker reads it
// back: a value in each hive and in each profile file, every value carrying
// its generation and a fixed length, so that a value cut short or mixed from
// two saves shows.
#include <optional>
#include <string>
#include <vector>

struct SettingsValue {
    std::string where; // for the report: "user.reg Zoom"
    // Reads the value as the next start would; nothing when it is missing.
    std::optional<std::string> (*read)(const std::string& name);
    void (*write)(const std::string& name, const std::string& value);
};

// The places one save writes, in the order it writes them.
const std::vector<SettingsValue>& SettingsValues();

std::string GenerationText(long generation);
// The generation a complete value holds; nothing for a torn or foreign one.
std::optional<long> GenerationOf(const std::string& text);

// Saves `generation` under `name` everywhere; false when any save failed.
bool SaveGeneration(const std::string& name, long generation);
