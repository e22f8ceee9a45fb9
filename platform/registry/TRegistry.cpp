#include "platform/registry/TRegistry.h"

#include <algorithm>
#include <QCoreApplication>

namespace platform {
namespace {

// `what` names the value as %1.
[[noreturn]] void Raise(const char* what, const std::string& name) {
    throw ERegistryException(QCoreApplication::translate("TRegistry", what)
                                 .arg(QString::fromStdString(name))
                                 .toStdString());
}

} // namespace

TRegistry::TRegistry(REGSAM access) : FAccess(access) {
}

TRegistry::~TRegistry() {
    CloseKey();
}

void TRegistry::SetRootKey(HKEY root) {
    if (root == FRootKey)
        return;
    CloseKey();
    FRootKey = root;
}

HKEY TRegistry::BaseFor(const std::string& key) const {
    return FCurrentKey && !key.starts_with('\\') ? FCurrentKey : FRootKey;
}

bool TRegistry::Open(const std::string& key, REGSAM access, bool canCreate) {
    HKEY opened = nullptr;
    const LONG result = canCreate
                            ? RegCreateKeyExA(BaseFor(key), key.c_str(), access, &opened, nullptr)
                            : RegOpenKeyExA(BaseFor(key), key.c_str(), access, &opened);
    if (result != ERROR_SUCCESS)
        return false;
    CloseKey();
    FCurrentKey = opened;
    return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    return Open(key, FAccess, canCreate);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    return Open(key, KEY_READ, false);
}

void TRegistry::CloseKey() {
    if (FCurrentKey)
        RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
}

bool TRegistry::CreateKey(const std::string& key) {
    HKEY created = nullptr;
    if (RegCreateKeyExA(BaseFor(key), key.c_str(), KEY_ALL_ACCESS, &created, nullptr) !=
        ERROR_SUCCESS)
        throw ERegistryException(QCoreApplication::translate("TRegistry", "Failed to create key %1")
                                     .arg(QString::fromStdString(key))
                                     .toStdString());
    RegCloseKey(created);
    return true;
}

bool TRegistry::KeyExists(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(BaseFor(key), key.c_str(), KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

bool TRegistry::ValueExists(const std::string& name) {
    return RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
    return RegDeleteValueA(FCurrentKey, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> TRegistry::GetValueNames() {
    std::vector<std::string> names;
    std::string name;
    for (DWORD index = 0; RegEnumValueA(FCurrentKey, index, &name, nullptr) == ERROR_SUCCESS;
         ++index)
        names.push_back(name);
    return names;
}

bool TRegistry::ReadData(const std::string& name, DWORD& type, std::vector<BYTE>& data) {
    DWORD size = 0;
    if (RegQueryValueExA(FCurrentKey, name.c_str(), &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    // Another process may make the value longer between the two calls.
    for (;;) {
        data.resize(size);
        const LONG result = RegQueryValueExA(FCurrentKey, name.c_str(), &type, data.data(), &size);
        if (result == ERROR_SUCCESS) {
            data.resize(size);
            return true;
        }
        if (result != ERROR_MORE_DATA)
            return false;
    }
}

std::vector<BYTE> TRegistry::ReadTyped(const std::string& name, DWORD expectedType) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!ReadData(name, type, data))
        Raise(QT_TRANSLATE_NOOP("TRegistry", "Failed to get data for '%1'"), name);
    if (type != expectedType)
        Raise(QT_TRANSLATE_NOOP("TRegistry", "Invalid data type for '%1'"), name);
    return data;
}

void TRegistry::WriteData(const std::string& name, DWORD type, const BYTE* data, std::size_t size) {
    if (RegSetValueExA(FCurrentKey, name.c_str(), type, data, static_cast<DWORD>(size)) !=
        ERROR_SUCCESS)
        Raise(QT_TRANSLATE_NOOP("TRegistry", "Failed to set data for '%1'"), name);
}

std::string TRegistry::ReadString(const std::string& name) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!ReadData(name, type, data))
        return "";
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        Raise(QT_TRANSLATE_NOOP("TRegistry", "Invalid data type for '%1'"), name);
    return std::string(data.begin(), std::find(data.begin(), data.end(), 0));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    WriteData(name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), value.size() + 1);
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
    WriteData(name, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()), value.size() + 1);
}

int TRegistry::ReadInteger(const std::string& name) {
    const std::vector<BYTE> data = ReadTyped(name, REG_DWORD);
    if (data.size() != sizeof(DWORD))
        Raise(QT_TRANSLATE_NOOP("TRegistry", "Failed to get data for '%1'"), name);
    DWORD number = 0;
    for (std::size_t at = 0; at < data.size(); ++at)
        number |= static_cast<DWORD>(data[at]) << (8 * at);
    return static_cast<int>(number);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
    const auto number = static_cast<DWORD>(value);
    const BYTE data[4] = {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
                          static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)};
    WriteData(name, REG_DWORD, data, sizeof data);
}

std::vector<BYTE> TRegistry::ReadBinaryData(const std::string& name) {
    return ReadTyped(name, REG_BINARY);
}

void TRegistry::WriteBinaryData(const std::string& name, const std::vector<BYTE>& data) {
    WriteData(name, REG_BINARY, data.data(), data.size());
}

} // namespace platform
