#pragma once
// Stands in for the user at every message box while it lives: records each
// box and answers it (OK, or the answer set for Yes/No boxes), and counts
// the bells.
#include "tests/support/stand_ins/DesktopStandIns.h"

#include <QList>

class DialogRecorder {
public:
    explicit DialogRecorder(platform::DialogButton yesNoAnswer = platform::DialogButton::Yes);
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    QList<platform::DialogRequest> Shown;
    int Beeps = 0;
    platform::DialogButton YesNoAnswer;

private:
    DesktopStandIns::DialogResponder FPrevious;
    DesktopStandIns::BeepResponder FPreviousBeep;
};
