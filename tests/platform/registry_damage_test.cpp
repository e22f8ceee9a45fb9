#include "platform/diagnostics.h"
#include "registry_test_support.h"
#include "tests/support/Sandbox.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace registry_test;
namespace fs = std::filesystem;

namespace {

// Collects what the platform reports while a test runs.
class ReportedProblems {
public:
    ReportedProblems()
        : previous_(platform::SetProblemSink(
              [this](const std::string& text) { texts.push_back(text); })) {}
    ~ReportedProblems() { platform::SetProblemSink(previous_); }
    std::vector<std::string> texts;

private:
    platform::ProblemSink previous_;
};

const std::string kDamaged =
    "REGEDIT4\n\n[HKEY_CURRENT_USER\\Keep]\n\"Zoom\"=\"4\"\n\"Drive\"=word:1\n";

} // namespace

TEST(RegistryDamage, ADamagedHiveIsKeptAsideReportedAndNeverOverwritten) {
    ConfigSandbox sandbox;
    ReportedProblems problems;
    ConfigSandbox::WriteText(sandbox.UserHive(), kDamaged);

    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Keep", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(problems.texts.size(), 1u);
    EXPECT_NE(problems.texts[0].find(sandbox.UserHive() + " is damaged at line 5"),
              std::string::npos);
    const std::vector<std::string> kept = KeptAside(sandbox);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(problems.texts[0].find(kept[0]), std::string::npos);

    key = Create("Keep");
    ASSERT_EQ(SetText(key, "Zoom", "5"), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(ConfigSandbox::ReadText(kept[0]), kDamaged);

    ConfigSandbox::WriteText(sandbox.UserHive(), "not a registry file\n");
    key = Create("Again");
    RegCloseKey(key);
    EXPECT_EQ(KeptAside(sandbox).size(), 2u);
    EXPECT_EQ(ConfigSandbox::ReadText(kept[0]), kDamaged);
    EXPECT_EQ(problems.texts.size(), 2u);
}

TEST(RegistryDamage, AnUnwritableLocationRefusesCreationAndChangesButStillReads) {
    ConfigSandbox sandbox;
    HKEY key = Create("SOFTWARE\\Norvane\\Quelvo Player");
    ASSERT_EQ(SetText(key, "Zoom", "3"), ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string before = ConfigSandbox::ReadText(sandbox.UserHive());

    // A folder where the lock file belongs: the location can be read but not locked.
    fs::remove(sandbox.UserHive() + ".lock");
    fs::create_directory(sandbox.UserHive() + ".lock");
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Quelvo Player", KEY_ALL_ACCESS,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(SetText(key, "Zoom", "4"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\New", KEY_READ, &key, nullptr),
              ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Quelvo Player", KEY_READ, &key,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "Zoom").Text(), "3");
    RegCloseKey(key);
    EXPECT_EQ(ConfigSandbox::ReadText(sandbox.UserHive()), before);

    sandbox.BlockFolder();
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE", KEY_READ, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
}

TEST(RegistryDamage, ADamagedHiveInAnUnwritableLocationIsLeftAloneAndWritesFail) {
    ConfigSandbox sandbox;
    ReportedProblems problems;
    ConfigSandbox::WriteText(sandbox.UserHive(), kDamaged);
    fs::create_directory(sandbox.UserHive() + ".lock");

    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Keep", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Keep", KEY_READ, &key, nullptr),
              ERROR_ACCESS_DENIED);
    ASSERT_FALSE(problems.texts.empty());
    EXPECT_NE(problems.texts[0].find("left untouched"), std::string::npos);
    EXPECT_EQ(ConfigSandbox::ReadText(sandbox.UserHive()), kDamaged);
    EXPECT_TRUE(KeptAside(sandbox).empty());
}
