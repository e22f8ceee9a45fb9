#include "app/PlatformLog.h"

#include "app/uMain.h"

#include "platform/diagnostics.h"

#include <cstdio>
#include <mutex>
#include <QCoreApplication>
#include <QObject>

// A report may still be on its way from another thread while the log goes
// away: it finds the target cleared under the lock and is dropped.
struct TPlatformLog::Target {
    std::mutex mutex;
    std::unique_ptr<QObject> receiver = std::make_unique<QObject>();
};

TPlatformLog::TPlatformLog() : target_(std::make_shared<Target>()) {
    platform::SetProblemSink([target = target_](const std::string& text) {
        std::fprintf(stderr, "quelvo: %s\n", text.c_str());
        const std::lock_guard guard(target->mutex);
        if (target->receiver)
            QMetaObject::invokeMethod(
                target->receiver.get(), [line = QString::fromStdString(text)] { AddLog(line); },
                Qt::QueuedConnection);
    });
}

TPlatformLog::~TPlatformLog() {
    platform::SetProblemSink({});
    const std::lock_guard guard(target_->mutex);
    target_->receiver.reset();
}
