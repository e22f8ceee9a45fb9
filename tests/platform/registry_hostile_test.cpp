// Hive files that nobody meant to write: very deep keys, pipes and devices in
// the file's place, regedit's UTF-16 exports, files that cannot be written or
// locked. Each must cost at most its own settings, and never hang the caller.
#include "platform/diagnostics.h"
#include "platform/registry/transaction.h"
#include "platform/store/file_lock.h"
#include "registry_test_support.h"
#include "tests/support/Sandbox.h"
#include "tests/support/UnwritableFile.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace registry_test;
namespace fs = std::filesystem;

namespace {

const char* const kSettings = "SOFTWARE\\Norvane\\Quelvo Player";

class ReportedProblems {
public:
    ReportedProblems()
        : previous_(platform::SetProblemSink(
              [this](const std::string& text) { texts.push_back(text); })) {
        platform::TakeSettingsProblems();
    }
    ~ReportedProblems() { platform::SetProblemSink(previous_); }
    std::vector<std::string> texts;

private:
    platform::ProblemSink previous_;
};

// One key of the given depth, named alone: a file of two bytes a level.
std::string DeepKey(int depth) {
    std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER";
    for (int level = 0; level < depth; ++level)
        text += "\\k";
    return text + "]\n";
}

// Every key down to the given depth, each named with its whole path.
std::string DeepHive(int depth) {
    std::string text = "REGEDIT4\n\n";
    std::string path = "[HKEY_CURRENT_USER";
    for (int level = 0; level < depth; ++level) {
        path += "\\k";
        text += path + "]\n";
    }
    return text;
}

std::string Zoom() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    const std::string text = Query(key, "Zoom").Text();
    RegCloseKey(key);
    return text;
}

void SetZoom(const std::string& zoom) {
    HKEY key = Create(kSettings);
    ASSERT_EQ(SetText(key, "Zoom", zoom), ERROR_SUCCESS);
    RegCloseKey(key);
}

} // namespace

TEST(HostileHives, AKeyDeeperThanAnySettingIsDamageAndOneWithinReadsAndSavesAtItsSize) {
    ConfigSandbox sandbox;
    ReportedProblems problems;
    ConfigSandbox::WriteText(sandbox.UserHive(), DeepKey(10000));
    EXPECT_EQ(Zoom(), "<no key>");
    ASSERT_EQ(KeptAside(sandbox).size(), 1u);
    ASSERT_EQ(problems.texts.size(), 1u);
    EXPECT_NE(problems.texts[0].find("more than 512 levels deep"), std::string::npos)
        << problems.texts[0];

    const std::string within = DeepHive(512);
    ConfigSandbox::WriteText(sandbox.UserHive(), within);
    SetZoom("3");
    EXPECT_EQ(Zoom(), "3");
    HKEY key = nullptr;
    std::string deepest;
    for (int level = 0; level < 512; ++level)
        deepest += "k\\";
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, deepest.c_str(), KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (deepest + "one more").c_str(), KEY_ALL_ACCESS,
                              &key, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_LT(ConfigSandbox::ReadText(sandbox.UserHive()).size(), within.size() + 1000);
}

TEST(HostileHives, AFileChangedBehindTheProgramsBackIsReadAgain) {
    ConfigSandbox sandbox;
    SetZoom("1");
    EXPECT_EQ(Zoom(), "1");
    for (const char* zoom : {"2", "3", "4"}) {
        // Same size, written in place within the same instant.
        ConfigSandbox::WriteText(sandbox.UserHive(),
                                 std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\") + kSettings +
                                     "]\n\"Zoom\"=\"" + zoom + "\"\n");
        EXPECT_EQ(Zoom(), zoom);
    }
}

TEST(HostileHives, OnlyARegularFileOfBoundedSizeIsRead) {
    ConfigSandbox sandbox;
    ReportedProblems problems;
    fs::create_directories(sandbox.Folder());
    ASSERT_EQ(::mkfifo(sandbox.UserHive().c_str(), 0600), 0);
    EXPECT_EQ(Zoom(), "<no key>") << "a pipe must not hold the read";
    SetZoom("2");
    EXPECT_EQ(Zoom(), "2");
    fs::remove(sandbox.UserHive());

    fs::create_symlink("/dev/zero", sandbox.UserHive());
    EXPECT_EQ(Zoom(), "<no key>") << "a device must not be read until memory runs out";
    EXPECT_EQ(KeptAside(sandbox).size(), 2u);

    ConfigSandbox::WriteText(sandbox.UserHive(), "REGEDIT4\n" + std::string((16 << 20) + 1, '\n'));
    EXPECT_EQ(Zoom(), "<no key>");
    EXPECT_EQ(KeptAside(sandbox).size(), 3u);
    EXPECT_EQ(problems.texts.size(), 3u);
}

