#include "tests/platform/mci_scripted_fixture.h"

#include "platform/profile/profile.h"
#include "platform/system_defaults.h"
#include "tests/platform/mci_commands.h"
#include "tests/support/Sandbox.h"

using namespace platform;

void ScriptedDevices::SetUp() {
    Sandbox::ClearConfiguration();
    EnsureSystemDefaults();
    ScriptedDriver::Register("scripted.drv");
    ScriptedDriver::NextMedia = {};
    ScriptedDriver::NextOpenError = 0;
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "scr", "Scripted", "win.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("MCI32", "Scripted", "scripted.drv", "system.ini"));
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
