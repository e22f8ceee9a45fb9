#include "app/DesktopSession.h"
#include "app/uMain.h"
#include "windows/ProgramPicture.h"
#include "windows/uLogging.h"

#include "platform/system_defaults.h"
#include "platform/ui/Application.h"

#include <memory>

int main(int argc, char** argv) {
    platform::Application Application(argc, argv);
    Application.Initialize();
    Application.SetTitle(QStringLiteral("Quelvo Player"));
    Application.setWindowIcon(ProgramIcon());
    // Wayland compositors find the window's icon and name through this.
    Application.setDesktopFileName(QStringLiteral("quelvo-player"));
    platform::EnsureSystemDefaults();
    auto mainWindow = std::make_unique<TdlgMain>();
    auto logWindow = std::make_unique<TdlgLog>();
    auto desktop = std::make_unique<TDesktopSession>(*mainWindow);
    mainWindow->show();
    const int exitCode = Application.exec();
    desktop.reset();
    mainWindow.reset();
    logWindow.reset();
    return exitCode;
}
