#include "registry_test_support.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <string>

using namespace registry_test;

namespace {

// "v<i>", appended: a literal + std::string makes GCC 12 at -O2 warn falsely.
std::string ValueName(std::size_t i) {
    std::string name = "v";
    name += std::to_string(i);
    return name;
}

class RegistryValues : public ::testing::Test {
protected:
    void TearDown() override { RegCloseKey(key); }
    ConfigSandbox sandbox;
    HKEY key = Create("SOFTWARE\\Norvane\\Quelvo Player");
};

} // namespace

TEST_F(RegistryValues, EveryTypeComesBackExactlyAsStoredAfterTheFileIsReread) {
    const std::vector<std::pair<DWORD, std::vector<BYTE>>> values = {
        {REG_SZ, {'5', 0}},
        {REG_EXPAND_SZ, {'%', 'H', 'O', 'M', 'E', '%', 0}},
        {REG_DWORD, {0x2a, 0, 0, 0x80}},
        {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
        {REG_BINARY, std::vector<BYTE>(200, 0xab)},
        {REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
        {REG_NONE, {}},
        {REG_SZ, {'n', 'o', ' ', 'z', 'e', 'r', 'o'}},
        {REG_DWORD, {1, 2}},
        {0x1234, {9}},
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string name = ValueName(i);
        const auto& [type, data] = values[i];
        ASSERT_EQ(RegSetValueExA(key, name.c_str(), type, data.data(), DWORD(data.size())),
                  ERROR_SUCCESS);
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Read read = Query(key, ValueName(i).c_str());
        EXPECT_EQ(read.result, ERROR_SUCCESS) << i;
        EXPECT_EQ(read.type, values[i].first) << i;
        EXPECT_EQ(read.data, values[i].second) << i;
    }
}

TEST_F(RegistryValues, SizesFollowTheWindowsRules) {
    ASSERT_EQ(SetText(key, "Zoom", "4"), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Zoom", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);

    BYTE small[1] = {0x77};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Zoom", nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(RegQueryValueExA(key, "Zoom", nullptr, small, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetValueExA(key, "Zoom", REG_SZ, nullptr, 3), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryValues, KeysAndNamesMatchInAnyCaseAndKeepTheirFirstSpelling) {
    ASSERT_EQ(SetText(key, "Zoom", "1"), ERROR_SUCCESS);
    HKEY other = Create("\\software\\NORVANE\\quelvo player\\", KEY_ALL_ACCESS);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(Query(other, "ZOOM").Text(), "1");
    ASSERT_EQ(SetText(other, "zoom", "2"), ERROR_SUCCESS);
    RegCloseKey(other);

    std::string name;
    EXPECT_EQ(RegEnumValueA(key, 0, &name, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(name, "Zoom");
    EXPECT_EQ(RegEnumValueA(key, 1, &name, nullptr), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(Query(key, "Zoom").Text(), "2");
    EXPECT_NE(ConfigSandbox::ReadText(sandbox.UserHive())
                  .find("[HKEY_CURRENT_USER\\SOFTWARE\\Norvane\\Quelvo Player]\n\"Zoom\"=\"2\""),
              std::string::npos);
}

TEST_F(RegistryValues, DefaultValueDeletionAndKeyRemoval) {
    ASSERT_EQ(SetText(key, nullptr, "default"), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "").Text(), "default");
    EXPECT_EQ(RegDeleteValueA(key, ""), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, ""), ERROR_FILE_NOT_FOUND);

    HKEY parent = Create("SOFTWARE\\Norvane");
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(parent, "QUELVO PLAYER"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(parent, "Quelvo Player"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SetText(key, "Zoom", "1"), ERROR_KEY_DELETED);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExA(parent, "Quelvo Player", KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    RegCloseKey(parent);
}

TEST_F(RegistryValues, HandlesGrantOnlyTheRightsTheyWereOpenedWith) {
    HKEY reader = nullptr, writer = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Norvane", KEY_READ, &reader),
              ERROR_SUCCESS);
    EXPECT_EQ(SetText(reader, "Zoom", "1"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(reader, "New", KEY_READ, &writer, nullptr), ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyExA(reader, "Quelvo Player", KEY_WRITE, &writer), ERROR_SUCCESS);
    EXPECT_EQ(SetText(writer, "Zoom", "1"), ERROR_SUCCESS);
    EXPECT_EQ(Query(writer, "Zoom").result, ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(writer), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(writer), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Query(writer, "Zoom").result, ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(reader), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistryValues, CreatingReportsNewOrExistingAndTheMachineRootHasItsOwnFile) {
    HKEY made = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Extensions\\.DAT\\", KEY_ALL_ACCESS,
                              &made, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    ASSERT_EQ(SetText(made, "MCIHandler", "MPEGVideo"), ERROR_SUCCESS);
    RegCloseKey(made);
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\extensions\\.dat", KEY_READ, &made,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(Query(made, "MCIHandler").Text(), "MPEGVideo");
    RegCloseKey(made);

    const std::string machine = ConfigSandbox::ReadText(sandbox.Folder() + "/system.reg");
    EXPECT_NE(machine.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Extensions\\.DAT]"), std::string::npos);
    EXPECT_EQ(ConfigSandbox::ReadText(sandbox.UserHive()).find("Extensions"), std::string::npos);
}
