#include "system/EError.h"
#include "system/SettingsStore.h"
#include "tests/support/Sandbox.h"

#include "platform/registry/registry.h"

#include <gtest/gtest.h>

namespace {

const std::string Product = "Quelvo Player";
const std::string SettingsKey = "SOFTWARE\\Norvane\\Quelvo Player";

bool KeyExists(platform::HKEY root, const std::string& key) {
    platform::HKEY opened = nullptr;
    if (platform::RegOpenKeyExA(root, key.c_str(), platform::KEY_READ, &opened) !=
        platform::ERROR_SUCCESS)
        return false;
    platform::RegCloseKey(opened);
    return true;
}

bool ValueExists(const std::string& name) {
    platform::HKEY opened = nullptr;
    if (platform::RegOpenKeyExA(platform::HKEY_CURRENT_USER, SettingsKey.c_str(),
                                platform::KEY_READ, &opened) != platform::ERROR_SUCCESS)
        return false;
    platform::DWORD type = 0, size = 0;
    const bool exists = platform::RegQueryValueExA(opened, name.c_str(), &type, nullptr, &size) ==
                        platform::ERROR_SUCCESS;
    platform::RegCloseKey(opened);
    return exists;
}

std::string ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(no error)";
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { Sandbox::ClearConfiguration(); }
};

TEST_F(SettingsStoreTest, TheFirstReadCreatesTheKeyAndFindsNothing) {
    EXPECT_FALSE(KeyExists(platform::HKEY_CURRENT_USER, SettingsKey));
    EXPECT_EQ(LoadSetting(Product, "", "Version"), "");
    EXPECT_TRUE(KeyExists(platform::HKEY_CURRENT_USER, SettingsKey));
}

TEST_F(SettingsStoreTest, SavedTextComesBackAndEmptyTextRemovesTheValue) {
    SaveSetting(Product, "", "Zoom", "5");
    SaveSetting(Product, "", "Version", "v1.30");
    EXPECT_EQ(LoadSetting(Product, "", "Zoom"), "5");
    EXPECT_EQ(LoadSetting(Product, "", "version"), "v1.30") << "value names ignore case";

    SaveSetting(Product, "", "Zoom", "");
    EXPECT_FALSE(ValueExists("Zoom"));
    EXPECT_EQ(LoadSetting(Product, "", "Zoom"), "");
    SaveSetting(Product, "", "Never", "");
    EXPECT_FALSE(ValueExists("Never"));
}

TEST_F(SettingsStoreTest, ANumberStoredWhereTextBelongsIsAnErrorNotADefault) {
    Sandbox::StoreDword(SettingsKey, "Zoom", 3);
    EXPECT_EQ(ErrorText([] { LoadSetting(Product, "", "Zoom"); }), "Invalid data type for 'Zoom'");
}

TEST_F(SettingsStoreTest, AnUnwritableStoreFailsTheSaveAndReadsAsEmpty) {
    Sandbox::BreakConfiguration();
    EXPECT_THROW(SaveSetting(Product, "", "Zoom", "5"), EError);
    EXPECT_EQ(ErrorText([] { SaveSetting(Product, "", "Zoom", "5"); }),
              "Error encountered saving registry");
    EXPECT_EQ(LoadSetting(Product, "", "Zoom"), "");
}

TEST_F(SettingsStoreTest, RegistryTextRoutinesWorkUnderAnyRootAndPath) {
    const std::string handlers = "\\SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\.DAT";
    WriteRegistryString(platform::HKEY_LOCAL_MACHINE, handlers, "MCIHandler", "MPEGVideo");
    EXPECT_EQ(ReadRegistryString(platform::HKEY_LOCAL_MACHINE,
                                 "software\\microsoft\\multimedia\\mplayer2\\extensions\\.dat",
                                 "MCIHandler"),
              "MPEGVideo");
    EXPECT_EQ(ReadRegistryString(platform::HKEY_CURRENT_USER, handlers, "MCIHandler"), "");
}

TEST_F(SettingsStoreTest, TheProgramReadsItsOwnVersionAndOtherFilesGiveTheFallback) {
    EXPECT_EQ(GetProgramVersion(), "v1.30");
    EXPECT_EQ(GetFileProductVersion("/bin/true"), "?.?");
    EXPECT_EQ(GetFileProductVersion("/no/such/file"), "?.?");
}

TEST(BoolToText, IsCapitalisedTrueOrFalse) {
    EXPECT_EQ(BoolToText(true), "True");
    EXPECT_EQ(BoolToText(false), "False");
}

} // namespace
