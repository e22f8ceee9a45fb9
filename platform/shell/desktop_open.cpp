#include "platform/shell/desktop_open.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool OpenOnDesktop(const ShellRequest& request) {
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(request.File));
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace platform
