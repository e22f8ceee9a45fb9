#include "platform/system_defaults.h"

#include "platform/diagnostics.h"
#include "platform/profile/profile_file.h"
#include "platform/registry/registry.h"

#include <string>

namespace platform {
namespace {

constexpr const char* winIniDefaults = "[MCI Extensions]\n"
                                       "dat=MPEGVideo\n"
                                       "mpg=MPEGVideo\n"
                                       "mpeg=MPEGVideo\n"
                                       "mpe=MPEGVideo\n"
                                       "m1v=MPEGVideo\n"
                                       "m2v=MPEGVideo\n"
                                       "vob=MPEGVideo\n";

constexpr const char* systemIniDefaults = "[MCI32]\n"
                                          "MPEGVideo=mciqtz32.dll\n";

constexpr const char* extensionsKey = "SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\";

void createFileIfMissing(const char* fileName, const char* contents) {
    profile::UpdateProfileText(profile::ProfilePath(fileName),
                               [contents](std::optional<std::string>& text) {
                                   if (text)
                                       return false;
                                   text = contents;
                                   return true;
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
    createFileIfMissing("win.ini", winIniDefaults);
    createFileIfMissing("system.ini", systemIniDefaults);
    createHandlerIfMissing(".DAT");
    createHandlerIfMissing(".MPG");
}

} // namespace platform
