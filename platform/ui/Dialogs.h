#pragma once
// The standard modal message boxes. Each one blocks until it is answered.
#include "platform/wintypes.h"

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

// "Information", information icon, OK.
void ShowInformation(const QString& text);
// "Confirm", question icon, Yes and No; true when Yes was chosen.
bool AskConfirmation(const QString& text);
// The application's title, no icon, OK.
void ShowMessage(const QString& text);
// The standard error box: the application's title, error icon, OK.
void ShowErrorBox(const QString& text);

// The desktop's bell; the type of sound is not told apart.
BOOL MessageBeep(UINT type);

} // namespace platform
