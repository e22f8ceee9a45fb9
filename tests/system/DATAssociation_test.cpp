#include "system/DATAssociation.h"
#include "system/MCIExtension.h"
#include "tests/support/AssociationFiles.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Sandbox.h"

#include "platform/registry/ERegistryException.h"

#include <gtest/gtest.h>

using namespace AssociationFiles;
using platform::DialogButton;
using platform::DialogIcon;

namespace {

const QString ChangesMade = "Your changes have been made.  Please restart Quelvo Player.  You may "
                            "need to restart windows for them to take effect.";
const QString NoChanges = "No changes needed to be made";
const QString Question =
    "Your DAT file extension does not appear to be set correctly in Windows.  Quelvo Player may "
    "need to change this in order to playback VCD files.  Do you want to make this change "
    "now?\r\n\r\nNote: You can fix this later by clicking \"No\" and then selecting the About "
    "Box button on the toolbar.";

struct Association {
    std::string device, handler, driver, driver32;
    bool operator==(const Association&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Association& a) {
    return out << "{" << a.device << ", " << a.handler << ", " << a.driver << ", " << a.driver32
               << "}";
}

Association Read(const std::string& extension) {
    Association a;
    ReadMCIExtension(extension, a.device, a.handler, a.driver, a.driver32);
    return a;
}

// The registry layer's message, or "" when the call raised nothing.
template <typename Call> std::string RegistryErrorOf(Call call) {
    try {
        call();
    } catch (const platform::ERegistryException& error) {
        return error.what();
    }
    return "";
}

class DATAssociationTest : public ::testing::Test {
protected:
    void SetUp() override { Sandbox::ClearConfiguration(); }

    // A system where .dat and .mpg go to the MPEG video device, spelt as
    // given, with a 16-bit driver entry as well.
    static void Install(const std::string& winIniDat, const std::string& datHandler,
                        const std::string& driver32) {
        WriteWinIni("[MCI Extensions]\r\ndat=" + winIniDat + "\r\nmpg=MPEGVideo\r\n");
        WriteSystemIni("[MCI]\r\nMPEGVideo=mciqtz.drv\r\n[MCI32]\r\nMPEGVideo=" + driver32 +
                       "\r\n");
        WriteHandlers(datHandler, "MPEGVideo");
    }

