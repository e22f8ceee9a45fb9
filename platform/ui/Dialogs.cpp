#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace platform {
namespace {

DialogResponder& responder() {
    static DialogResponder installed;
    return installed;
}

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

BeepResponder& beepResponder() {
    static BeepResponder installed;
    return installed;
}

DialogButton run(const DialogRequest& request) {
    if (const DialogResponder& answer = responder())
        return answer(request);
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

QString applicationTitle() {
    return QApplication::applicationName();
}

} // namespace

DialogResponder SetDialogResponder(DialogResponder next) {
    return std::exchange(responder(), std::move(next));
}

void ShowInformation(const QString& text) {
    run({QCoreApplication::translate("Dialogs", "Information"), text, DialogIcon::Information,
         false});
}

bool AskConfirmation(const QString& text) {
    return run({QCoreApplication::translate("Dialogs", "Confirm"), text, DialogIcon::Question,
                true}) == DialogButton::Yes;
}

void ShowMessage(const QString& text) {
    run({applicationTitle(), text, DialogIcon::None, false});
}

void ShowErrorBox(const QString& text) {
    run({applicationTitle(), text, DialogIcon::Error, false});
}

BOOL MessageBeep(UINT) {
    if (const BeepResponder& hear = beepResponder())
        hear();
    else
        QApplication::beep();
    return 1;
}

BeepResponder SetBeepResponder(BeepResponder next) {
    return std::exchange(beepResponder(), std::move(next));
}

} // namespace platform
