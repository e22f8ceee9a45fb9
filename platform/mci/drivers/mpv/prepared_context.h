#pragma once
// The first OpenGL context of a process is slow to make: the GL driver is
// loaded and started, and the first thing drawn with it builds the driver's
// own drawing code. With a software renderer that is well over a tenth of a
// second, all of it before the first picture of the first device. A worker
// thread does it while the program starts, and the first video output takes
// the context it leaves.
#include <memory>
#include <thread>

class QOffscreenSurface;
class QOpenGLContext;

namespace platform::mci {

class PreparedContext {
public:
    // Starts the worker. GUI thread, once the application object exists; at
    // most one at a time.
    PreparedContext();
    // Waits for the worker; a context nobody took goes with it.
    ~PreparedContext();
    PreparedContext(const PreparedContext&) = delete;
    PreparedContext& operator=(const PreparedContext&) = delete;

    // The prepared context, current nowhere and owned by the GUI thread,
    // once; waits for the worker if it is still at work. Null when no
    // preparation is alive, it was taken already, or the platform could not
    // make one. GUI thread.
    static std::unique_ptr<QOpenGLContext> Take();

private:
    std::unique_ptr<QOpenGLContext> takeContext();

    std::unique_ptr<QOffscreenSurface> surface_; // made and destroyed here, drawn on by the worker
    std::thread worker_;
    std::unique_ptr<QOpenGLContext> context_; // written by the worker, read after joining it
};

} // namespace platform::mci
