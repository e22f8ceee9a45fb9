// The profile-string calls and TIniFile on real files in the Windows folder.
#include "platform/profile/profile.h"
#include "platform/profile/profile_file.h"
#include "platform/profile/TIniFile.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace platform;

namespace {

std::string fileText(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

class ProfileCalls : public ::testing::Test {
protected:
    void SetUp() override { Sandbox::ClearConfiguration(); }
};

TEST_F(ProfileCalls, BareNamesLiveInTheWindowsFolderOfTheConfiguration) {
    EXPECT_EQ(profile::ProfilePath("win.ini"),
              qEnvironmentVariable("XDG_CONFIG_HOME").toStdString() + "/quelvo/windows/win.ini");
    EXPECT_EQ(profile::ProfilePath("SYSTEM.INI"), profile::ProfilePath("system.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "dat", "MPEGVideo", "win.ini"));
    EXPECT_EQ(fileText(profile::ProfilePath("win.ini")), "[MCI Extensions]\ndat=MPEGVideo\n");
}

TEST_F(ProfileCalls, ReadsCopyWhatFitsAndFallBackToTheDefault) {
    ASSERT_TRUE(WritePrivateProfileStringA("MCI32", "MPEGVideo", "mciqtz32.dll", "system.ini"));
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(
        GetPrivateProfileStringA("mci32", "mpegvideo", "", buffer, sizeof buffer, "system.ini"),
        7u);
    EXPECT_STREQ(buffer, "mciqtz3");
    EXPECT_EQ(GetPrivateProfileStringA("MCI32", "absent", "fallback", buffer, sizeof buffer,
                                       "system.ini"),
              7u);
    EXPECT_STREQ(buffer, "fallbac");
    EXPECT_EQ(
        GetPrivateProfileStringA("MCI32", "absent", nullptr, buffer, sizeof buffer, "missing.ini"),
        0u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ProfileCalls, WritesKeepTheRestOfAFileWrittenByHand) {
    const std::string path = profile::ProfilePath("win.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("fonts", "x", "1", "win.ini"));
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("; written by hand\r\n[MCI Extensions]\r\nDAT=CDAudio\r\nMPG=MPEGVideo\r\n");
    file.close();

    TIniFile ini("win.ini");
    EXPECT_EQ(ini.ReadString("MCI Extensions", "dat", ""), "CDAudio");
    ini.WriteString("MCI Extensions", "dat", "MPEGVideo");
    ini.WriteString("MCI Extensions", "vob", "");
    EXPECT_EQ(fileText(path), "; written by hand\r\n[MCI Extensions]\r\nDAT=MPEGVideo\r\n"
                              "MPG=MPEGVideo\r\nvob=\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "MPG", nullptr, "win.ini"));
    EXPECT_EQ(fileText(path), "; written by hand\r\n[MCI Extensions]\r\nDAT=MPEGVideo\r\nvob=\r\n");
    EXPECT_EQ(ini.ReadString("MCI Extensions", "vob", "default"), "") << "empty, not missing";
}

TEST_F(ProfileCalls, LongValuesComeBackWhole) {
    const std::string value(5000, 'v');
    TIniFile ini("win.ini");
    ini.WriteString("s", "k", value);
    EXPECT_EQ(ini.ReadString("s", "k", ""), value);
}

TEST_F(ProfileCalls, AFileThatCannotBeWrittenFailsAndTIniFileRaises) {
    Sandbox::BreakConfiguration();
    EXPECT_FALSE(WritePrivateProfileStringA("MCI Extensions", "dat", "MPEGVideo", "win.ini"));
    TIniFile ini("win.ini");
    try {
        ini.WriteString("MCI Extensions", "dat", "MPEGVideo");
        ADD_FAILURE() << "no error raised";
    } catch (const EIniFileException& error) {
        EXPECT_STREQ(error.what(), "Unable to write to win.ini");
    }
    EXPECT_EQ(ini.ReadString("MCI Extensions", "dat", "none"), "none");
}

TEST_F(ProfileCalls, RefusesWhatWouldBreakTheFile) {
    ASSERT_TRUE(WritePrivateProfileStringA("MCI32", "MPEGVideo", "mciqtz32.dll", "system.ini"));
    const std::string before = fileText(profile::ProfilePath("system.ini"));
    EXPECT_FALSE(
        WritePrivateProfileStringA("MCI32", "MPEGVideo", "x\n[boot]\nshell=y", "system.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA("MCI32", nullptr, "x", "system.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "x", "system.ini"));
    EXPECT_EQ(fileText(profile::ProfilePath("system.ini")), before);
    EXPECT_THROW(TIniFile("system.ini").WriteString("MCI32", "a=b", "x"), EIniFileException);
}

} // namespace
