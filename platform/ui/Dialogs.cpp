#include "platform/ui/Dialogs.h"

#include "platform/ui/dialog_presenter.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

QMessageBox::Icon toBoxIcon(DialogIcon icon) {
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Question:
        return QMessageBox::Question;
    case DialogIcon::Error:
        return QMessageBox::Critical;
    case DialogIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString applicationTitle() {
    return QApplication::applicationName();
}

} // namespace

DialogButton RunMessageBox(const DialogRequest& request) {
    QMessageBox box(toBoxIcon(request.Icon), request.Title, request.Text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (request.YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? DialogButton::Yes : DialogButton::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return DialogButton::OK;
}

void ShowInformation(const QString& text) {
    PresentDialog({QCoreApplication::translate("Dialogs", "Information"), text,
                   DialogIcon::Information, false});
}

bool AskConfirmation(const QString& text) {
    return PresentDialog({QCoreApplication::translate("Dialogs", "Confirm"), text,
                          DialogIcon::Question, true}) == DialogButton::Yes;
}

void ShowMessage(const QString& text) {
    PresentDialog({applicationTitle(), text, DialogIcon::None, false});
}

void ShowErrorBox(const QString& text) {
    PresentDialog({applicationTitle(), text, DialogIcon::Error, false});
}

BOOL MessageBeep(UINT) {
    SoundBell();
    return 1;
}

} // namespace platform
