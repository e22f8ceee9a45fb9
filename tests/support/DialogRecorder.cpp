#include "tests/support/DialogRecorder.h"

DialogRecorder::DialogRecorder(platform::DialogButton yesNoAnswer) : YesNoAnswer(yesNoAnswer) {
    FPrevious = DesktopStandIns::SetDialogResponder([this](const platform::DialogRequest& request) {
        Shown.append(request);
        return request.YesNo ? YesNoAnswer : platform::DialogButton::OK;
    });
    FPreviousBeep = DesktopStandIns::SetBeepResponder([this] { ++Beeps; });
}

DialogRecorder::~DialogRecorder() {
    DesktopStandIns::SetDialogResponder(FPrevious);
    DesktopStandIns::SetBeepResponder(FPreviousBeep);
}
