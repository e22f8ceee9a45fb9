#pragma once
// The application object: message loop, task-bar title, idle event and the
// standard error box for anything an event handler lets escape.
#include <QApplication>
#include <QString>
#include <exception>
#include <functional>

namespace platform {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    // The text the desktop shows for the program as a whole.
    void SetTitle(const QString& title);
    QString Title() const { return FTitle; }

    // The standard error box: the error's text in a message box, after which
    // the program carries on.
    static void ShowException(const std::exception& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QString FTitle;
};

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
