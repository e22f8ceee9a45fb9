#pragma once
// The application object: message loop, task-bar title, idle event and the
// standard error box for anything an event handler lets escape.
#include <exception>
#include <functional>
#include <memory>
#include <QApplication>
#include <QString>
#include <vector>

namespace platform {

class Application : public QApplication {
    Q_OBJECT
public:
    // On a machine without a display, ends the program with one line saying
    // so and a failure status, not with the toolkit's abort and a core dump.
    Application(int& argc, char** argv);
    ~Application() override;

    // Gets the program's slow one-time start-up work going in the
    // background (see StartupWork.h): the video driver's graphics, which the
    // first track needs soon after the main window shows.
    void Initialize();

    // The text the desktop shows for the program as a whole.
    void SetTitle(const QString& title);
    QString Title() const { return FTitle; }

    // The standard error box: the error's text in a message box, after which
    // the program carries on.
    static void ShowException(const std::exception& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    // Settings of the user's that a damaged file cost them are told in a
    // box, each problem once, when the program next waits for input.
    void showSettingsProblems();

    QString FTitle;
    std::vector<std::shared_ptr<void>> FStartedWork;
};

// Runs one event handler of the program. An error it lets escape is shown in
// the standard error box right here, so that it never unwinds through the
// toolkit's own frames.
template <typename Handler> void RunHandler(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Application::ShowException(error);
    }
}

// Wraps a handler for a signal connection, with RunHandler's guarantee.
template <typename Handler> auto Guarded(Handler handler) {
    return [handler] { RunHandler(handler); };
}

// Fires OnIdle each time the event queue has emptied, once per emptying: the
// handler runs, then the loop sleeps until something new arrives.
class ApplicationEvents : public QObject {
    Q_OBJECT
public:
    explicit ApplicationEvents(QObject* owner = nullptr);
    std::function<void()> OnIdle;

private:
    void queueEmptied();
};

} // namespace platform
