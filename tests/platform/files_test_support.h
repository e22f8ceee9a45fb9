#pragma once
// Reading drive letters the way the program does, for the file-call tests.
#include "platform/files/files.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace files_test {

struct Listed {
    std::string name;
    platform::DWORD attributes;
    std::uint64_t size;
};

// Every entry FindFirstFileA / FindNextFileA give for `pattern`, closing the
// listing; empty with `error` set when the first call fails.
inline std::vector<Listed> ListAll(const std::string& pattern, platform::DWORD* error = nullptr) {
    std::vector<Listed> entries;
    platform::WIN32_FIND_DATAA data{};
    const platform::HANDLE handle = platform::FindFirstFileA(pattern.c_str(), &data);
    if (handle == platform::INVALID_HANDLE_VALUE) {
        if (error)
            *error = platform::GetLastError();
        return entries;
    }
    do
        entries.push_back({data.cFileName, data.dwFileAttributes,
                           (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
    while (platform::FindNextFileA(handle, &data));
    if (platform::GetLastError() != platform::ERROR_NO_MORE_FILES)
        entries.push_back({"<FindNextFileA failed>", 0, 0});
    platform::FindClose(handle);
    return entries;
}

inline std::vector<std::string> Names(const std::vector<Listed>& entries) {
    std::vector<std::string> names;
    for (const Listed& entry : entries)
        names.push_back(entry.name);
    return names;
}

inline std::vector<std::string> ListNames(const std::string& pattern) {
    return Names(ListAll(pattern));
}

inline bool IsFolder(const std::string& path) {
    const platform::DWORD attributes = platform::GetFileAttributesA(path.c_str());
    return attributes != platform::INVALID_FILE_ATTRIBUTES &&
           (attributes & platform::FILE_ATTRIBUTE_DIRECTORY);
}

// GetLastError after a GetFileAttributesA that is expected to fail.
inline platform::DWORD AttributesError(const std::string& path) {
    platform::SetLastError(0);
    if (platform::GetFileAttributesA(path.c_str()) != platform::INVALID_FILE_ATTRIBUTES)
        return 0;
    return platform::GetLastError();
}

// The whole contents of a file of this machine.
inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string data(std::filesystem::file_size(path), '\0');
    file.read(data.data(), static_cast<std::streamsize>(data.size()));
    return data;
}

} // namespace files_test
