#pragma once
// Short forms of the raw registry calls for tests: each returns what the
// test looks at and leaves the error codes to EXPECT_EQ.
#include "platform/registry/registry.h"
#include "tests/support/Sandbox.h"

#include <filesystem>

#include <string>
#include <vector>

namespace registry_test {

using namespace platform;

inline HKEY Create(const char* path, REGSAM access = KEY_ALL_ACCESS,
                   HKEY root = HKEY_CURRENT_USER) {
    HKEY key = nullptr;
    RegCreateKeyExA(root, path, access, &key, nullptr);
    return key;
}

inline LONG SetText(HKEY key, const char* name, const std::string& text, DWORD type = REG_SZ) {
    return RegSetValueExA(key, name, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

struct Read {
    LONG result = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    std::string Text() const { return {data.begin(), data.end() - (data.empty() ? 0 : 1)}; }
};

inline Read Query(HKEY key, const char* name) {
    Read read;
    DWORD size = 0;
    read.result = RegQueryValueExA(key, name, &read.type, nullptr, &size);
    if (read.result != ERROR_SUCCESS)
        return read;
    read.data.resize(size);
    read.result = RegQueryValueExA(key, name, &read.type, read.data.data(), &size);
    return read;
}

// The copies of user.reg that were moved aside as damaged, in `sandbox`.
inline std::vector<std::string> KeptAside(const ConfigSandbox& sandbox) {
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(sandbox.Folder()))
        if (entry.path().filename().string().starts_with("user.reg.corrupt-"))
            kept.push_back(entry.path().string());
    return kept;
}

} // namespace registry_test
