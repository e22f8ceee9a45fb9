// Every test process gets its own empty configuration folder and home, so no
// test ever reads or writes the settings of the person running it.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdlib>

int main(int argc, char** argv) {
    QTemporaryDir sandbox;
    if (!sandbox.isValid())
        return 2;
    const QByteArray config = (sandbox.path() + "/config").toUtf8();
    const QByteArray home = (sandbox.path() + "/home").toUtf8();
    ::setenv("XDG_CONFIG_HOME", config.constData(), 1);
    ::setenv("HOME", home.constData(), 1);
    QDir().mkpath(QString::fromUtf8(home));

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
