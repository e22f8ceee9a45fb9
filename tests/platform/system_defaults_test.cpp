// The associations of a fresh system: written where nothing is, never over
// what is there.
#include "platform/diagnostics.h"
#include "platform/mci/system_defaults.h"
#include "platform/profile/profile_file.h"
#include "platform/profile/TIniFile.h"
#include "platform/registry/TRegistry.h"
#include "tests/support/Sandbox.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using namespace platform;

namespace {

const std::string extensions = "\\SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\";

std::string handlerOf(const std::string& extension) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(extensions + extension))
        return "<no key>";
    return registry.ReadString("MCIHandler");
}

class SystemDefaults : public ::testing::Test {
protected:
    void SetUp() override { Sandbox::ClearConfiguration(); }
};

TEST_F(SystemDefaults, AFreshSystemGetsTheMpegAssociations) {
    EnsureSystemDefaults();
    TIniFile win("win.ini");
    for (const char* extension : {"dat", "mpg", "mpeg", "mpe", "m1v", "m2v", "vob"})
        EXPECT_EQ(win.ReadString("MCI Extensions", extension, ""), "MPEGVideo") << extension;
    EXPECT_EQ(TIniFile("system.ini").ReadString("MCI32", "MPEGVideo", ""), "mciqtz32.dll");
    EXPECT_EQ(handlerOf(".DAT"), "MPEGVideo");
    EXPECT_EQ(handlerOf(".MPG"), "MPEGVideo");
}

TEST_F(SystemDefaults, WhatExistsStaysExactlyAsItIsAndWhatIsMissingIsAdded) {
    TIniFile("win.ini").WriteString("MCI Extensions", "mpg", "Other");
    TIniFile("system.ini").WriteString("MCI32", "MPEGVideo", "other.dll");
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(extensions + ".DAT", true)); // a key with no handler
    registry.CloseKey();

    EnsureSystemDefaults();
    EXPECT_EQ(TIniFile("win.ini").ReadString("MCI Extensions", "mpg", ""), "Other")
        << "a wrong association is the player's to repair";
    EXPECT_EQ(TIniFile("win.ini").ReadString("MCI Extensions", "dat", ""), "MPEGVideo");
    EXPECT_EQ(TIniFile("system.ini").ReadString("MCI32", "MPEGVideo", ""), "other.dll");
    EXPECT_EQ(handlerOf(".DAT"), "");
    EXPECT_EQ(handlerOf(".MPG"), "MPEGVideo") << "each key on its own";
}

TEST_F(SystemDefaults, ADamagedWinIniIsMendedAndALockHeldElsewhereCostsNothingWhenComplete) {
    const std::string winIni = profile::ProfilePath("win.ini");
    ConfigSandbox::WriteText(winIni, std::string("\x01\x02garbage\n[MCI Extensions\nvob\n", 24));
    EnsureSystemDefaults();
    TIniFile win("win.ini");
    for (const char* extension : {"dat", "mpg", "vob"})
        EXPECT_EQ(win.ReadString("MCI Extensions", extension, ""), "MPEGVideo") << extension;
    EXPECT_EQ(ConfigSandbox::ReadText(winIni).substr(0, 10), std::string("\x01\x02garbage\n", 10));

    // A peer stopped in the middle of its save holds the lock for good.
    const int held = ::open((winIni + ".lock").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EnsureSystemDefaults(); // all there: returns without waiting
    EXPECT_EQ(win.ReadString("MCI Extensions", "dat", ""), "MPEGVideo");
    EXPECT_THROW(win.WriteString("MCI Extensions", "dat", "Other"), std::exception);
    ::close(held);
}

TEST_F(SystemDefaults, AFolderWhereWinIniBelongsIsReportedAndHoldsNothingUp) {
    std::filesystem::create_directories(profile::ProfilePath("win.ini"));
    std::vector<std::string> problems;
    const ProblemSink previous =
        SetProblemSink([&](const std::string& text) { problems.push_back(text); });
    EnsureSystemDefaults();
    SetProblemSink(previous);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems[0].find("win.ini"), std::string::npos);
    EXPECT_EQ(TIniFile("system.ini").ReadString("MCI32", "MPEGVideo", ""), "mciqtz32.dll");
}

TEST_F(SystemDefaults, AnUnwritableConfigurationIsReportedNotRaised) {
    Sandbox::BreakConfiguration();
    std::vector<std::string> problems;
    const ProblemSink previous =
        SetProblemSink([&](const std::string& text) { problems.push_back(text); });
    EXPECT_NO_THROW(EnsureSystemDefaults());
    SetProblemSink(previous);
    EXPECT_FALSE(problems.empty());
    EXPECT_EQ(TIniFile("win.ini").ReadString("MCI Extensions", "dat", "<none>"), "<none>");
}

} // namespace