    struct Files {
        std::string winIni, systemIni, hive;
        bool operator==(const Files&) const = default;
    };
    static Files Snapshot() { return {WinIni(), SystemIni(), MachineHive()}; }
};

TEST_F(DATAssociationTest, RightValuesInAnyLetterCaseNeedNoChangeAndWriteNothing) {
    Install("mPeGvIdEo", "MPEGVIDEO", "MciQtz32.DLL");
    const Files before = Snapshot();
    DialogRecorder dialogs;

    CheckDATAssociation(true, false, false);
    EXPECT_TRUE(dialogs.Shown.isEmpty()) << "silent at start-up";

    CheckDATAssociation(false, false, true);
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, NoChanges);
    EXPECT_EQ(dialogs.Shown[0].Title, "Information");
    EXPECT_EQ(dialogs.Shown[0].Icon, DialogIcon::Information);
    EXPECT_FALSE(dialogs.Shown[0].YesNo);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(DATAssociationTest, OnlyTheExactNamesCountAsRightAndAYesRepairsThem) {
    struct Case {
        std::string winIniDat, handler, driver32;
    };
    const Case wrong[] = {
        {"\" MPEGVideo\"", "MPEGVideo", "mciqtz32.dll"},
        {"MPEGVideo2", "MPEGVideo", "mciqtz32.dll"},
        {"MPEGVideo", " MPEGVideo", "mciqtz32.dll"},
        {"MPEGVideo", "MPEGVideo.", "mciqtz32.dll"},
        {"MPEGVideo", "MPEGVideo", "mciqtz32.dll "},
        {"WaveAudio", "MPEGVideo", "mciqtz32.dll"},
        {"MPEGVideo", "", "mciqtz32.dll"},
        {"MPEGVideo", "MPEGVideo", "mciqtz.drv"},
    };
    for (const Case& c : wrong) {
        SCOPED_TRACE(c.winIniDat + "|" + c.handler + "|" + c.driver32);
        Sandbox::ClearConfiguration();
        // The handler's [MCI32] entry is kept under the handler's own name.
        WriteWinIni("[MCI Extensions]\ndat=" + c.winIniDat + "\n");
        WriteSystemIni("[MCI32]\n" + (c.handler.empty() ? "MPEGVideo" : c.handler) + "=\"" +
                       c.driver32 + "\"\n");
        WriteHandlers(c.handler, "MPEGVideo");
        DialogRecorder dialogs(DialogButton::Yes);

        CheckDATAssociation(true, false, false);
        ASSERT_EQ(dialogs.Shown.size(), 2);
        EXPECT_EQ(dialogs.Shown[0].Text, Question);
        EXPECT_EQ(dialogs.Shown[0].Title, "Confirm");
        EXPECT_EQ(dialogs.Shown[0].Icon, DialogIcon::Question);
        EXPECT_TRUE(dialogs.Shown[0].YesNo);
        EXPECT_EQ(dialogs.Shown[1].Text, ChangesMade);
        EXPECT_EQ(dialogs.Shown[1].Icon, DialogIcon::Information);
        EXPECT_EQ(Read(".DAT"), (Association{"MPEGVideo", "MPEGVideo", "", "mciqtz32.dll"}));

        CheckDATAssociation(false, false, true);
        EXPECT_EQ(dialogs.Shown.last().Text, NoChanges) << "a repair makes the check hold";
    }
}

TEST_F(DATAssociationTest, TheSixteenBitDriverEntryTakesNoPartInTheCheck) {
    Install("MPEGVideo", "MPEGVideo", "mciqtz32.dll");
    WriteSystemIni("[MCI]\nMPEGVideo=nonsense.drv\n[MCI32]\nMPEGVideo=mciqtz32.dll\n");
    DialogRecorder dialogs;
    CheckDATAssociation(false, false, true);
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, NoChanges);
}

TEST_F(DATAssociationTest, ANoWritesNothingButTheCheckHasCreatedTheMissingKeys) {
    WriteWinIni("[MCI Extensions]\ndat=WaveAudio\n");
    WriteSystemIni("[MCI32]\nWaveAudio=mciwave.dll\n");
    const std::string winIni = WinIni(), systemIni = SystemIni();
    ASSERT_FALSE(HandlerKeyExists(".DAT"));
    DialogRecorder dialogs(DialogButton::No);

    CheckDATAssociation(true, false, true);
    ASSERT_EQ(dialogs.Shown.size(), 1) << "no box after the No";
    EXPECT_EQ(dialogs.Shown[0].Text, Question);
    EXPECT_EQ(WinIni(), winIni);
    EXPECT_EQ(SystemIni(), systemIni);
    EXPECT_TRUE(HandlerKeyExists(".DAT"));
    EXPECT_TRUE(HandlerKeyExists(".MPG"));
    EXPECT_EQ(Handler(".DAT"), "");
}

TEST_F(DATAssociationTest, TheMpegDriverLinkCopiesTheMpgAssociationAndAlwaysReports) {
    WriteWinIni("[MCI Extensions]\ndat=MPEGVideo\nmpg=Scripted\n");
    WriteSystemIni(
        "[MCI]\nScripted=old.drv\n[MCI32]\nMPEGVideo=mciqtz32.dll\nScripted=scripted.drv\n");
    WriteHandlers("MPEGVideo", "Scripted");
    DialogRecorder dialogs;

    CheckDATAssociation(true, true, false);
    ASSERT_EQ(dialogs.Shown.size(), 1) << "no question, whatever Ask says";
    EXPECT_EQ(dialogs.Shown[0].Text, ChangesMade);
    EXPECT_EQ(Read(".dat"), (Association{"Scripted", "Scripted", "old.drv", "scripted.drv"}));
    EXPECT_EQ(Read(".dat"), Read(".mpg"));

    const std::string systemIni = SystemIni();
    CheckDATAssociation(false, true, false);
    ASSERT_EQ(dialogs.Shown.size(), 2) << "reported even when nothing differed";
    EXPECT_EQ(dialogs.Shown[1].Text, ChangesMade);
    EXPECT_EQ(SystemIni(), systemIni);
}

TEST_F(DATAssociationTest, AnMpgWithoutHandlerGivesDatEmptyEntriesUnderAnEmptyName) {
    WriteWinIni("[MCI Extensions]\ndat=MPEGVideo\n");
    WriteHandlers("MPEGVideo", "");
    DialogRecorder dialogs;
    CheckDATAssociation(false, true, true);
    EXPECT_EQ(Read(".dat"), Association{});
    EXPECT_TRUE(HandlerKeyExists(".DAT"));
    EXPECT_NE(SystemIni().find("[MCI32]\n=\n"), std::string::npos) << SystemIni();
}

TEST_F(DATAssociationTest, ARepairTheHiveRefusesFailsWithTheRegistryErrorAfterWinIni) {
    Install("WaveAudio", "WaveAudio", "mciwave.dll");
    const std::string hive = MachineHive(), systemIni = SystemIni();
    LockMachineHive();
    DialogRecorder dialogs;

    EXPECT_EQ(RegistryErrorOf([] { CheckDATAssociation(false, false, true); }),
              "Failed to set data for 'MCIHandler'");
    EXPECT_TRUE(dialogs.Shown.isEmpty()) << "no claim that the changes were made";
    EXPECT_NE(WinIni().find("dat=MPEGVideo"), std::string::npos) << "earlier writes stay";
    EXPECT_EQ(SystemIni(), systemIni) << "the operation ends at the refusal";
    EXPECT_EQ(MachineHive(), hive);
}

TEST_F(DATAssociationTest, AHiveThatCannotBeWrittenIsStillReadAndAMissingKeyIsNamed) {
    Install("MPEGVideo", "MPEGVideo", "mciqtz32.dll");
    LockMachineHive();
    DialogRecorder dialogs;
    CheckDATAssociation(true, false, false);
    EXPECT_TRUE(dialogs.Shown.isEmpty()) << "a right association that cannot be written is right";

    Sandbox::ClearConfiguration();
    WriteWinIni("[MCI Extensions]\ndat=MPEGVideo\n");
    LockMachineHive();
    EXPECT_EQ(Read(".dat").handler, "");
    EXPECT_EQ(RegistryErrorOf([] { CheckDATAssociation(false, false, true); }),
              "Failed to create key \\SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\.DAT");
    EXPECT_TRUE(dialogs.Shown.isEmpty());
}

TEST_F(DATAssociationTest, AHandlerOfAnotherTypeEndsTheCheckWithTheRegistryError) {
    WriteWinIni("[MCI Extensions]\ndat=MPEGVideo\n");
    WriteMachineHive("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\"
                     "Extensions\\.DAT]\n\"MCIHandler\"=dword:00000001\n");
    DialogRecorder dialogs;
    EXPECT_EQ(RegistryErrorOf([] { CheckDATAssociation(false, true, true); }),
              "Invalid data type for 'MCIHandler'");
    EXPECT_TRUE(dialogs.Shown.isEmpty());
}

} // namespace
