#include "tests/support/WindowManager.h"

#include "tests/support/EventLoop.h"

#include <string>

// Last: Xlib's macros (None, Status, Bool) would clash with names above.
#include <X11/Xlib.h>

namespace {

// A window manager announces that it has taken a screen over by owning the
// screen's WM_Sn selection.
bool ScreenIsManaged(Display* display) {
    const std::string selection = "WM_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None;
}

} // namespace

WindowManager::WindowManager() {
    FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FProcess.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    FProcess.waitForStarted(5000);
    // Windows mapped before openbox has taken the screen over would come up
    // unmanaged.
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    RunEventsUntil([&] { return !Running() || ScreenIsManaged(display); });
    XCloseDisplay(display);
}

WindowManager::~WindowManager() {
    FProcess.terminate();
    if (!FProcess.waitForFinished(3000))
        FProcess.kill();
}
