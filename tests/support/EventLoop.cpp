#include "tests/support/EventLoop.h"

#include <QEventLoop>
#include <QTimer>

void RunEventLoop(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
