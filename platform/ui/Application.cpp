#include "platform/ui/Application.h"

#include "platform/mci/drivers/mpv/prepared_context.h"
#include "platform/mci/drivers/mpv/video_renderer.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"

#include <QAbstractEventDispatcher>
#include <QThread>

namespace platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    InstallFontSubstitutes();
}

// Whatever the preparation made goes before the application object.
Application::~Application() = default;

void Application::Initialize() {
    if (!FPreparedVideo && mci::ChosenVideoRenderer() == mci::VideoRenderer::openGL)
        FPreparedVideo = std::make_unique<mci::PreparedContext>();
}

void Application::SetTitle(const QString& title) {
    FTitle = title;
    setApplicationName(title);
}

void Application::ShowException(const std::exception& error) {
    ShowErrorBox(QString::fromUtf8(error.what()));
}

// The last line of defence: Qt cannot carry an exception through its event
// loop, so an error that escaped a handler not run through RunHandler still
// becomes the error box instead of ending the program.
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
    if (OnIdle)
        RunHandler(OnIdle);
}

} // namespace platform
