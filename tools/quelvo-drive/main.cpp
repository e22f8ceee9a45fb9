// quelvo-drive: lists the player's drive letters and maps letters to folders
// and disc images.
#include "platform/drives/drive_tool.h"
#include "system/SettingsStore.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments == std::vector<std::string>{"--version"}) {
        std::cout << VersionLine("quelvo-drive");
        return platform::kDriveToolDone;
    }
    return platform::RunDriveTool(arguments, std::cout, std::cerr);
}
