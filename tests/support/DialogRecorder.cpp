#include "tests/support/DialogRecorder.h"

DialogRecorder::DialogRecorder(platform::DialogButton yesNoAnswer) : YesNoAnswer(yesNoAnswer) {
    FPrevious = platform::SetDialogResponder([this](const platform::DialogRequest& request) {
        Shown.append(request);
        return request.YesNo ? YesNoAnswer : platform::DialogButton::OK;
    });
    FPreviousBeep = platform::SetBeepResponder([this] { ++Beeps; });
}

DialogRecorder::~DialogRecorder() {
    platform::SetDialogResponder(FPrevious);
    platform::SetBeepResponder(FPreviousBeep);
}
