#include "platform/shell/shell.h"

#include <cstring>
#include <QDesktopServices>
#include <QUrl>
#include <utility>

namespace platform {
namespace {

ShellResponder& responder() {
    static ShellResponder installed;
    return installed;
}

bool openOnDesktop(const std::string& file) {
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(file));
    return url.isValid() && QDesktopServices::openUrl(url);
}

HINSTANCE result(bool opened) {
    return reinterpret_cast<HINSTANCE>(opened ? SHELL_OPENED : SE_ERR_NOASSOC);
}

} // namespace

ShellResponder SetShellResponder(ShellResponder next) {
    return std::exchange(responder(), std::move(next));
}

HINSTANCE ShellExecuteA(HWND owner, const char* operation, const char* file, const char* parameters,
                        const char* directory, int showCmd) {
    if (operation && std::strcmp(operation, "open") != 0)
        return result(false);
    if (!file || !*file)
        return result(false);
    const ShellRequest request{owner,
                               operation ? operation : "open",
                               file,
                               parameters ? parameters : "",
                               directory ? directory : "",
                               showCmd};
    if (const ShellResponder& respond = responder())
        return result(respond(request));
    return result(openOnDesktop(request.File));
}

} // namespace platform
