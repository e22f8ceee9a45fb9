#include "platform/mci/system_defaults.h"

#include "platform/diagnostics.h"
#include "platform/profile/profile_file.h"
#include "platform/profile/profile_text.h"
#include "platform/registry/registry.h"

#include <cstddef>
#include <string>

namespace platform {
namespace {

struct ProfileEntry {
    const char* section;
    const char* key;
    const char* value;
};

constexpr ProfileEntry winIniDefaults[] = {
    {"MCI Extensions", "dat", "MPEGVideo"},  {"MCI Extensions", "mpg", "MPEGVideo"},
    {"MCI Extensions", "mpeg", "MPEGVideo"}, {"MCI Extensions", "mpe", "MPEGVideo"},
    {"MCI Extensions", "m1v", "MPEGVideo"},  {"MCI Extensions", "m2v", "MPEGVideo"},
    {"MCI Extensions", "vob", "MPEGVideo"},
};

constexpr ProfileEntry systemIniDefaults[] = {{"MCI32", "MPEGVideo", "mciqtz32.dll"}};

constexpr const char* extensionsKey = "SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\";

// Adds each entry the file lacks, creating the file when it is missing;
// entries there, whatever their value, stay as they are.
template <std::size_t Count>
void addMissingEntries(const char* fileName, const ProfileEntry (&entries)[Count]) {
    profile::UpdateProfileText(
        profile::ProfilePath(fileName), [&entries](std::optional<std::string>& text) {
            if (!text)
                text.emplace();
            bool added = false;
            for (const ProfileEntry& entry : entries)
                if (!profile::FindProfileValue(*text, entry.section, entry.key))
                    added |= profile::SetProfileValue(*text, entry.section, entry.key, entry.value);
            return added;
        });
}

void createHandlerIfMissing(const std::string& extension) {
    const std::string path = extensionsKey + extension;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        return;
    }
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS, &key, &disposition) !=
        ERROR_SUCCESS) {
        ReportProblem("Cannot create the media handler key " + path);
        return;
    }
    // Another process may have made it in the meantime; its value stands.
    if (disposition == REG_CREATED_NEW_KEY) {
        static constexpr char handler[] = "MPEGVideo";
        if (RegSetValueExA(key, "MCIHandler", REG_SZ, reinterpret_cast<const BYTE*>(handler),
                           sizeof handler) != ERROR_SUCCESS)
            ReportProblem("Cannot set the media handler of " + path);
    }
    RegCloseKey(key);
}

} // namespace

void EnsureSystemDefaults() {
    addMissingEntries("win.ini", winIniDefaults);
    addMissingEntries("system.ini", systemIniDefaults);
    createHandlerIfMissing(".DAT");
    createHandlerIfMissing(".MPG");
}

} // namespace platform
