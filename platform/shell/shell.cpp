#include "platform/shell/shell.h"

#include "platform/shell/desktop_open.h"

#include <cstring>

namespace platform {
namespace {

HINSTANCE result(bool opened) {
    return reinterpret_cast<HINSTANCE>(opened ? SHELL_OPENED : SE_ERR_NOASSOC);
}

} // namespace

HINSTANCE ShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                        const char* directory, int showCmd) {
    if (operation && std::strcmp(operation, "open") != 0)
        return result(false);
    if (!file || !*file)
        return result(false);
    return result(
        OpenOnDesktop({owner, operation ? operation : "open", file, parameters ? parameters : "",
                       directory ? directory : "", showCmd}));
}

} // namespace platform
