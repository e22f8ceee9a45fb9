#include "platform/ui/dialog_presenter.h"

#include <QApplication>

namespace platform {

DialogButton PresentDialog(const DialogRequest& request) {
    return RunMessageBox(request);
}

void SoundBell() {
    QApplication::beep();
}

} // namespace platform
