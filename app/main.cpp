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
    platform::EnsureSystemDefaults();
    auto mainWindow = std::make_unique<TdlgMain>();
    auto logWindow = std::make_unique<TdlgLog>();
    mainWindow->show();
    const int exitCode = Application.exec();
    mainWindow.reset();
    logWindow.reset();
    return exitCode;
}
