#pragma once
// The registry as the program's framework offers it: a root, one current key,
// and typed reads and writes of that key's values.
//
// Key names given to OpenKey, OpenKeyReadOnly, CreateKey and KeyExists that
// begin with "\" start at RootKey; other names start at the current key when
// one is open, else at RootKey.
#include "platform/registry/ERegistryException.h"
#include "platform/registry/registry.h"

#include <string>
#include <vector>

namespace platform {

class TRegistry {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // A different root closes the current key.
    void SetRootKey(HKEY root);
    // The open key, or nullptr.
    HKEY CurrentKey() const { return FCurrentKey; }

    // Makes `key` the current key, opened with this object's access; with
    // `canCreate` a missing key is created. False when it cannot be opened.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();

    // Creates `key` (and the keys above it) without opening it; raises
    // "Failed to create key <key>" when that is impossible.
    bool CreateKey(const std::string& key);
    bool KeyExists(const std::string& key);

    bool ValueExists(const std::string& name);
    bool DeleteValue(const std::string& name);
    std::vector<std::string> GetValueNames();

    // A missing value reads as "". Text and expandable text (unexpanded) are
    // returned up to their terminating zero; any other type raises
    // "Invalid data type for '<name>'".
    std::string ReadString(const std::string& name);
    // Raises "Failed to set data for '<name>'" when the value cannot be set.
    void WriteString(const std::string& name, const std::string& value);
    void WriteExpandString(const std::string& name, const std::string& value);

    // A 32-bit number (REG_DWORD). A missing value raises "Failed to get data
    // for '<name>'", another type "Invalid data type for '<name>'".
    int ReadInteger(const std::string& name);
    void WriteInteger(const std::string& name, int value);

    // Raw bytes (REG_BINARY), with the same errors as ReadInteger.
    std::vector<BYTE> ReadBinaryData(const std::string& name);
    void WriteBinaryData(const std::string& name, const std::vector<BYTE>& data);

private:
    // The handle that `key` is relative to.
    HKEY BaseFor(const std::string& key) const;
    bool Open(const std::string& key, REGSAM access, bool canCreate);
    // The value's bytes; false when it does not exist.
    bool ReadData(const std::string& name, DWORD& type, std::vector<BYTE>& data);
    std::vector<BYTE> ReadTyped(const std::string& name, DWORD expectedType);
    void WriteData(const std::string& name, DWORD type, const BYTE* data, std::size_t size);

    REGSAM FAccess;
    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = nullptr;
};

} // namespace platform
