#include "platform/ui/Application.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/StartupWork.h"

#include "platform/diagnostics.h"

#include <cstdio>
#include <cstdlib>
#include <QAbstractEventDispatcher>
#include <QThread>

namespace platform {

namespace {

// The context's texts are the toolkit's static strings, safe to keep.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> held;
    return held;
}

// The toolkit's complaints while it looks for a display are held back: when
// none opens, one line of ours says it all.
void HoldOrEndWithoutDisplay(QtMsgType type, const QMessageLogContext& context,
                             const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("Quelvo Player: no display could be opened\n", stderr);
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages().push_back(
        {type, context.file, context.line, context.function, context.category, text});
}

// Runs before the toolkit looks for a display; hands `argc` on to it.
int& WatchForNoDisplay(int& argc) {
    previousHandler = qInstallMessageHandler(HoldOrEndWithoutDisplay);
    return argc;
}

void DisplayOpened() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::exchange(heldMessages(), {})) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        qt_message_output(message.type, context, message.text);
    }
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(WatchForNoDisplay(argc), argv) {
    DisplayOpened();
    InstallFontSubstitutes();
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &Application::showSettingsProblems);
}

void Application::showSettingsProblems() {
    const std::vector<std::string> problems = TakeSettingsProblems();
    if (problems.empty())
        return;
    // Shown from the queue, so that the box never runs inside the wait.
    QMetaObject::invokeMethod(
        this,
        [problems] {
            for (const std::string& problem : problems)
                ShowErrorBox(QString::fromStdString(problem));
        },
        Qt::QueuedConnection);
}

// Whatever the start-up work made goes before the application object.
Application::~Application() = default;

void Application::Initialize() {
    if (FStartedWork.empty())
        FStartedWork = StartRegisteredWork();
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
        ShowErrorBox(QCoreApplication::translate("Application", "Unknown error"));
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
