#include "platform/store/atomic_file.h"
#include "platform/store/config_dir.h"
#include "tests/support/Sandbox.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(AtomicFile, ALinkedFileGetsTheNewContentsInItsTargetAndStaysALink) {
    ConfigSandbox sandbox;
    const std::string dotfiles = sandbox.Base() + "/dotfiles";
    const std::string target = dotfiles + "/quelvo/user.reg";
    ConfigSandbox::WriteText(target, "old");
    fs::create_directories(sandbox.Folder());
    const std::string linked = sandbox.UserHive();
    // Relative, as a dotfiles manager makes them, and through a second link.
    fs::create_symlink("../../dotfiles/quelvo/user.reg", sandbox.Folder() + "/middle.reg");
    fs::create_symlink("middle.reg", linked);

    ASSERT_TRUE(WriteWholeFile(linked, "new").ok());
    EXPECT_TRUE(fs::is_symlink(linked));
    EXPECT_TRUE(fs::is_symlink(sandbox.Folder() + "/middle.reg"));
    EXPECT_EQ(ConfigSandbox::ReadText(target), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dotfiles + "/quelvo"), {}), 1)
        << "the temporary copy was made beside the target and renamed over it";

    // A link whose target is not there yet creates it.
    fs::remove(target);
    ASSERT_TRUE(WriteWholeFile(linked, "again").ok());
    EXPECT_TRUE(fs::is_symlink(linked));
    EXPECT_EQ(ConfigSandbox::ReadText(target), "again");

    // A loop of links is refused, not followed for ever.
    fs::remove(target);
    fs::create_symlink("user.reg", target);
    fs::remove(linked);
    fs::create_symlink(target, linked);
    EXPECT_FALSE(WriteWholeFile(linked, "lost").ok());
}

TEST(AtomicFile, AReplacedFileKeepsItsOwnerGroupAndMode) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a file to another user";
    ConfigSandbox sandbox;
    const std::string path = sandbox.UserHive();
    ConfigSandbox::WriteText(path, "written by the user");
    constexpr uid_t kUser = 65534; // nobody
    constexpr gid_t kGroup = 65534;
    ASSERT_EQ(::chown(path.c_str(), kUser, kGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);

    ASSERT_TRUE(WriteWholeFile(path, "saved by root").ok());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kUser);
    EXPECT_EQ(info.st_gid, kGroup);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_EQ(ConfigSandbox::ReadText(path), "saved by root");
}
