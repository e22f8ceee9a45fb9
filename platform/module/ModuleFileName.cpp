#include "platform/module/ModuleFileName.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {

DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size) {
    if (module != nullptr || fileName == nullptr || size == 0)
        return 0;
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return 0;
    const std::string& path = executable.native();
    if (path.size() < size) {
        std::memcpy(fileName, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(fileName, path.data(), size - 1);
    fileName[size - 1] = '\0';
    return size;
}

} // namespace platform
