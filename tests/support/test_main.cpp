// Every test process gets its own empty configuration folder and home, so no
// test ever reads or writes the settings of the person running it.
#include "tests/support/Sandbox.h"

#include "platform/ui/Application.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

int main(int argc, char** argv) {
    const ConfigSandbox sandbox;
    if (!sandbox.IsValid())
        return 2;
    const QString base = QString::fromStdString(sandbox.Base());
    const QByteArray home = (base + "/home").toUtf8();
    ::setenv("HOME", home.constData(), 1);
    QDir().mkpath(QString::fromUtf8(home));
    const QByteArray runtime = (base + "/runtime").toUtf8();
    QDir().mkpath(QString::fromUtf8(runtime));
    QFile::setPermissions(QString::fromUtf8(runtime),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ::setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
    // Test discovery runs outside ctest's environment, and needs no display.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

    platform::Application app(argc, argv);
    app.SetTitle(QStringLiteral("Quelvo Player"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
