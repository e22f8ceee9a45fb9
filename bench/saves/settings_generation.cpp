#include "settings_generation.h"

#include "system/SettingsStore.h"

#include "platform/profile/profile.h"

#include <array>
#include <stdexcept>

namespace {

const std::string product = "Quelvo Player";
const std::string machineKey = "SOFTWARE\\Norvane\\Quelvo Player\\Saves";
// Long enough that a save takes more than one write to the disc.
constexpr std::size_t padding = 400;

std::optional<std::string> NonEmpty(std::string text) {
    if (text.empty())
        return std::nullopt;
    return text;
}

std::optional<std::string> ReadProfile(const char* file, const std::string& name) {
    std::array<char, 2 * padding> buffer{};
    platform::GetPrivateProfileStringA("Saves", name.c_str(), "", buffer.data(),
                                       static_cast<platform::DWORD>(buffer.size()), file);
    return NonEmpty(buffer.data());
}

void WriteProfile(const char* file, const std::string& name, const std::string& value) {
    if (!platform::WritePrivateProfileStringA("Saves", name.c_str(), value.c_str(), file))
        throw std::runtime_error(std::string("cannot write ") + file);
}

} // namespace

const std::vector<SettingsValue>& SettingsValues() {
    static const std::vector<SettingsValue> values = {
        {"user.reg",
         [](const std::string& name) { return NonEmpty(LoadSetting(product, "", name)); },
         [](const std::string& name, const std::string& value) {
             SaveSetting(product, "", name, value);
         }},
        {"system.reg",
         [](const std::string& name) {
             return NonEmpty(ReadRegistryString(platform::HKEY_LOCAL_MACHINE, machineKey, name));
         },
         [](const std::string& name, const std::string& value) {
             WriteRegistryString(platform::HKEY_LOCAL_MACHINE, machineKey, name, value);
         }},
        {"win.ini", [](const std::string& name) { return ReadProfile("win.ini", name); },
         [](const std::string& name, const std::string& value) {
             WriteProfile("win.ini", name, value);
         }},
        {"system.ini", [](const std::string& name) { return ReadProfile("system.ini", name); },
         [](const std::string& name, const std::string& value) {
             WriteProfile("system.ini", name, value);
         }},
    };
    return values;
}

std::string GenerationText(long generation) {
    const std::string number = std::to_string(generation);
    return number + ":" + std::string(padding, 'x') + ":" + number;
}

std::optional<long> GenerationOf(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    try {
        const long generation = std::stol(text.substr(0, colon));
        if (text != GenerationText(generation))
            return std::nullopt;
        return generation;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool SaveGeneration(const std::string& name, long generation) {
    try {
        for (const SettingsValue& value : SettingsValues())
            value.write(name, GenerationText(generation));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
