#pragma once
// The platform layer's own problems (a skipped stretch of a worn disc, a
// video way that failed, a library's warning) are met on whatever thread
// noticed them; the user reads them in the log window, which lives on the
// GUI thread. While a TPlatformLog exists, each one is still printed on
// stderr and is also appended to the log through AddLog, queued to the GUI
// thread.
#include <memory>

class TPlatformLog {
public:
    TPlatformLog();
    ~TPlatformLog();
    TPlatformLog(const TPlatformLog&) = delete;
    TPlatformLog& operator=(const TPlatformLog&) = delete;

    struct Target;

private:
    std::shared_ptr<Target> target_;
};
