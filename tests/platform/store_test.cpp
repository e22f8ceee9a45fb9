#include "platform/store/atomic_file.h"
#include "platform/store/config_dir.h"
#include "tests/support/Sandbox.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace platform::store;

TEST(ConfigDir, FollowsTheEnvironmentAtEveryCall) {
    ConfigSandbox sandbox;
    EXPECT_EQ(ConfigDir(), sandbox.Folder());

    const QByteArray home = qgetenv("HOME");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(ConfigDir(), home.toStdString() + "/.config/quelvo");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ConfigDir(), home.toStdString() + "/.config/quelvo");
}

TEST(AtomicFile, WritesCreateTheFolderAndReplaceWholeFilesLeavingNoTemporaries) {
    ConfigSandbox sandbox;
    const std::string path = sandbox.Folder() + "/deeper/file.txt";
    std::string text;
    EXPECT_EQ(ReadWholeFile(path, text).outcome, Outcome::notFound);

    ASSERT_TRUE(WriteWholeFile(path, "a long first version of the file").ok());
    fs::permissions(path, fs::perms(0640));
    ASSERT_TRUE(WriteWholeFile(path, "second").ok());

    ASSERT_TRUE(ReadWholeFile(path, text).ok());
    EXPECT_EQ(text, "second");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), {}), 1);
}

TEST(AtomicFile, KeepingAsideNeverReplacesAnEarlierCopy) {
    ConfigSandbox sandbox;
    const std::string path = sandbox.Folder() + "/user.reg";
    std::string first, second;
    ConfigSandbox::WriteText(path, "one");
    ASSERT_TRUE(KeepAside(path, "corrupt", first).ok());
    ConfigSandbox::WriteText(path, "two");
    ASSERT_TRUE(KeepAside(path, "corrupt", second).ok());

    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(path + ".corrupt-", 0), 0u);
    EXPECT_EQ(ConfigSandbox::ReadText(first), "one");
    EXPECT_EQ(ConfigSandbox::ReadText(second), "two");
    EXPECT_FALSE(fs::exists(path));
}

TEST(AtomicFile, ABlockedLocationIsReportedAsDeniedWithTheReason) {
    ConfigSandbox sandbox;
    sandbox.BlockFolder();
    const std::string path = ConfigDir() + "/user.reg";

    const Status writable = CheckWritable(path);
    EXPECT_EQ(writable.outcome, Outcome::accessDenied);
    EXPECT_NE(writable.message.find(sandbox.Base() + "/blocked"), std::string::npos);
    EXPECT_EQ(WriteWholeFile(path, "x").outcome, Outcome::accessDenied);
}
