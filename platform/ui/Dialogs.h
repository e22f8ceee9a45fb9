#pragma once
// The standard modal message boxes. Each one blocks until it is answered; a
// test may install a responder that answers in its place.
#include <functional>
#include <QString>

namespace platform {

enum class DialogIcon { None, Information, Question, Error };
enum class DialogButton { OK, Yes, No };

struct DialogRequest {
    QString Title;
    QString Text;
    DialogIcon Icon = DialogIcon::None;
    bool YesNo = false; // Yes and No (Yes the default, No on Escape) instead of OK
};

using DialogResponder = std::function<DialogButton(const DialogRequest& request)>;

// Installs a responder in place of the real boxes (empty restores them);
// returns the previous one.
DialogResponder SetDialogResponder(DialogResponder responder);

// "Information", information icon, OK.
void ShowInformation(const QString& text);
// "Confirm", question icon, Yes and No; true when Yes was chosen.
bool AskConfirmation(const QString& text);
// The application's title, no icon, OK.
void ShowMessage(const QString& text);
// The standard error box: the application's title, error icon, OK.
void ShowErrorBox(const QString& text);

} // namespace platform
