#pragma once
// Video drawn with OpenGL into a native child window (a QWindow in a window
// container, which costs far less than a GL widget).
//
// The GL context belongs to this object, not to the window, because the
// render context must exist before the file is loaded, long before any window
// is shown. The first output of a process takes the context prepared while
// the program started, when there is one.
#include "platform/mci/drivers/mpv/video_output.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <string>

namespace platform::mci {

class VideoWindow;

class OpenGLVideoOutput final : public VideoOutput {
public:
    // Null when OpenGL or mpv's use of it fails; `failure` then says at
    // which step.
    static std::unique_ptr<VideoOutput> Create(mpv_handle* core, std::string& failure);
    ~OpenGLVideoOutput() override;

private:
    OpenGLVideoOutput();
    std::string start(mpv_handle* core);
    bool makeCurrentForRenderer() override;
    void freeRenderContext();
    bool makeAnyContextCurrent();
    QWidget* makeSurface(QWidget* host) override;
    void draw() override;

    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLContext> standIn_; // frees the render context of a lost one
    QOffscreenSurface offscreen_;
    QPointer<VideoWindow> window_;
    bool lossReported_ = false;
};

} // namespace platform::mci
