// Saves cut short by SIGKILL, and two processes saving at the same moment, a
// few rounds of each (the benchmark runs hundreds): afterwards every hive and
// profile file reads back whole, nothing older than the last finished save.
#include <gtest/gtest.h>
#include <QProcess>

TEST(SettingsSaves, KilledAndSimultaneousSavesLoseNothing) {
    const QString harness =
        qEnvironmentVariable("QUELVO_BUILD_DIR") + "/bench/saves/quelvo-bench-settings-saves";
    QProcess run;
    run.start(harness, {"20", "5"});
    ASSERT_TRUE(run.waitForFinished(240000)) << harness.toStdString();
    const QString report = run.readAllStandardOutput() + run.readAllStandardError();
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0) << report.toStdString();
    EXPECT_TRUE(report.contains("killed (SIGKILL) while saving")) << report.toStdString();
}
