#include "system/MCIExtension.h"

#include "platform/ascii_case.h"
#include "platform/profile/TIniFile.h"
#include "platform/registry/TRegistry.h"

namespace {

const std::string ExtensionsKey = "\\SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\";
const std::string HandlerValue = "MCIHandler";

// The key is opened for writing, and created, where the registry allows it.
// Where it does not, a key that exists is still opened for reading: its
// handler is then read as it stands, and a write to it fails with the
// registry's own error instead of vanishing.
bool OpenHandlerKey(platform::TRegistry& registry, const std::string& extension) {
    const std::string key = ExtensionsKey + extension;
    return registry.OpenKey(key, true) || registry.OpenKeyReadOnly(key);
}

} // namespace

std::string NormalizeMCIExtension(const std::string& extension) {
    const std::string upper = platform::AsciiUpper(extension);
    return upper.starts_with('.') ? upper : "." + upper;
}

void ReadMCIExtension(const std::string& Extension, std::string& WinIniDevice, std::string& Handler,
                      std::string& MCIDriver, std::string& MCI32Driver) {
    const std::string extension = NormalizeMCIExtension(Extension);
    WinIniDevice =
        platform::TIniFile("win.ini").ReadString("MCI Extensions", extension.substr(1), "");

    Handler.clear();
    platform::TRegistry registry;
    registry.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    if (OpenHandlerKey(registry, extension)) {
        Handler = registry.ReadString(HandlerValue);
        registry.CloseKey();
    }

    const platform::TIniFile systemIni("system.ini");
    MCI32Driver = systemIni.ReadString("MCI32", Handler, "");
    MCIDriver = systemIni.ReadString("MCI", Handler, "");
}

void WriteMCIExtension(const std::string& Extension, const std::string& WinIniDevice,
                       const std::string& Handler, const std::string& MCIDriver,
                       const std::string& MCI32Driver) {
    const std::string extension = NormalizeMCIExtension(Extension);
    platform::TIniFile("win.ini").WriteString("MCI Extensions", extension.substr(1), WinIniDevice);

    platform::TRegistry registry;
    registry.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    // A key that neither opens nor can be created: CreateKey reports why.
    if (!OpenHandlerKey(registry, extension))
        registry.CreateKey(ExtensionsKey + extension);
    registry.WriteString(HandlerValue, Handler);
    registry.CloseKey();

    platform::TIniFile systemIni("system.ini");
    systemIni.WriteString("MCI32", Handler, MCI32Driver);
    systemIni.WriteString("MCI", Handler, MCIDriver);
}
