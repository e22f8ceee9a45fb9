#include "tests/support/WindowManager.h"

#include <QTest>

WindowManager::WindowManager() {
    FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FProcess.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    FProcess.waitForStarted(5000);
    // Openbox takes the screen over within a moment of starting; windows
    // mapped before that would come up unmanaged.
    QTest::qWait(800);
}

WindowManager::~WindowManager() {
    FProcess.terminate();
    if (!FProcess.waitForFinished(3000))
        FProcess.kill();
}
