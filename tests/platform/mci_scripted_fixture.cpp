#include "tests/platform/mci_scripted_fixture.h"

#include "platform/mci/system_defaults.h"
#include "tests/platform/mci_commands.h"

using namespace platform;

void ScriptedDevices::SetUp() {
    ScriptedDriver::Install();
    EnsureSystemDefaults();
}

void ScriptedDevices::TearDown() {
    for (MCIDEVICEID device : FOpened)
        MciCommands::Send(device, MCI_CLOSE);
}

MCIDEVICEID ScriptedDevices::OpenScripted(const std::string& name) {
    const MciCommands::Opened opened = MciCommands::Open(name + ".scr");
    EXPECT_EQ(opened.error, 0u) << MciCommands::ErrorText(opened.error);
    if (!opened.error)
        FOpened.push_back(opened.device);
    return opened.device;
}

ScriptedDriver& ScriptedDevices::Driver() {
    ScriptedDriver* driver = ScriptedDriver::Latest();
    EXPECT_NE(driver, nullptr);
    return *driver;
}
