// The application as one window: the receiver of its system commands and
// the window that speaks for it.
#include "platform/ui/WindowPlacement.h"

#include "platform/ui/Messages.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace platform {
namespace {

QPointer<QWidget> mainWindow;

// The hidden receiver of the application's system commands.
class ApplicationReceiver : public QObject {
public:
    using QObject::QObject;

protected:
    bool event(QEvent* event) override {
        if (event->type() != MessageEvent::EventType())
            return QObject::event(event);
        const auto* message = static_cast<MessageEvent*>(event);
        if (message->Msg == WM_SYSCOMMAND && (message->WParam & 0xFFF0) == SC_MINIMIZE)
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && window->isWindow() && window->windowType() == Qt::Window)
                    window->showMinimized();
        return true;
    }
};

} // namespace

QObject* ApplicationWindow() {
    static QPointer<QObject> receiver;
    if (!receiver)
        receiver = new ApplicationReceiver(QCoreApplication::instance());
    return receiver;
}

BOOL IsIconic(QObject* window) {
    if (window == ApplicationWindow()) {
        bool any = false;
        for (QWidget* topLevel : QApplication::topLevelWidgets()) {
            if (!topLevel->isVisible() || topLevel->windowType() != Qt::Window)
                continue;
            if (!topLevel->isMinimized())
                return 0;
            any = true;
        }
        return any;
    }
    const auto* widget = qobject_cast<const QWidget*>(window);
    return widget && widget->isMinimized();
}

void SetApplicationMainWindow(QWidget* window) {
    mainWindow = window;
}

QWidget* ApplicationMainWindow() {
    return mainWindow;
}

} // namespace platform
