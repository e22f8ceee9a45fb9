// Defines the program's PresentDialog, SoundBell and OpenOnDesktop, so that
// the linker takes these, and never the program's, into every test
// executable (this file is linked into each one directly).
#include "tests/support/stand_ins/DesktopStandIns.h"

#include "platform/shell/desktop_open.h"
#include "platform/ui/dialog_presenter.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

DesktopStandIns::DialogResponder& dialogResponder() {
    static DesktopStandIns::DialogResponder installed;
    return installed;
}

DesktopStandIns::BeepResponder& beepResponder() {
    static DesktopStandIns::BeepResponder installed;
    return installed;
}

DesktopStandIns::ShellResponder& shellResponder() {
    static DesktopStandIns::ShellResponder installed;
    return installed;
}

} // namespace

namespace platform {

DialogButton PresentDialog(const DialogRequest& request) {
    if (const DesktopStandIns::DialogResponder& answer = dialogResponder())
        return answer(request);
    ADD_FAILURE() << "unexpected message box \"" << request.Title.toStdString()
                  << "\": " << request.Text.toStdString();
    return request.YesNo ? DialogButton::No : DialogButton::OK;
}

void SoundBell() {
    if (const DesktopStandIns::BeepResponder& hear = beepResponder())
        hear();
}

bool OpenOnDesktop(const ShellRequest& request) {
    if (const DesktopStandIns::ShellResponder& respond = shellResponder())
        return respond(request);
    ADD_FAILURE() << "unexpected open of \"" << request.File << "\"";
    return false;
}

} // namespace platform

namespace DesktopStandIns {

DialogResponder SetDialogResponder(DialogResponder next) {
    return std::exchange(dialogResponder(), std::move(next));
}

BeepResponder SetBeepResponder(BeepResponder next) {
    return std::exchange(beepResponder(), std::move(next));
}

ShellResponder SetShellResponder(ShellResponder next) {
    return std::exchange(shellResponder(), std::move(next));
}

} // namespace DesktopStandIns
