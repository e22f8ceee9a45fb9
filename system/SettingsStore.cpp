#include "system/SettingsStore.h"

#include "system/EError.h"

#include "platform/module/ModuleFileName.h"
#include "platform/registry/transaction.h"
#include "platform/registry/TRegistry.h"
#include "platform/version/VersionBlockWriter.h"
#include "platform/version/VersionInfo.h"

#include <QCoreApplication>
#include <vector>

void WriteRegistryString(platform::HKEY root, const std::string& path, const std::string& name,
                         const std::string& value) {
    platform::TRegistry registry(platform::KEY_ALL_ACCESS);
    registry.SetRootKey(root);
    if (!registry.OpenKey(path, true))
        throw EError(
            QCoreApplication::translate("SettingsStore", "Error encountered saving registry")
                .toStdString());
    if (value.empty())
        registry.DeleteValue(name);
    else
        registry.WriteString(name, value);
    registry.CloseKey();
}

std::string ReadRegistryString(platform::HKEY root, const std::string& path,
                               const std::string& name) {
    std::string result;
    platform::TRegistry registry(platform::KEY_READ);
    registry.SetRootKey(root);
    if (registry.OpenKey(path, true)) {
        result = registry.ReadString(name);
        registry.CloseKey();
    }
    return result;
}

namespace {
std::string settingsKey(const std::string& product, const std::string& subKey) {
    return "SOFTWARE\\Norvane\\" + product + "\\" + subKey;
}
} // namespace

void SaveSetting(const std::string& product, const std::string& subKey, const std::string& name,
                 const std::string& value) {
    WriteRegistryString(platform::HKEY_CURRENT_USER, settingsKey(product, subKey), name, value);
}

void SaveSettings(const std::string& product, const std::string& subKey,
                  const SettingValues& values) {
    platform::RegistryTransaction transaction;
    for (const auto& [name, value] : values)
        SaveSetting(product, subKey, name, value);
    if (transaction.Commit() != platform::ERROR_SUCCESS)
        throw EError(
            QCoreApplication::translate("SettingsStore", "Error encountered saving registry")
                .toStdString());
}

std::string LoadSetting(const std::string& product, const std::string& subKey,
                        const std::string& name) {
    return ReadRegistryString(platform::HKEY_CURRENT_USER, settingsKey(product, subKey), name);
}

// A block without a translation table gives "?.?" like every other
// unreadable block, instead of taking an entry that is not there.
std::string GetFileProductVersion(const std::string& fileName) {
    std::string result = "?.?";
    platform::DWORD handle = 0;
    const platform::DWORD size = platform::GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0)
        return result;
    std::vector<unsigned char> block(size);
    if (!platform::GetFileVersionInfoA(fileName.c_str(), handle, size, block.data()))
        return result;

    void* translation = nullptr;
    platform::UINT translationLength = 0;
    if (!platform::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation,
                                  &translationLength) ||
        translationLength < 4)
        return result;
    const auto* words = static_cast<const unsigned char*>(translation);
    const platform::version::VersionTranslation first{
        static_cast<platform::WORD>(words[0] | (words[1] << 8)),
        static_cast<platform::WORD>(words[2] | (words[3] << 8))};
    const std::string table = platform::version::StringTableName(first);

    void* text = nullptr;
    platform::UINT textLength = 0;
    const std::string query = "\\StringFileInfo\\" + table + "\\ProductVersion";
    if (platform::VerQueryValueA(block.data(), query.c_str(), &text, &textLength) && text)
        result = static_cast<const char*>(text);
    return result;
}

std::string GetProgramVersion() {
    char path[4096];
    const platform::DWORD length = platform::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "?.?";
    return GetFileProductVersion(path);
}

std::string VersionLine(const std::string& program) {
    return program + " (Quelvo Player) " + GetProgramVersion() + "\n";
}

std::string BoolToText(bool value) {
    return value ? "True" : "False";
}
