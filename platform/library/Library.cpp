#include "platform/library/Library.h"

#include "platform/ascii_case.h"
#include "platform/graphics/GradientFill.h"
#include "platform/library/library_presence.h"

#include <string_view>

namespace platform {
namespace {

struct Export {
    const char* name;
    FARPROC address;
};

struct BuiltInLibrary {
    const char* fileName;
    Export exports[1];
};

BuiltInLibrary& msimg32() {
    static BuiltInLibrary library{"MSIMG32.DLL",
                                  {{"GradientFill", reinterpret_cast<FARPROC>(&GradientFill)}}};
    return library;
}

// Library names, like file names on the system they come from, ignore case.
BuiltInLibrary* find(const char* fileName) {
    if (!fileName)
        return nullptr;
    BuiltInLibrary& candidate = msimg32();
    return EqualsIgnoringAsciiCase(fileName, candidate.fileName) ? &candidate : nullptr;
}

} // namespace

HMODULE LoadLibraryA(const char* fileName) {
    BuiltInLibrary* library = find(fileName);
    if (!library)
        return nullptr;
    return BuiltInLibraryLoadable(library->fileName) ? library : nullptr;
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
    if (!module || !procName)
        return nullptr;
    for (const Export& entry : static_cast<BuiltInLibrary*>(module)->exports)
        if (std::string_view(procName) == entry.name)
            return entry.address;
    return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
    return module != nullptr;
}

} // namespace platform
