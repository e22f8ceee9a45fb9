#include "app/CommandLine.h"
#include "app/DesktopSession.h"
#include "app/PlatformLog.h"
#include "app/uMain.h"
#include "system/SettingsStore.h"
#include "windows/ProgramPicture.h"
#include "windows/uLogging.h"

#include "platform/drives/run_drive.h"
#include "platform/mci/system_defaults.h"
#include "platform/paths/drive_letters.h"
#include "platform/store/player_presence.h"
#include "platform/ui/Application.h"
#include "platform/ui/Translations.h"

#include <iostream>
#include <memory>
#include <optional>
#include <QComboBox>

namespace {
constexpr int kMisused = 2;
constexpr int kNoDisc = 1;

std::vector<std::string> Arguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}
} // namespace

int main(int argc, char** argv) {
    // Help and version need no display, so they answer before the toolkit starts.
    const PlayerCommandLine asked = ParsePlayerCommandLine(Arguments(argc, argv));
    if (asked.request == PlayerCommandLine::Request::Help) {
        std::cout << kPlayerUsage;
        return 0;
    }
    if (asked.request == PlayerCommandLine::Request::Version) {
        std::cout << VersionLine("quelvo-player");
        return 0;
    }

    platform::Application Application(argc, argv);
    // The toolkit has taken its own options (-platform, -style, ...) out by now.
    const PlayerCommandLine line = ParsePlayerCommandLine(Arguments(argc, argv));
    if (line.request == PlayerCommandLine::Request::Misused) {
        std::cerr << "quelvo-player: " << line.wrong << '\n' << kPlayerUsage;
        return kMisused;
    }
    std::optional<char> discLetter;
    if (!line.disc.empty()) {
        try {
            discLetter = platform::PlaceDiscForThisRun(line.disc);
        } catch (const platform::EDriveMappingError& failure) {
            std::cerr << "quelvo-player: " << failure.what() << '\n';
            return kNoDisc;
        }
    }

    platform::InstallTranslations(Application, QLocale(), platform::TranslationsFolder());
    Application.Initialize();
    Application.SetTitle(QStringLiteral("Quelvo Player"));
    Application.setWindowIcon(ProgramIcon());
    // Wayland compositors find the window's icon and name through this.
    Application.setDesktopFileName(QStringLiteral("com.norvane.QuelvoPlayer"));
    platform::EnsureSystemDefaults();
    const platform::store::PlayerPresence presence;
    auto mainWindow = std::make_unique<TdlgMain>();
    auto logWindow = std::make_unique<TdlgLog>();
    const TPlatformLog platformLog;
    // Chosen as the user would choose it, before the first scan runs on show.
    if (discLetter)
        mainWindow->cmbcd->setCurrentIndex(
            mainWindow->cmbcd->findText(QString::fromStdString(platform::DriveName(*discLetter))));
    auto desktop = std::make_unique<TDesktopSession>(*mainWindow);
    mainWindow->show();
    const int exitCode = Application.exec();
    desktop.reset();
    mainWindow.reset();
    logWindow.reset();
    return exitCode;
}
