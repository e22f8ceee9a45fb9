#include "platform/registry/registry.h"

#include "platform/registry/hive_file.h"
#include "platform/registry/key_handles.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace platform {
namespace {

using registry::Hive;
using registry::HiveFile;
using registry::HiveValue;
using registry::HiveValues;
using registry::KeyHandle;

bool Allows(const KeyHandle& key, REGSAM needed) {
    return (key.access & needed) == needed;
}

std::string_view NameOf(const char* name) {
    return name ? name : "";
}

// Reads the hive of `key` and finds the key's values in it.
LONG ReadKey(HKEY key, REGSAM needed, std::shared_ptr<const Hive>& hive,
             const HiveValues*& values) {
    const std::optional<KeyHandle> handle = registry::LookUp(key);
    if (!handle)
        return ERROR_INVALID_HANDLE;
    if (!Allows(*handle, needed))
        return ERROR_ACCESS_DENIED;
    hive = registry::HiveFileOf(handle->root).Read();
    values = hive->Find(handle->path);
    return values ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// One locked change to the values of `key`.
LONG ChangeValues(HKEY key, const std::function<LONG(HiveValues&, bool& changed)>& change) {
    const std::optional<KeyHandle> handle = registry::LookUp(key);
    if (!handle)
        return ERROR_INVALID_HANDLE;
    if (!Allows(*handle, KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    return registry::HiveFileOf(handle->root).Update([&](Hive& hive, bool& changed) {
        HiveValues* values = hive.Find(handle->path);
        return values ? change(*values, changed) : ERROR_KEY_DELETED;
    });
}

LONG OpenOrCreate(HKEY key, const char* subKey, REGSAM access, bool create, HKEY* result,
                  DWORD* disposition) {
    if (!result || (create && !subKey))
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const std::optional<KeyHandle> parent = registry::LookUp(key);
    if (!parent)
        return ERROR_INVALID_HANDLE;
    const std::optional<std::string> path =
        registry::CanonicalKeyPath(parent->path, NameOf(subKey));
    if (!path || registry::KeyDepth(*path) > registry::kMaxKeyDepth)
        return ERROR_INVALID_PARAMETER;
    // Opening for writing needs no write yet: a file that cannot be written
    // refuses the changes that would change it, when they come.
    const HiveFile file = registry::HiveFileOf(parent->root);
    const std::shared_ptr<const Hive> hive = file.Read();
    if (!hive->Find(parent->path))
        return ERROR_KEY_DELETED;
    bool created = false;
    if (!hive->Find(*path)) {
        if (!create)
            return ERROR_FILE_NOT_FOUND;
        if (!Allows(*parent, KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        const LONG made = file.Update([&](Hive& current, bool& changed) {
            if (!current.Find(parent->path))
                return ERROR_KEY_DELETED;
            created = changed = current.Create(*path);
            return ERROR_SUCCESS;
        });
        if (made != ERROR_SUCCESS)
            return made;
    }
    *result = registry::OpenHandle({parent->root, *path, access});
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

} // namespace

LONG RegCreateKeyExA(HKEY key, const char* subKey, REGSAM access, HKEY* result,
                     DWORD* disposition) {
    return OpenOrCreate(key, subKey, access, true, result, disposition);
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, REGSAM access, HKEY* result) {
    return OpenOrCreate(key, subKey, access, false, result, nullptr);
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* dataSize) {
    if (data && !dataSize)
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<const Hive> hive;
    const HiveValues* values = nullptr;
    if (const LONG read = ReadKey(key, KEY_QUERY_VALUE, hive, values); read != ERROR_SUCCESS)
        return read;
    const HiveValue* value = registry::FindValue(*values, NameOf(valueName));
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const auto size = static_cast<DWORD>(value->data.size());
    LONG result = ERROR_SUCCESS;
    if (data && *dataSize < size)
        result = ERROR_MORE_DATA;
    else if (data)
        std::copy(value->data.begin(), value->data.end(), data);
    if (dataSize)
        *dataSize = size;
    return result;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD dataSize) {
    const std::string_view name = NameOf(valueName);
    if ((!data && dataSize > 0) || !registry::IsStorableValueName(name))
        return ERROR_INVALID_PARAMETER;
    const std::vector<BYTE> bytes(data, data + dataSize);
    return ChangeValues(key, [&](HiveValues& values, bool& changed) {
        HiveValue* value = registry::FindValue(values, name);
        if (!value)
            value = &values.emplace_back(HiveValue{std::string(name), type, {}});
        else if (value->type == type && value->data == bytes)
            return ERROR_SUCCESS;
        value->type = type;
        value->data = bytes;
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValueA(HKEY key, const char* valueName) {
    return ChangeValues(key, [name = NameOf(valueName)](HiveValues& values, bool& changed) {
        const HiveValue* value = registry::FindValue(values, name);
        if (!value)
            return ERROR_FILE_NOT_FOUND;
        values.erase(values.begin() + (value - values.data()));
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKeyA(HKEY key, const char* subKey) {
    const std::optional<KeyHandle> parent = registry::LookUp(key);
    if (!parent)
        return ERROR_INVALID_HANDLE;
    const std::optional<std::string> below = registry::CanonicalKeyPath("", NameOf(subKey));
    if (!below || below->empty())
        return ERROR_INVALID_PARAMETER;
    const std::string path = *registry::CanonicalKeyPath(parent->path, *below);
    return registry::HiveFileOf(parent->root).Update([&](Hive& hive, bool& changed) {
        if (!hive.Find(parent->path))
            return ERROR_KEY_DELETED;
        if (!hive.Find(path))
            return ERROR_FILE_NOT_FOUND;
        if (hive.HasSubkeys(path))
            return ERROR_ACCESS_DENIED;
        hive.Remove(path);
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegEnumValueA(HKEY key, DWORD index, std::string* valueName, DWORD* type) {
    std::shared_ptr<const Hive> hive;
    const HiveValues* values = nullptr;
    if (const LONG read = ReadKey(key, KEY_QUERY_VALUE, hive, values); read != ERROR_SUCCESS)
        return read;
    if (index >= values->size())
        return ERROR_NO_MORE_ITEMS;
    if (valueName)
        *valueName = (*values)[index].name;
    if (type)
        *type = (*values)[index].type;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    return registry::CloseHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} // namespace platform
