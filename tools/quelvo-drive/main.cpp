// quelvo-drive: lists the player's drive letters and maps letters to folders
// and disc images.
#include "platform/drives/drive_tool.h"

#include <iostream>

int main(int argc, char** argv) {
    return platform::RunDriveTool({argv + 1, argv + argc}, std::cout, std::cerr);
}
