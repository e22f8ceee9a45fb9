#include "platform/ui/Application.h"

#include "platform/ui/Dialogs.h"

#include <QAbstractEventDispatcher>
#include <QThread>

namespace platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

void Application::SetTitle(const QString& title) {
    FTitle = title;
    setApplicationName(title);
}

void Application::ShowException(const std::exception& error) {
    ShowErrorBox(QString::fromUtf8(error.what()));
}

// Qt cannot carry an exception through its event loop, so every event is
// delivered inside this guard; an escaped error becomes the error box.
bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowErrorBox(QStringLiteral("Unknown error"));
    }
    return false;
}

ApplicationEvents::ApplicationEvents(QObject* owner) : QObject(owner) {
    auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
    if (dispatcher)
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &ApplicationEvents::queueEmptied);
}

void ApplicationEvents::queueEmptied() {
    if (!OnIdle)
        return;
    try {
        OnIdle();
    } catch (const std::exception& error) {
        Application::ShowException(error);
    }
}

} // namespace platform
