// The player started where no display can be opened: one line, a failure
// status, and no crash.
#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

TEST(NoDisplay, ThePlayerSaysSoInOneLineAndFailsWithoutACrash) {
    const QString player = qEnvironmentVariable("QUELVO_BUILD_DIR") + "/app/quelvo-player";
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("XDG_CONFIG_HOME", config.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(player, {});
    ASSERT_TRUE(process.waitForFinished(60000)) << player.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "not ended by a signal";
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "Quelvo Player: no display could be opened\n");
}