TEST(HostileHives, DamageIsKeptForTheWindowOnceAndUtf16IsNamedForWhatItIs) {
    ConfigSandbox sandbox;
    ReportedProblems problems;
    const std::string exported("\xFF\xFEW\0i\0n\0d\0o\0w\0s\0", 16);
    ConfigSandbox::WriteText(sandbox.UserHive(), exported);
    EXPECT_EQ(Zoom(), "<no key>");
    const std::vector<std::string> shown = platform::TakeSettingsProblems();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(sandbox.UserHive() + " is damaged at line 1 (the file is UTF-16 text"),
              std::string::npos);
    EXPECT_NE(shown[0].find("moved to " + KeptAside(sandbox).at(0)), std::string::npos);

    // Left where it is (no lock to move it aside under): met at every read, shown once.
    ConfigSandbox::WriteText(sandbox.UserHive(), exported);
    fs::remove(sandbox.UserHive() + ".lock");
    fs::create_directory(sandbox.UserHive() + ".lock");
    EXPECT_EQ(Zoom(), "<no key>");
    EXPECT_EQ(Zoom(), "<no key>");
    EXPECT_EQ(platform::TakeSettingsProblems().size(), 1u);
    EXPECT_GE(problems.texts.size(), 3u);
}

TEST(HostileHives, AReadOnlyHiveTakesChangesThatChangeNothing) {
    ConfigSandbox sandbox;
    SetZoom("3");
    const UnwritableFile unwritable(sandbox.UserHive());
    ASSERT_TRUE(unwritable.IsUnwritable()) << unwritable.Problem();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettings, KEY_ALL_ACCESS, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(SetText(key, "Zoom", "3"), ERROR_SUCCESS);
    EXPECT_EQ(SetText(key, "Zoom", "4"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(Zoom(), "3");
}

TEST(HostileHives, ALockHeldElsewhereStopsNoReadAndFailsAWriteInBoundedTime) {
    ConfigSandbox sandbox;
    SetZoom("3");
    const int held = ::open((sandbox.UserHive() + ".lock").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_EQ(Zoom(), "3");
    HKEY key = Create(kSettings);
    EXPECT_EQ(SetText(key, "Zoom", "3"), ERROR_SUCCESS) << "nothing to write";
    EXPECT_EQ(SetText(key, "Zoom", "4"), ERROR_CANTWRITE);
    RegCloseKey(key);
    ::close(held);
    EXPECT_EQ(Zoom(), "3");
}

TEST(HostileHives, ATransactionSavesAllItsValuesAtOnceOrNone) {
    ConfigSandbox sandbox;
    SetZoom("1");
    HKEY key = Create(kSettings);
    {
        platform::RegistryTransaction dropped;
        ASSERT_EQ(SetText(key, "Zoom", "2"), ERROR_SUCCESS);
        EXPECT_EQ(Query(key, "Zoom").Text(), "2") << "seen by the thread that made it";
    }
    EXPECT_EQ(Zoom(), "1");

    platform::RegistryTransaction transaction;
    ASSERT_EQ(SetText(key, "Zoom", "2"), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "Drive", "0"), ERROR_SUCCESS);
    const std::string before = ConfigSandbox::ReadText(sandbox.UserHive());
    EXPECT_EQ(before.find("Drive"), std::string::npos);
    ASSERT_EQ(transaction.Commit(), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Zoom(), "2");
    EXPECT_NE(ConfigSandbox::ReadText(sandbox.UserHive()).find("\"Drive\"=\"0\""),
              std::string::npos);
}

TEST(HostileHives, TemporaryCopiesOfKilledSavesAreRemovedOnceStaleAndNoOtherFile) {
    ConfigSandbox sandbox;
    SetZoom("1");
    const std::string stale = sandbox.Folder() + "/.user.reg.quelvo-save-a1B2c3";
    const std::string fresh = sandbox.Folder() + "/.user.reg.quelvo-save-x9Y8z7";
    ConfigSandbox::WriteText(stale, "REGEDIT4\n[HKEY_CURRENT_USER\\");
    ConfigSandbox::WriteText(fresh, "REGEDIT4\n");
    // Copies the user made: names a person gives a file, however old.
    const std::vector<std::string> usersOwn = {
        sandbox.UserHive() + ".backup", sandbox.UserHive() + ".before",
        sandbox.UserHive() + ".sept26", sandbox.UserHive() + ".a1B2c3"};
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const std::string& path : usersOwn) {
        ConfigSandbox::WriteText(path, "REGEDIT4\n");
        fs::last_write_time(path, old);
    }
    fs::last_write_time(stale, old);
    SetZoom("2");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh)) << "it may belong to a save going on now";
    EXPECT_TRUE(fs::exists(sandbox.UserHive() + ".lock"));
    for (const std::string& path : usersOwn)
        EXPECT_TRUE(fs::exists(path)) << path;
}
