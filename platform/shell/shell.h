#pragma once
// The shell's "open" of a document or web address, done by the desktop's URL
// handler.
#include "platform/wintypes.h"

#include <cstdint>
#include <string>

namespace platform {

using HINSTANCE = void*;

// Results below 32 are failures.
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;
inline constexpr std::intptr_t SHELL_OPENED = 33;

struct ShellRequest {
    HWND Owner = nullptr;
    std::string Operation;
    std::string File;
    std::string Parameters;
    std::string Directory;
    int ShowCmd = SW_SHOWNORMAL;
};

// Only the verb "open" (or a null verb, which means the same) is offered; the
// file is a web address, or a local file or folder by its absolute path. The
// desktop decides how the target is shown, whatever `showCmd` asks. Returns a
// value above 32 when the desktop accepted the target, SE_ERR_NOASSOC
// otherwise. Never blocks on the program that opens it.
HINSTANCE ShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                        const char* directory, int showCmd);

} // namespace platform
