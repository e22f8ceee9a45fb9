#pragma once
// A real window manager (openbox) on the test's X server while it lives:
// maximise, minimise and full screen are its work, and without one they are
// requests nobody carries out.
#include <QProcess>

class WindowManager {
public:
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    bool Running() const { return FProcess.state() == QProcess::Running; }

private:
    QProcess FProcess;
};
