// Which driver opens an element: the extension's association, step by step,
// and the error each missing step gives.
#include "platform/profile/profile.h"
#include "tests/platform/mci_commands.h"
#include "tests/platform/mci_scripted_fixture.h"
#include "tests/support/PinnedErrorTexts.h"

using namespace platform;
using namespace MciCommands;

namespace {

using DeviceSelection = ScriptedDevices;

TEST_F(DeviceSelection, FollowsTheAssociationInAnyLetterCase) {
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "scr", nullptr, "win.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "SCR", "sCrIpTeD", "WIN.INI"));
    ASSERT_TRUE(WritePrivateProfileStringA("MCI32", "Scripted", "SCRIPTED.DRV", "system.ini"));
    OpenScripted("D:\\MPEGAV\\AVSEQ01");
    EXPECT_EQ(Driver().Element, "D:\\MPEGAV\\AVSEQ01.scr")
        << "the element reaches the driver as given";
    const Opened upper = Open("TRACK.SCR");
    EXPECT_EQ(upper.error, 0u);
    FOpened.push_back(upper.device);
}

TEST_F(DeviceSelection, EachMissingStepHasItsOwnError) {
    EXPECT_EQ(Open("movie.xyz").error, MCIERR_EXTENSION_NOT_FOUND);
    EXPECT_EQ(Open("movie").error, MCIERR_EXTENSION_NOT_FOUND);
    EXPECT_EQ(Open("folder.scr/movie").error, MCIERR_EXTENSION_NOT_FOUND);

    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "xyz", "Nowhere", "win.ini"));
    EXPECT_EQ(Open("movie.xyz").error, MCIERR_INVALID_DEVICE_NAME);

    ASSERT_TRUE(WritePrivateProfileStringA("MCI32", "Nowhere", "missing.dll", "system.ini"));
    EXPECT_EQ(Open("movie.xyz").error, MCIERR_CANNOT_LOAD_DRIVER);

    for (const auto& [error, text] : PinnedErrorTexts::All())
        EXPECT_EQ(ErrorText(error), text) << error;
}

TEST_F(DeviceSelection, ABrokenDatAssociationStopsDatFilesUntilRepaired) {
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "dat", "", "win.ini"));
    EXPECT_EQ(Open("AVSEQ01.DAT").error, MCIERR_EXTENSION_NOT_FOUND);
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "dat", "Scripted", "win.ini"));
    const Opened repaired = Open("AVSEQ01.DAT");
    EXPECT_EQ(repaired.error, 0u);
    FOpened.push_back(repaired.device);
}

TEST_F(DeviceSelection, OpenChecksItsRecordAndPassesDriverErrorsOn) {
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, 0), MCIERR_NULL_PARAMETER_BLOCK);
    MCI_OPEN_PARMSA open{};
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)),
              MCIERR_FILENAME_REQUIRED);
    open.lpstrElementName = "clip.scr";
    open.lpstrDeviceType = "Scripted";
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_TYPE,
                              reinterpret_cast<DWORD_PTR>(&open)),
              MCIERR_UNSUPPORTED_FUNCTION);

    ScriptedDriver::NextOpenError = MCIERR_INVALID_FILE;
    EXPECT_EQ(Open("clip.scr").error, MCIERR_INVALID_FILE);
    EXPECT_EQ(ScriptedDriver::Latest(), nullptr) << "a failed open leaves no device";
}

TEST(MciErrorText, CopiesWhatFitsAndKnowsOnlyItsOwnCodes) {
    char text[16];
    ASSERT_TRUE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, text, sizeof text));
    EXPECT_EQ(std::string(text), std::string(ErrorText(MCIERR_FILE_NOT_FOUND), 0, 15));
    EXPECT_FALSE(mciGetErrorStringA(12345, text, sizeof text));
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, text, 0));
}

TEST(MciWithoutDevice, EveryCommandSaysTheDeviceIsNotOpen) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    for (UINT message : {MCI_CLOSE, MCI_PLAY, MCI_STOP, MCI_PAUSE, MCI_RESUME, MCI_SEEK, MCI_STEP,
                         MCI_STATUS, MCI_SET, MCI_PUT, MCI_WHERE, MCI_WINDOW, MCI_GETDEVCAPS})
        for (MCIDEVICEID device : {0u, 1u, 4711u})
            EXPECT_EQ(mciSendCommandA(device, message, MCI_WAIT | MCI_STATUS_ITEM,
                                      reinterpret_cast<DWORD_PTR>(&status)),
                      MCIERR_INVALID_DEVICE_ID)
                << "message " << message << " to device " << device;
}

} // namespace
